#!/bin/sh
# Starts and quits the headless player ROUNDS times on one copy of the
# sample game: every run exits 0 (a sanitizer's leak or error report fails
# it) and writes nothing at all to its error output (the game ships its data
# folder: the first start asks nothing), and every run from the second on
# writes the same run report, so no run adds a line the others lack.
# Then start-ups that cannot succeed must end with a failure status, a game
# folder that cannot take the run report saying why.
# Usage: start_quit_test.sh PLAYER SAMPLE_GAME WORKDIR ROUNDS
set -eu
player=$1
sample=$2
work=$3
rounds=$4

. "$(dirname "$0")/../support/game_copy.sh"
fresh_game_copy
cd "$work/game"
export XDG_RUNTIME_DIR="$work"

run() {
    timeout 60 "$player" --game . --headless --no-sound --frames 2 2>"$work/stderr.txt"
}

i=1
while [ "$i" -le "$rounds" ]; do
    status=0
    run || status=$?
    [ "$status" -eq 0 ] || { cat "$work/stderr.txt"; fail "round $i exited $status"; }
    [ -d data ] || fail "round $i left no data folder"
    [ ! -s "$work/stderr.txt" ] || { cat "$work/stderr.txt"; fail "round $i wrote to its error output"; }
    if [ "$i" -eq 2 ]; then
        cp Report_Game.txt "$work/steady.txt"
        grep -q 'Mode : Window' "$work/steady.txt" || fail "no display section in the report"
        ! grep -q 'InitGame' "$work/steady.txt" || fail "a start-up step failed"
    elif [ "$i" -gt 2 ]; then
        cmp -s Report_Game.txt "$work/steady.txt" || {
            diff "$work/steady.txt" Report_Game.txt || true
            fail "round $i reported differently"
        }
    fi
    i=$((i + 1))
done

# Start-ups that fail: no game at all, and a game whose world map is gone.
mkdir -p "$work/empty"
cd "$work/empty"
if run; then fail "an empty folder started"; fi
cd "$work/game"
rm -f data/WorldMap.dat
if run; then fail "a game without its world map started"; fi
grep -q 'InitGame: world map and common palette failed' Report_Game.txt || fail "no report line for the failed step"

# A game folder the run report cannot be created in: the reason on the
# error output and in a box, and a failure status. A folder without write
# permission binds no root, so that case runs for other users only.
unwritable() {
    case $1 in
        folder) rm -f Report_Game.txt && mkdir Report_Game.txt ;;
        permission) rm -rf Report_Game.txt && chmod a-w . ;;
    esac
}
cases="folder"
[ "$(id -u)" -eq 0 ] || cases="$cases permission"
for case in $cases; do
    unwritable $case
    status=0
    run || status=$?
    chmod u+w . && rm -rf Report_Game.txt
    [ "$status" -ne 0 ] || fail "$case: a game without its run report started"
    grep -q '^player: cannot create the run report .*Report_Game.txt: ' "$work/stderr.txt" ||
        fail "$case: no reason on the error output: $(cat "$work/stderr.txt")"
    grep -q 'message box not shown: \[エラー\] ゲームフォルダに書き込めないため、起動できません！' "$work/stderr.txt" ||
        fail "$case: no box: $(cat "$work/stderr.txt")"
done
rm -rf "$work"
echo "$rounds rounds passed"
