#!/bin/sh
# A display lost in the middle of a stage, headless: the pause menu stands
# over a message, a picture and a screen effect of the sample game; the
# display is lost under it, and a later frame of the same still pause
# equals the frame before the loss pixel for pixel, in the device path and
# in DirectDraw.
# Usage: display_lost_test.sh PLAYER   (E2E_SYSTEM_SWITCH names the program
# that sets the sample game's system data)
set -eu
player=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
fail() {
    echo "FAIL: $*"
    exit 1
}

for path in 1 0; do
    rm -rf "$work/game" "$work/shots"
    mkdir "$work/game" "$work/shots"
    cp -r "$(dirname "$player")/sample_game/." "$work/game/"
    # shellcheck disable=SC2046
    "${E2E_SYSTEM_SWITCH:?the system switch program}" "$work/game" $(grep -v '^#' "$here/pause_over_sign.switches") ||
        fail "the system data could not be set up"
    sed -i "s/^Direct3D=.*/Direct3D=$path/" "$work/game/System.ini"
    cp "$here/display_lost.keys" "$work/shots/keys.txt"
    (cd "$work/game" && XDG_RUNTIME_DIR="$work" timeout 600 "$player" --game . --headless --no-sound \
        --script "$work/shots/keys.txt" --frames 360) || fail "Direct3D=$path: the player ended with code $?"
    grep -q 'Display lost' "$work/game/Report_Game.txt" || fail "Direct3D=$path: the display was never lost"
    [ -s "$work/shots/paused.png" ] && [ -s "$work/shots/after_loss.png" ] || fail "Direct3D=$path: a frame is missing"
    cmp -s "$work/shots/paused.png" "$work/shots/after_loss.png" ||
        fail "Direct3D=$path: the frame after the loss differs from the one before"
done
echo "ok: after a lost display the paused stage shows again pixel for pixel in both drawing paths"
