#!/bin/sh
# Prints the folder-level include graph of src/ and fails (exit 1) when two
# sibling folders include each other, directly or around a longer circle.
#
# Every `#include "a/b/file.h"` in a file of folder x/y gives an edge
# between the two children of their deepest common folder: src/stage/flow
# including stage/objects/chara.h is "stage: flow -> objects", and
# src/scenes/title including draw/device.h is "src: scenes -> draw". An
# include of a file in the folder's own parent or child is no edge. The
# graph is printed one edge a line with the count of includes behind it.
# Usage: tools/include_graph.sh [SRC_DIR]   (default: src/ of this checkout)
set -eu
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
    if ! printf '%s\n' "$pairs" | tsort >/dev/null 2>"${TMPDIR:-/tmp}/include_graph.$$"; then
        echo "CIRCLE between the folders of $parent:"
        sed -n 's/^tsort: //p' "${TMPDIR:-/tmp}/include_graph.$$" | grep -v 'input contains a loop' | sed 's/^/  /'
        status=1
    fi
    rm -f "${TMPDIR:-/tmp}/include_graph.$$"
done
[ "$status" -eq 0 ] && echo "no circle between sibling folders"
exit "$status"
