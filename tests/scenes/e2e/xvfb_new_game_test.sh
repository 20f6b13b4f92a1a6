#!/bin/sh
# The play command of the README in a real window under a virtual X display:
# the player, run with no arguments from a folder without a game, plays the
# sample game beside it and shows its title; button 1 twice (the Z key, sent
# by xdotool) starts a new story in the first save slot and the world map
# shows. Both photographs hold a picture and they differ.
# Usage: xvfb_new_game_test.sh PLAYER WINDOW_FRAMES   (runs itself under
# xvfb-run; WINDOW_FRAMES is the tool that keeps each picture of a window)
set -eu
player=$(readlink -f "$1")
watcher=$(readlink -f "$2")

. "$(dirname "$0")/../../support/xvfb_env.sh"
[ -n "${XVFB_CHILD:-}" ] || xvfb_reexec "1280x1024x24 -wr" xvfb-run xdotool xwd convert -- "$0" "$@"
xvfb_workdir
# The player and the sample game beside it, as the build leaves them, so
# that the run writes nothing into the build's own copy.
mkdir bin here shots
cp "$player" bin/player
cp -r "$(dirname "$player")/sample_game" bin/sample_game
# The photographs are kept apart from the folder the player runs in.
cd shots

pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill -CONT "$pid" 2>/dev/null || true
        kill "$pid" 2>/dev/null || true
    fi
    if [ -n "${SHOT_DIR:-}" ]; then cp title.png map.png "$SHOT_DIR/" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
fail() {
    echo "FAIL: $*"
    exit 1
}

# The game ships its data folder: its first start asks nothing.
[ -d ../bin/sample_game/data ] && [ ! -d ../bin/sample_game/default ] || fail "the sample game is not shipped with data/ alone"
(cd ../here && exec ../bin/player --no-sound 2>../stderr.txt) &
pid=$!
xvfb_wait_window "$pid" player 600

# photograph FILE: the window's client area as it shows now, taken by the
# X server's own dump, a few milliseconds even on a loaded machine.
photograph() {
    xwd -silent -id "$wid" -out "$1"
}
# The world map of the sample game, also on its way in or out: sea in the
# top-left and the bottom-left corner of the view, the same deep blue (no
# red, green under a third of blue). The title's sky and grass, the save
# slot list on it and the stage's sky and ground are none of this, at any
# brightness of a fade.
shows_map() {
    [ "$(convert "$1" -format '%[fx:p{10,40}.r == 0 && p{20,460}.r == 0 && abs(p{10,40}.b - p{20,460}.b) < 0.01 && p{10,40}.b > 0.02 && 3 * p{10,40}.g < p{10,40}.b ? 1 : 0]' info:)" = 1 ]
}
# settle FILE WHAT: waits (minutes at most) for a picture that holds still:
# two photographs in a row the same, and not the one before this step.
settle() {
    for _ in $(seq 1 600); do
        photograph again.xwd
        if holds_picture again.xwd && cmp -s "$1" again.xwd && ! cmp -s "$1" before.xwd; then return 0; fi
        mv again.xwd "$1"
        sleep 0.2
    done
    fail "$2"
}
press_button_1() {
    cp "$1" before.xwd
    xdotool key --delay 100 z
}

: >before.xwd
photograph title.xwd
settle title.xwd "the window never showed the title"
shows_map title.xwd && fail "the title already reads as the world map"
convert title.xwd title.png

xdotool windowfocus --sync "$wid" 2>/dev/null || true
# New story: the slot list opens over the title and holds still.
press_button_1 title.xwd
photograph slots.xwd
settle slots.xwd "the save slot list never showed after button 1"
# Button 1 again takes the empty slot 1. The map fades in, the first stage
# loads and the map fades out: a third of a second, too short for
# photographs taken one by one on a loaded machine, so every picture the
# window shows from here on is kept and read afterwards.
mkdir frames
"$watcher" "$wid" 150 frames 240 &
watch=$!
press_button_1 slots.xwd
wait "$watch" || fail "the window's pictures could not be watched to the end"
found=0
# The first picture of the map bright enough to hold one.
for frame in frames/frame*.ppm; do
    if shows_map "$frame" && holds_picture "$frame"; then
        convert "$frame" map.png
        found=1
        break
    fi
done
[ "$found" = 1 ] || fail "the world map never showed after button 1 twice"
cmp -s title.png map.png && fail "the title and the world map are the same picture"

# The first stage has started by now, where Escape asks first; the run is
# simply ended.
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
# The game played was the one beside the player: its report is there, and
# the folder the command ran in is left as it was.
[ -f ../bin/sample_game/Report_Game.txt ] || fail "no run report in the sample game beside the player"
! grep -q 'message box' ../stderr.txt ../bin/sample_game/Report_Game.txt || fail "the first start put a question: $(cat ../stderr.txt)"
[ ! -d ../bin/sample_game/default ] || fail "the first start made a default folder"
[ -z "$(ls -A ../here)" ] || fail "the run wrote into the folder it started in: $(ls -A ../here)"
echo "ok: the README's play command showed the title; Z twice reached the world map"
