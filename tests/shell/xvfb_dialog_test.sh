#!/bin/sh
# The start-up dialog in the game's real window under a virtual X display:
# it is seen (the dialog's face where the window's corner plus (133, 104)
# puts it, its texts drawn), xdotool keys choose DirectDraw and the tick and
# Start writes Boot.dat; a second run is cancelled and writes nothing.
# Usage: xvfb_dialog_test.sh DIALOGSHOW   (runs itself under xvfb-run)
set -eu
tool=$(readlink -f "$1")

. "$(dirname "$0")/../support/xvfb_env.sh"
[ -n "${XVFB_CHILD:-}" ] || xvfb_reexec "1280x1024x24 -wr" xvfb-run xdotool import convert xwininfo od -- "$0" "$@"
xvfb_workdir
mkdir user_data

pid=""
fail() {
    echo "FAIL: $*"
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    exit 1
}

# Starts the dialog and waits for its window; sets pid, wid, x and y.
open_dialog() {
    "$tool" startup >out.txt 2>err.txt &
    pid=$!
    wid=""
    for _ in $(seq 1 600); do
        wid=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)
        [ -n "$wid" ] && break
        kill -0 "$pid" 2>/dev/null || fail "ended before its window appeared: $(cat err.txt)"
        sleep 0.1
    done
    [ -n "$wid" ] || fail "no window"
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
}

geometry() {
    info=$(xwininfo -id "$wid")
    x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
}

open_dialog
# The dialog's client area starts at (133, 104) of the game's client area;
# a few pixels in, before any item, is the dialog's face; the Start button
# (120, 157 to 195, 194 of the dialog) carries dark text.
face=""
for _ in $(seq 1 100); do
    sleep 0.1
    geometry
    import -window root root.png
    face=$(convert root.png -crop "4x4+$((x + 135))+$((y + 106))" +repage -format '%k:%[hex:p{0,0}]' info:)
    [ "$face" = "1:D4D0C8" ] && break
done
[ "$face" = "1:D4D0C8" ] || fail "no dialog face at the dialog's place ($face)"
dark=$(convert root.png -crop "60x20+$((x + 133 + 128))+$((y + 104 + 166))" +repage -format '%[fx:minima<0.3]' info:)
[ "$dark" = 1 ] || fail "no text on the Start button"

# Tab goes Start, Cancel, Direct3D, DirectDraw, the tick.
xdotool key Tab Tab Right Tab space Return
xvfb_expect_exit 100 "Start"
grep -q "result 1" out.txt || fail "Start did not answer 1: $(cat out.txt)"
boot=$(od -An -tx4 -v user_data/Boot.dat | tr -s ' \n' ' ')
[ "$boot" = " 00000398 00000002 00000000 00000001 00000000 " ] || fail "Boot.dat holds$boot"

rm user_data/Boot.dat
open_dialog
xdotool key Tab Return
xvfb_expect_exit 100 "Cancel"
grep -q "result 0" out.txt || fail "Cancel did not answer 0: $(cat out.txt)"
[ ! -e user_data/Boot.dat ] || fail "Cancel wrote Boot.dat"
echo "ok: the start-up dialog seen at $x,$y + (133, 104); keys wrote Boot.dat (DirectDraw, ticked); Cancel wrote nothing"
