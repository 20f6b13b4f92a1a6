#!/bin/sh
# A whole game played headless through the menus on a fresh copy of the
# sample game: NAME.keys (beside this file) presses the keys and names the
# frames it photographs; the run's frames and the files it writes must equal
# golden/NAME/ byte for byte (the PNGs there, and the files listed with
# their SHA-256 in golden/NAME/files.sha256, relative to the game folder).
# The last frame is photographed as last.png. When NAME.switches is there,
# its settings (NAME=VALUE, one a line) are made in the copy's system data
# by the program in E2E_SYSTEM_SWITCH first; NAME.args holds further
# arguments of the player (a stage file to start on), when it is there;
# NAME.ini holds System.ini settings (KEY=VALUE) that replace the copy's.
#
# Usage: menu_run_test.sh PLAYER NAME FRAMES [KEEP]
#   KEEP: a folder that receives the run's frames and files when they
#   differ, to look at them. With PLAYER_WRITE_GOLDENS set, the run's
#   frames and hashes become the new goldens (look at them before
#   committing them).
set -eu
player=$(readlink -f "$1")
name=$2
frames=$3
keep=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
golden="$here/golden/$name"
fail() {
    echo "FAIL: $*"
    if [ -n "$keep" ]; then
        rm -rf "$keep" && mkdir -p "$keep" && cp -r "$work/shots" "$work/game/user_data" "$keep/" 2>/dev/null || true
        cp "$work/game/Report_Game.txt" "$keep/" 2>/dev/null || true
        echo "the run's frames and files are in $keep"
    fi
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
mkdir "$work/game" "$work/shots"
cp -r "$(dirname "$player")/sample_game/." "$work/game/"
if [ -f "$here/$name.switches" ]; then
    "${E2E_SYSTEM_SWITCH:?the system switch program}" "$work/game" $(grep -v '^#' "$here/$name.switches") ||
        fail "the system data could not be set up"
fi
if [ -f "$here/$name.ini" ]; then
    for kv in $(grep -v '^#' "$here/$name.ini"); do sed -i "s/^${kv%%=*}=.*/$kv/" "$work/game/System.ini"; done
fi
args=""
[ ! -f "$here/$name.args" ] || args=$(grep -v '^#' "$here/$name.args")
# Shots land beside the script.
cp "$here/$name.keys" "$work/shots/keys.txt"
(cd "$work/game" && XDG_RUNTIME_DIR="$work" timeout 600 "$player" --game . --headless --no-sound \
    --script "$work/shots/keys.txt" --frames "$frames" --screenshot "$work/shots/last.png" $args) ||
    fail "the player ended with code $?"
rm "$work/shots/keys.txt"

if [ -n "${PLAYER_WRITE_GOLDENS:-}" ]; then
    mkdir -p "$golden"
    rm -f "$golden"/*.png
    cp "$work/shots/"*.png "$golden/"
    listed=$(cut -c67- "$golden/files.sha256")
    [ -z "$listed" ] || (cd "$work/game" && sha256sum $listed) >"$golden/files.sha256"
    echo "goldens written: $golden"
    exit 0
fi

for want in "$golden"/*.png; do
    shot=$(basename "$want")
    [ -f "$work/shots/$shot" ] || fail "no frame $shot"
    cmp -s "$want" "$work/shots/$shot" || fail "frame $shot differs from the golden"
done
for got in "$work/shots/"*.png; do
    [ -f "$golden/$(basename "$got")" ] || fail "frame $(basename "$got") has no golden"
done
# A run that writes no file the game keeps has an empty list.
if [ -s "$golden/files.sha256" ]; then
    (cd "$work/game" && sha256sum -c --quiet "$golden/files.sha256") || fail "written files differ from the goldens"
fi
echo "ok: $name: $(ls "$golden"/*.png | wc -l) frames and $(wc -l <"$golden/files.sha256") written files as the goldens"
