#!/bin/sh
# tools/include_graph.sh on small trees made here: a circle of three sibling
# folders fails and is named, a parent and its child including each other
# are no circle, --ignore reports the circle without failing; then the
# project's own src/, which holds no circle anywhere.
# Usage: include_graph_test.sh TOOL SRC_DIR WORKDIR
set -eu
tool=$1
src=$2
work=$3

fail() {
    echo "FAIL: $*"
    exit 1
}

tree() {  # tree DIR FILE:INCLUDE...
    dir=$1
    shift
    rm -rf "$dir"
    for entry in "$@"; do
        file=${entry%%:*}
        mkdir -p "$dir/$(dirname "$file")"
        touch "$dir/$file"
        [ "$file" = "$entry" ] || printf '#include "%s"\n' "${entry#*:}" >>"$dir/$file"
    done
}

tree "$work/circle" a/x/one.h:a/y/two.h a/y/two.h:a/z/three.h a/z/three.h:a/x/one.h
! "$tool" "$work/circle" >"$work/circle.txt" || fail "a circle of three folders passed"
grep -qx 'CIRCLE between the folders of src/a: x y z ' "$work/circle.txt" || fail "the circle is not named"
grep -qx 'src/a: x -> y (1)' "$work/circle.txt" || fail "an edge is missing"

"$tool" --ignore src/a "$work/circle" >"$work/ignored.txt" || fail "--ignore still failed"
grep -q 'circle (ignored) between the folders of src/a' "$work/ignored.txt" || fail "the ignored circle is not reported"

tree "$work/parent" a/top.h:a/x/one.h a/x/one.h:a/top.h a/y/two.h:a/x/one.h
"$tool" "$work/parent" >"$work/parent.txt" || fail "a parent and its child counted as a circle"
grep -qx 'no circle between sibling folders' "$work/parent.txt" || fail "no verdict"

"$tool" "$src" || fail "the project's folders include each other in a circle"
