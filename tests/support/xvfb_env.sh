# Shared start of the real-window checks (sourced).
#
# xvfb_reexec SCREEN TOOL... -- "$0" "$@": skips (exit 77) when a tool is
# missing, else runs the calling script again under xvfb-run with a screen
# of SCREEN (e.g. 1280x1024x24).
xvfb_reexec() {
    screen=$1
    shift
    while [ "$1" != "--" ]; do
        if ! command -v "$1" >/dev/null 2>&1; then
            echo "skipped: $1 is not installed"
            exit 77
        fi
        shift
    done
    shift
    XVFB_CHILD=1 exec xvfb-run -a -s "-screen 0 $screen" "$@"
}

# ImageMagick's worker threads crawl on a loaded machine; one is enough to
# read a photograph.
export MAGICK_THREAD_LIMIT=1

# holds_picture FILE: the photograph is not one flat colour.
holds_picture() {
    [ "$(convert "$1" -format '%[fx:standard_deviation > 0.05 ? 1 : 0]' info:)" = 1 ]
}

# xvfb_workdir: a fresh working folder (removed on exit) with the settings
# every window check runs with: a lock and runtime folder of its own, and
# SDL's software renderer drawing straight into the X window (a virtual
# display has no GPU, and the GL emulation recreates windows and has crashed
# on a busy machine).
xvfb_workdir() {
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cd "$work"
    export XDG_RUNTIME_DIR="$work"
    export SDL_RENDER_DRIVER=software
    export SDL_FRAMEBUFFER_ACCELERATION=0
}

# xvfb_game_copy PLAYER: the sample game built next to PLAYER copied into
# the working folder, with the data folder it ships.
xvfb_game_copy() {
    cp -r "$(dirname "$1")/sample_game/." .
}

# xvfb_wait_window PID WHAT TENTHS: sets wid to the visible window of PID,
# waiting up to TENTHS tenths of a second (sanitizer builds on a busy
# machine have taken half a minute); fails when PID ends first or no window
# comes.
xvfb_wait_window() {
    wid=""
    for _ in $(seq 1 "$3"); do
        wid=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$wid" ] && return 0
        kill -0 "$1" 2>/dev/null || fail "$2 ended before its window appeared"
        sleep 0.1
    done
    fail "$2: no window"
}

# xvfb_expect_exit TENTHS WHAT: waits up to TENTHS tenths of a second for
# the process $pid to end, and fails (through the caller's fail) when it is
# still running or ends with another code than 0.
xvfb_expect_exit() {
    for _ in $(seq 1 "$1"); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then fail "$2: still running"; fi
    set +e
    wait "$pid"
    code=$?
    set -e
    [ "$code" = 0 ] || fail "$2: exit code $code"
}
