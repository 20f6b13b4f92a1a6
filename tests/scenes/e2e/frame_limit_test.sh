#!/bin/sh
# --frames ends a headless run at its frame wherever the game is: the
# ranking_name run cut where the ranking table shows (a frame loop of its
# own that only a button ends) must end by itself, its last frame being the
# one the cut names, equal to that run's golden of the table.
#
# Usage: frame_limit_test.sh PLAYER
set -eu
player=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
fail() {
    echo "FAIL: $*"
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
mkdir "$work/game" "$work/shots"
cp -r "$(dirname "$player")/sample_game/." "$work/game/"
# The table shows from the key that confirms the name until button 1.
cut=1290
awk -v cut=$cut '$1 ~ /^[0-9]+$/ && $1 + 0 >= cut { exit } { print }' "$here/ranking_name.keys" >"$work/shots/keys.txt"
echo "$cut shot at_cut.png" >>"$work/shots/keys.txt"
grep -q "^1260 key 13" "$work/shots/keys.txt" || fail "the cut script lost the name's confirmation"
# Without the limit the run would wait in the table for ever; the timeout
# only bounds a broken run.
code=0
(cd "$work/game" && XDG_RUNTIME_DIR="$work" timeout 300 "$player" --game . --headless --no-sound \
    --script "$work/shots/keys.txt" --frames $cut --screenshot "$work/shots/last.png") >"$work/out.txt" 2>&1 ||
    code=$?
[ $code -eq 0 ] || fail "the player ended with code $code: $(cat "$work/out.txt")"
[ -f "$work/shots/at_cut.png" ] || fail "frame $cut was never shown"
cmp -s "$work/shots/at_cut.png" "$work/shots/last.png" || fail "the last frame is not frame $cut"
cmp -s "$here/golden/ranking_name/ranking.png" "$work/shots/last.png" || fail "frame $cut is not the ranking table"
echo "ok: the run cut in the ranking table ended at frame $cut"
