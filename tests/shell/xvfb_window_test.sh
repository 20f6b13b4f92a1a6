#!/bin/sh
# Real-window check under a virtual X display: the player opens one window
# with a 640 x 480 client area showing the sample game's title, Escape
# closes it and the process exits 0; a second run at the desktop's depth
# ticks 30 frames and ends.
# Usage: xvfb_window_test.sh PLAYER   (runs itself under xvfb-run)
set -eu
player=$(readlink -f "$1")

. "$(dirname "$0")/../support/xvfb_env.sh"
[ -n "${XVFB_CHILD:-}" ] || xvfb_reexec "1280x1024x24 -wr" xvfb-run xdotool import convert xwininfo -- "$0" "$@"
xvfb_workdir
xvfb_game_copy "$player"

"$player" --game . &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT INT TERM
fail() {
    echo "FAIL: $*"
    kill "$pid" 2>/dev/null || true
    exit 1
}

xvfb_wait_window "$pid" player 100

geometry() {
    info=$(xwininfo -id "$wid")
    x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
    w=$(echo "$info" | sed -n 's/.*Width: *//p')
    h=$(echo "$info" | sed -n 's/.*Height: *//p')
}
geometry
[ "$w" = 640 ] && [ "$h" = 480 ] || fail "client area is ${w}x${h}, not 640x480"

# Photograph the whole display until the window shows the title (the
# first frames may still be black on their way): the client area holds a
# picture, not one flat colour, and the white root around it stays white.
spread=0
for _ in $(seq 1 50); do
    sleep 0.2
    # The window is centred after it appears, so where it is is read anew.
    geometry
    import -window root root.png
    spread=$(convert root.png -crop "640x480+$x+$y" +repage -format '%[fx:standard_deviation > 0.05 ? 1 : 0]' info:)
    [ "$spread" = 1 ] && break
done
[ "$spread" = 1 ] || fail "the client area does not show the title picture"
above=$(convert root.png -crop "640x4+$x+$((y > 8 ? y - 8 : 0))" +repage -format '%[fx:minima]' info:)
[ "$y" -lt 8 ] || [ "$above" = 1 ] || fail "the picture reaches outside the 640x480 client area"

xdotool windowfocus --sync "$wid" 2>/dev/null || true
xdotool key Escape
xvfb_expect_exit 50 "Escape"
[ -f Report_Game.txt ] || fail "no Report_Game.txt"

# The loop ticks in the real window too: after 30 frames it closes itself.
# This run takes the desktop's depth (Bpp=0): the 24-bit X display is drawn
# into as 32 bits, and the run report describes this display.
sed -i 's/^Bpp=.*/Bpp=0/' System.ini
"$player" --game . --frames 30 &
pid=$!
xvfb_expect_exit 100 "30 frames"
grep -q '^Display : (1280,1024)' Report_Game.txt || fail "the report does not give the X display's size"
grep -q '^Bpp : 32' Report_Game.txt || fail "the 24-bit X display is not taken as 32 bits"
echo "ok: 640x480 window at $x,$y showing the title, closed by Escape, exit 0; 30 frames ran"
