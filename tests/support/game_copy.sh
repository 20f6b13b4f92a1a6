# Shared by the player's shell tests: one way to fail, and a fresh copy of
# the sample game in "$work/game" so a run never writes into the build's own.
# Sourced after $sample and $work are set.
fail() {
    echo "FAIL: $*"
    exit 1
}

fresh_game_copy() {
    rm -rf "$work"
    mkdir -p "$work/game"
    cp -r "$sample/." "$work/game"
}
