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
