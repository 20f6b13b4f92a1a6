#!/bin/sh
# The play command of the README in a real window under a virtual X display:
# the player, run with no arguments from a folder without a game, plays the
# sample game beside it and shows its title; button 1 twice (the Z key, sent
# by xdotool) starts a new story in the first save slot and the world map
# shows. Both photographs hold a picture and they differ.
# Usage: xvfb_new_game_test.sh PLAYER   (runs itself under xvfb-run)
set -eu
player=$(readlink -f "$1")

. "$(dirname "$0")/../../support/xvfb_env.sh"
[ -n "${XVFB_CHILD:-}" ] || xvfb_reexec "1280x1024x24 -wr" xvfb-run xdotool import convert xwininfo -- "$0" "$@"
xvfb_workdir
# The player and the sample game beside it, as the build leaves them, so
# that the run writes nothing into the build's own copy.
mkdir bin here
cp "$player" bin/player
cp -r "$(dirname "$player")/sample_game" bin/sample_game
cd here

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
../bin/player --no-sound 2>../stderr.txt &
pid=$!
xvfb_wait_window "$pid" player 600

# photograph FILE: the client area, wherever the window stands now.
photograph() {
    info=$(xwininfo -id "$wid")
    x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
    import -window root root.png
    convert root.png -crop "640x480+$x+$y" +repage "$1"
}
holds_picture() {
    [ "$(convert "$1" -format '%[fx:standard_deviation > 0.05 ? 1 : 0]' info:)" = 1 ]
}
# The world map of the sample game, also on its way in or out: sea in the
# top-left and the bottom-left corner of the view, the same deep blue (no
# red, green under a third of blue). The title's sky and grass, the save
# slot list on it and the stage's sky and ground are none of this, at any
# brightness of a fade.
shows_map() {
    [ "$(convert "$1" -format '%[fx:p{10,40}.r == 0 && p{20,460}.r == 0 && abs(p{10,40}.b - p{20,460}.b) < 0.01 && p{10,40}.b > 0.1 && 3 * p{10,40}.g < p{10,40}.b ? 1 : 0]' info:)" = 1 ]
}

found=0
for _ in $(seq 1 100); do
    sleep 0.2
    photograph title.png
    if holds_picture title.png; then
        found=1
        break
    fi
done
[ "$found" = 1 ] || fail "the window never showed the title"
# The title's fade may still be running: wait for two equal photographs.
for _ in $(seq 1 50); do
    sleep 0.2
    photograph again.png
    cmp -s title.png again.png && break
    mv again.png title.png
done
shows_map title.png && fail "the title already reads as the world map"

xdotool windowfocus --sync "$wid" 2>/dev/null || true
# New story: the slot list opens; button 1 again takes the empty slot 1.
xdotool key --delay 100 z
sleep 1
xdotool key --delay 100 z
# The map shows for a moment before the first stage starts by itself: the
# game runs in short slices, stopped while each photograph is taken.
found=0
for _ in $(seq 1 150); do
    kill -STOP "$pid"
    photograph map.png
    if shows_map map.png; then
        found=1
        break
    fi
    kill -CONT "$pid"
    sleep 0.03
done
kill -CONT "$pid" 2>/dev/null || true
[ "$found" = 1 ] || fail "the world map never showed after button 1 twice"
holds_picture map.png || fail "the world map photograph is flat"
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
[ -z "$(ls -A . | grep -v '\.png$')" ] || fail "the run wrote into the folder it started in: $(ls -A .)"
echo "ok: the README's play command showed the title; Z twice reached the world map"
