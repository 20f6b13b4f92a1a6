#!/bin/sh
# The drawing core's frame in the real window under a virtual X display:
# drawshot shows its fixture scene in the game's window at a zoom, and the
# photographed client area must equal the headless PNG of the same mode
# scaled by nearest neighbour. A zoom larger than the work area is refused
# and the window stays at 100 %.
# Usage: xvfb_drawshot_test.sh DRAWSHOT   (runs itself under xvfb-run)
# With SHOT_DIR set, the photographed client areas are kept there.
set -eu
drawshot=$(readlink -f "$1")

if [ -z "${XVFB_CHILD:-}" ]; then
    for tool in xvfb-run xdotool import convert compare xwininfo; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "skipped: $tool is not installed"
            exit 77
        fi
    done
    # Large enough for 300 % (1920 x 1440), too small for 500 %.
    XVFB_CHILD=1 exec xvfb-run -a -s "-screen 0 2560x1600x24 -wr" "$0" "$@"
fi

work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT INT TERM
cd "$work"
# SDL's video start wants a runtime folder of its own.
export XDG_RUNTIME_DIR="$work"
# A virtual display has no GPU: SDL's own software renderer, drawing
# straight into the X window. Otherwise SDL backs the window with the GL
# driver's emulation, which recreates the window under the test's eyes
# and has crashed in the GL library on a busy machine.
export SDL_RENDER_DRIVER=software
export SDL_FRAMEBUFFER_ACCELERATION=0

fail() {
    echo "FAIL: $*"
    exit 1
}

geometry() {
    # Empty while the window is not there (yet).
    info=$(xwininfo -id "$wid" 2>/dev/null || true)
    x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
    w=$(echo "$info" | sed -n 's/.*Width: *//p')
    h=$(echo "$info" | sed -n 's/.*Height: *//p')
}

# show MODE ZOOM SHOWN: the window asked for ZOOM must show the frame of
# MODE at SHOWN times its size.
show() {
    mode=$1 zoom=$2 shown=$3
    name="$mode-zoom$zoom"
    "$drawshot" --mode "$mode" --out "ref-$mode.png" || fail "$name: no headless PNG"
    convert "ref-$mode.png" -scale "$((shown * 100))%" "want-$name.png"
    # At most a minute; the test ends it sooner.
    "$drawshot" --window --mode "$mode" --zoom "$zoom" --frames 3600 &
    pid=$!

    # Sanitizer builds on an overloaded machine have taken half a minute
    # to open it.
    wid=""
    for _ in $(seq 1 600); do
        wid=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)
        [ -n "$wid" ] && break
        kill -0 "$pid" 2>/dev/null || fail "$name: drawshot ended before its window appeared"
        sleep 0.1
    done
    if [ -z "$wid" ]; then
        echo "windows on $DISPLAY:"; xwininfo -root -tree 2>&1 | head -20
        grep -E "State|Threads" "/proc/$pid/status" 2>/dev/null || true
        if command -v gdb >/dev/null 2>&1; then gdb -p "$pid" -batch -ex bt 2>&1 | grep "^#" | head -30; fi
        fail "$name: no window"
    fi

    # The zoom and the first frames may still be on their way: photograph
    # until the client area has the wanted size and shows the frame.
    ae=unmeasured
    for _ in $(seq 1 300); do
        sleep 0.1
        geometry
        [ "$w" = $((640 * shown)) ] && [ "$h" = $((480 * shown)) ] || continue
        import -window root root.png
        convert root.png -crop "${w}x${h}+$x+$y" +repage "got-$name.png"
        ae=$(compare -metric AE "got-$name.png" "want-$name.png" null: 2>&1 || true)
        [ "$ae" = 0 ] && break
    done
    [ "$w" = $((640 * shown)) ] && [ "$h" = $((480 * shown)) ] ||
        fail "$name: client area ${w}x${h}, not $((640 * shown))x$((480 * shown))"
    [ "$ae" = 0 ] || fail "$name: $ae pixels differ from the headless frame scaled ${shown}x"
    if [ -n "${SHOT_DIR:-}" ]; then cp "got-$name.png" "$SHOT_DIR/"; fi

    xdotool windowfocus --sync "$wid" 2>/dev/null || true
    xdotool key Escape
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "$name: Escape did not close the window"
    set +e
    wait "$pid"
    code=$?
    set -e
    pid=""
    [ "$code" = 0 ] || fail "$name: exit code $code"
    echo "ok: $name shows the headless frame at $((shown * 100)) % (${w}x${h} at $x,$y)"
}

show D3D32 1 1
show D3D32 3 3
show DD8 3 3
show D3D32 5 1
