#!/bin/sh
# The screen modes of System.ini in a real window under a virtual X display:
# WindowMode=0 covers the whole display without a frame in both drawing
# paths (the device path at 32 bits, DirectDraw at 8), the frame scaled and
# centred on black; WindowMode=2 gives a window that, resized to 1000 x 900,
# shows the whole frame letterboxed in it. With POINTER_PROBE (a program
# that prints "hidden" or "shown" for the display's pointer image) the
# pointer over the full screen is hidden and over the window shown.
# Usage: xvfb_display_modes_test.sh PLAYER [POINTER_PROBE]   (runs itself
# under xvfb-run)
set -eu
player=$(readlink -f "$1")
probe=""
[ -z "${2:-}" ] || probe=$(readlink -f "$2")

. "$(dirname "$0")/../support/xvfb_env.sh"
[ -n "${XVFB_CHILD:-}" ] || xvfb_reexec "1280x1024x24 -wr" xvfb-run xdotool import convert xwininfo -- "$0" "$@"
xvfb_workdir
xvfb_game_copy "$player"

pid=""
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; rm -rf "$work"' EXIT INT TERM
fail() {
    echo "FAIL: $*"
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
    cat stderr.txt 2>/dev/null || true
    tail -n 5 Report_Game.txt 2>/dev/null || true
    exit 1
}

# settings KEY=VALUE...: System.ini with those lines replaced.
settings() {
    for kv in "$@"; do sed -i "s/^${kv%%=*}=.*/$kv/" System.ini; done
}
geometry() {
    info=$(xwininfo -id "$wid")
    x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
    w=$(echo "$info" | sed -n 's/.*Width: *//p')
    h=$(echo "$info" | sed -n 's/.*Height: *//p')
}
# wait_geometry W H X Y: until the window stands there (two minutes at most).
wait_geometry() {
    for _ in $(seq 1 1200); do
        geometry
        [ "$w" = "$1" ] && [ "$h" = "$2" ] && [ "$x" = "$3" ] && [ "$y" = "$4" ] && return 0
        kill -0 "$pid" 2>/dev/null || fail "the player ended"
        sleep 0.1
    done
    fail "the window stands at ${w}x${h}+$x+$y, not ${1}x${2}+$3+$4"
}
# wait_letterbox FILE FW FH FX FY: photographs the window until the frame
# (FW x FH at FX, FY inside the window) holds a picture while the rest of
# the window is black.
wait_letterbox() {
    for _ in $(seq 1 600); do
        geometry
        import -window root root.png
        convert root.png -crop "${w}x${h}+$x+$y" +repage "$1"
        inside=$(convert "$1" -crop "${2}x${3}+$4+$5" +repage -format '%[fx:standard_deviation > 0.05 ? 1 : 0]' info:)
        outside=$(convert "$1" -fill black -draw "rectangle $4,$5 $(($4 + $2 - 1)),$(($5 + $3 - 1))" -format '%[fx:maxima]' info:)
        [ "$inside" = 1 ] && [ "$outside" = 0 ] && return 0
        kill -0 "$pid" 2>/dev/null || fail "the player ended"
        sleep 0.2
    done
    fail "$1: the frame is not shown ${2}x${3} at $4,$5 on black"
}
start() {
    : >Report_Game.txt
    "$player" --game . --no-sound 2>>stderr.txt &
    pid=$!
    xvfb_wait_window "$pid" player 1200
}
# wait_pointer hidden|shown: with the probe, until the pointer over the
# window's middle is drawn so (a minute at most).
wait_pointer() {
    [ -n "$probe" ] || return 0
    geometry
    xdotool mousemove $((x + w / 2)) $((y + h / 2))
    for _ in $(seq 1 600); do
        seen=$("$probe" | cut -d' ' -f1)
        [ "$seen" = "$1" ] && return 0
        kill -0 "$pid" 2>/dev/null || fail "the player ended"
        sleep 0.1
    done
    fail "the pointer over the window is $seen, not $1"
}
stop() {
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=""
}

# Full screen: 1280 x 1024 holds the frame at 1280 x 960, 32 rows of black
# above and below.
for path in "Direct3D=1 Bpp=32" "Direct3D=0 Bpp=0"; do
    # shellcheck disable=SC2086
    settings WindowMode=0 $path
    start
    wait_geometry 1280 1024 0 0
    wait_letterbox full.png 1280 960 0 32
    border=$(xwininfo -id "$wid" | sed -n 's/.*Border width: *//p')
    [ "$border" = 0 ] || fail "$path: the full-screen window has a border of $border"
    wait_pointer hidden
    grep -q '^Mode : Fullscreen' Report_Game.txt || fail "$path: the report does not say full screen"
    ! grep -q 'Fullscreen Err' Report_Game.txt || fail "$path: full screen fell back to a window"
    stop
done
grep -q '^Bpp : 8' Report_Game.txt || fail "the DirectDraw full screen is not the 8-bit one"

# The resizable window: 1000 x 900 shows the frame 1000 x 750, 75 rows of
# black above and below.
# The resize waits for the game's first picture: a size asked for while
# the window is still being set up can be overridden by that set-up on a
# slow machine. It is asked again now and then until the window takes it.
settings WindowMode=2 Direct3D=1 Bpp=32
start
wait_letterbox first.png 640 480 0 0
for i in $(seq 1 1200); do
    [ $((i % 50)) != 1 ] || xdotool windowsize "$wid" 1000 900
    geometry
    [ "$w" = 1000 ] && [ "$h" = 900 ] && break
    sleep 0.1
done
[ "$w" = 1000 ] && [ "$h" = 900 ] || fail "the resizable window stays ${w}x${h}"
wait_letterbox resized.png 1000 750 0 75
wait_pointer shown
stop
echo "ok: full screen covers 1280x1024 in both paths with the frame letterboxed; the resized window letterboxes it"
