#!/bin/sh
# However the real window goes, the player ends in order: the window
# destroyed by another program at the title and during a stage, SIGTERM and
# SIGINT (exit 0, the run report says why, no crash); the display's server
# killed under it (exit 1, one line on stderr); Escape during a stage asks
# in the game window, No plays on and Yes quits. A first start with only
# default/ asks its question in the game window, answered by a key, then
# shows the title. Each run waits for what it needs to see, for minutes.
# Usage: xvfb_end_test.sh PLAYER   (runs its own X servers)
set -eu
player=$(readlink -f "$1")

. "$(dirname "$0")/../support/xvfb_env.sh"
for tool in Xvfb xdotool import convert xwininfo; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done
xvfb_workdir
game=$(dirname "$player")/sample_game

pid=""
xpid=""
cleanup() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    [ -z "$xpid" ] || kill "$xpid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
fail() {
    echo "FAIL: $*"
    [ ! -f stderr.txt ] || sed 's/^/  stderr: /' stderr.txt
    exit 1
}

# start_x: a virtual display of our own (its server can be killed).
start_x() {
    rm -f "$work/display"
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -wr 5>"$work/display" 2>/dev/null &
    xpid=$!
    for _ in $(seq 1 600); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "no X server"
    DISPLAY=:$(cat "$work/display")
    export DISPLAY
}

# run_game FOLDER: a fresh copy of the sample game in FOLDER (under the work
# folder), the player started in it; sets pid and wid.
run_game() {
    cd "$work"
    rm -rf "$1"
    cp -r "$game" "$1"
    cd "$1"
    "$player" --game . --no-sound 2>stderr.txt &
    pid=$!
    xvfb_wait_window "$pid" "player in $1" 3000
}

# photograph FILE: the client area, wherever the window stands now. The
# file holds pixels only: PNG would carry the second it was written, and two
# equal pictures taken across a second boundary (every pair, on a slow
# machine) would never compare equal.
photograph() {
    info=$(xwininfo -id "$wid")
    x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
    import -window root root.png
    convert root.png -crop "640x480+$x+$y" +repage -strip -define png:exclude-chunks=date,time "$1"
}
# A box of the game's own dialogs: its face colour over at least a few
# thousand pixels of the client area.
shows_box() {
    [ "$(convert "$1" -fill black +opaque '#D4D0C8' -fill white -opaque '#D4D0C8' -format '%[fx:mean > 0.02 ? 1 : 0]' info:)" = 1 ]
}
# A stage: the status panel's grey across the top of the view.
shows_stage() {
    [ "$(convert "$1" -format '%[fx:p{10,5}.r == p{280,5}.r && abs(p{10,5}.r - 0.2) < 0.01 && p{10,5}.g == p{10,5}.r && p{10,5}.b == p{10,5}.r ? 1 : 0]' info:)" = 1 ]
}

# wait_for TEST WHAT: photographs until TEST holds for the photograph
# (minutes at most), failing with WHAT.
wait_for() {
    for _ in $(seq 1 1500); do
        kill -0 "$pid" 2>/dev/null || fail "the player ended while waiting for $2"
        photograph now.png
        "$1" now.png && return 0
        sleep 0.2
    done
    fail "never saw $2"
}
title_shown() { holds_picture "$1" && ! shows_box "$1"; }
no_box() { ! shows_box "$1"; }
changed() { ! cmp -s before.png "$1"; }
# still FILE: FILE equals the photograph before it (kept in last.png).
still() {
    cmp -s last.png "$1" && return 0
    cp "$1" last.png
    return 1
}

# to_stage: from the title, a new story in the first slot; its first stage.
to_stage() {
    wait_for title_shown "the title"
    cp now.png last.png
    wait_for still "the title holding still"
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
    cp now.png before.png
    xdotool key --delay 100 z
    # The slot list takes the next press once it stands over the title.
    wait_for changed "the save slot list"
    cp now.png last.png
    wait_for still "the save slot list holding still"
    xdotool key --delay 100 z
    wait_for shows_stage "the first stage"
}

# ended_cleanly WHAT WHY: exit 0 within minutes, nothing on stderr, the
# report names WHY and no worker was stopped by force.
ended_cleanly() {
    xvfb_expect_exit 3000 "$1"
    pid=""
    [ ! -s stderr.txt ] || fail "$1: stderr is not empty"
    grep -q "$2" Report_Game.txt || fail "$1: the run report does not say '$2'"
    ! grep -q 'stopped by force' Report_Game.txt || fail "$1: a worker was stopped by force"
}

start_x

# The window destroyed by another program, at the title and in a stage.
run_game destroyed_title
wait_for title_shown "the title"
xdotool windowclose "$wid"
ended_cleanly "window destroyed at the title" "End requested from outside (the window was destroyed)"

run_game destroyed_stage
to_stage
xdotool windowclose "$wid"
ended_cleanly "window destroyed in a stage" "End requested from outside (the window was destroyed)"

# Signals: the end the player agrees to, without a question.
run_game sigterm
to_stage
kill -TERM "$pid"
ended_cleanly "SIGTERM in a stage" "End requested from outside (SIGTERM)"
grep -q 'Ended by process (pid' Report_Game.txt || fail "SIGTERM: the sender is not noted"

run_game sigint
wait_for title_shown "the title"
kill -INT "$pid"
ended_cleanly "SIGINT at the title" "End requested from outside (SIGINT)"

# Escape in a stage asks in the game window; No plays on, Yes quits.
run_game escape
to_stage
xdotool key Escape
wait_for shows_box "the quit question"
xdotool key n
wait_for no_box "play after No"
photograph before.png
wait_for changed "the stage moving on after No"
xdotool key Escape
wait_for shows_box "the quit question again"
xdotool key y
ended_cleanly "Escape, Yes" "App : ver"

# The first start of a game with only default/: the question shows in the
# game window (no X core font needed), Y answers it and the title follows.
run_game_default() {
    cd "$work"
    rm -rf first_start
    cp -r "$game" first_start
    cd first_start
    mv data default
    "$player" --game . --no-sound 2>stderr.txt &
    pid=$!
    xvfb_wait_window "$pid" "player in first_start" 3000
}
run_game_default
wait_for shows_box "the first-start question"
xdotool windowfocus --sync "$wid" 2>/dev/null || true
xdotool key y
wait_for title_shown "the title after the question"
[ -d data ] || fail "Yes to the first-start question made no data folder"
kill -INT "$pid"
ended_cleanly "SIGINT after the first start" "End requested from outside (SIGINT)"
! grep -q 'message box not shown' Report_Game.txt || fail "a box went unshown"

# The display's server killed under a stage: exit 1, one line on stderr.
run_game display_lost
to_stage
kill "$xpid"
wait "$xpid" 2>/dev/null || true
xpid=""
for _ in $(seq 1 3000); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "display lost: still running"
set +e
wait "$pid"
code=$?
set -e
pid=""
[ "$code" = 1 ] || fail "display lost: exit code $code, not 1"
[ "$(wc -l <stderr.txt)" = 1 ] && grep -q 'the display is gone' stderr.txt || fail "display lost: stderr is not the one line"
grep -q 'Ended without a display' Report_Game.txt || fail "display lost: the workers' end is not in the run report"
echo "ok: window destroyed (title, stage), SIGTERM, SIGINT, Escape No/Yes, the first-start box, display lost"
