#!/bin/sh
# Real-window input under a virtual X display: a key pressed with xdotool
# reaches the game's key state (read by inputprobe through the game's own
# poll), and the player starts and ends cleanly on a machine without
# joysticks. Usage: xvfb_input_test.sh INPUTPROBE PLAYER
set -eu
probe=$(readlink -f "$1")
player=$(readlink -f "$2")

. "$(dirname "$0")/../support/xvfb_env.sh"
[ -n "${XVFB_CHILD:-}" ] || xvfb_reexec 1280x1024x24 xvfb-run xdotool -- "$0" "$@"
xvfb_workdir
fail() {
    echo "FAIL: $*"
    exit 1
}

# Right arrow and X: direction 2, button 2.
"$probe" --expect-direction 2 --expect-buttons 2 --seconds 60 >probe.txt &
pid=$!
xvfb_wait_window "$pid" inputprobe 600
xdotool windowfocus --sync "$wid" 2>/dev/null || true
xdotool keydown --window "$wid" Right keydown --window "$wid" x
set +e
wait "$pid"
code=$?
set -e
xdotool keyup Right keyup x 2>/dev/null || true
[ "$code" = 0 ] || fail "the key state never held Right and X (exit $code): $(cat probe.txt)"
grep -q "direction 2 buttons 2 numpad 6" probe.txt || fail "unexpected probe output: $(cat probe.txt)"

# No joystick on this display: the player runs its frames and ends with
# nothing on its error output (no sound: a machine without a sound card
# has its own complaints).
"$player" --no-sound --frames 30 2>stderr.txt || fail "the player failed without joysticks: $(cat stderr.txt)"
[ ! -s stderr.txt ] || fail "the player wrote errors: $(cat stderr.txt)"
echo "ok: xdotool keys reached the key state; the player ran without joysticks"
