#!/bin/sh
# Prints the folder-level include graph of src/ and fails (exit 1) when
# sibling folders include each other, directly or around a longer circle.
#
# Every `#include "a/b/file.h"` in a file of folder x/y gives an edge between
# the two children of their deepest common folder: src/stage/flow including
# stage/objects/chara.h is "src/stage: flow -> objects", and src/scenes/title
# including draw/device.h is "src: scenes -> draw". A folder and its own
# parent or child give no edge. Each edge is printed once, with the count of
# includes behind it.
# Usage: tools/include_graph.sh [--ignore FOLDER]... [SRC_DIR]
#   --ignore src/x   prints the circle between the folders of src/x without
#                    failing on it
set -eu
ignored=" "
while [ $# -gt 0 ]; do
    case "$1" in
    --ignore)
        ignored="$ignored$2 "
        shift 2
        ;;
    *) break ;;
    esac
done
src=${1:-$(dirname "$0")/../src}
cd "$src"

# "parent<TAB>from<TAB>to" per include between siblings. Includes that name
# no file of src/ (system and library headers) are left out.
edges=$(
    {
        find . -name '*.h' -o -name '*.cpp' | sed 's|^\./|file |'
        grep -rHo --include='*.h' --include='*.cpp' '^#include "[^"]*"' . | sed 's|^\./||; s|:#include "| |; s|"$||'
    } | awk '
    $1 == "file" { known[$2] = 1; next }
    !($2 in known) { next }
    {
        na = split(dir($1), a, "/"); nb = split(dir($2), b, "/")
        i = 1
        while (i <= na && i <= nb && a[i] == b[i]) i++
        if (i > na || i > nb) next          # same folder, or parent and child
        parent = "src"
        for (k = 1; k < i; k++) parent = parent "/" a[k]
        print parent "\t" a[i] "\t" b[i]
    }
    function dir(path) { return sub(/\/[^\/]*$/, "", path) ? path : "" }'
)

[ -n "$edges" ] || { echo "no includes between sibling folders"; exit 0; }
printf '%s\n' "$edges" | sort | uniq -c | awk '{ printf "%s: %s -> %s (%d)\n", $2, $3, $4, $1 }'

status=0
for parent in $(printf '%s\n' "$edges" | cut -f1 | sort -u); do
    pairs=$(printf '%s\n' "$edges" | awk -F'\t' -v p="$parent" '$1 == p { print $2, $3 }' | sort -u)
    # tsort names the folders of every circle it meets on its error output.
    circle=$(printf '%s\n' "$pairs" | tsort 2>&1 >/dev/null | sed -n 's/^tsort: //p' | grep -v 'input contains a loop' |
        sort -u | tr '\n' ' ') || true
    [ -n "$circle" ] || continue
    case "$ignored" in
    *" $parent "*) echo "circle (ignored) between the folders of $parent: $circle" ;;
    *)
        echo "CIRCLE between the folders of $parent: $circle"
        status=1
        ;;
    esac
done
if [ "$status" -eq 0 ]; then
    [ "$ignored" = " " ] && echo "no circle between sibling folders" || echo "no circle between sibling folders outside$ignored"
fi
exit "$status"
