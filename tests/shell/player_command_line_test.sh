#!/bin/sh
# The player's command line as a user meets it: --help names every option on
# a line of its own, the keys and where the files go; --version prints the
# version; a stage file is taken from the working folder (not the game
# folder) and a missing one is named and fails; a headless run leaves no
# window position behind.
# Usage: player_command_line_test.sh PLAYER SAMPLE_GAME WORKDIR
set -eu
player=$1
sample=$2
work=$3

. "$(dirname "$0")/../support/game_copy.sh"
fresh_game_copy
cd "$work"
export XDG_RUNTIME_DIR="$work"

# --help: every switch of the usage line starts a line of its own.
"$player" --help >help.txt || fail "--help ended with an error"
head -n 1 help.txt | grep -q '^usage: player ' || fail "--help does not start with the usage line"
for option in $(head -n 1 help.txt | grep -o -- '--[a-z-]*'); do
    [ "$(grep -c -- "^ *\(-h, \)\?$option\b" help.txt)" -eq 1 ] || fail "--help has no line of its own for $option"
done
grep -q '^ *STAGEFILE ' help.txt || fail "--help does not explain STAGEFILE"
for key in 'arrow keys' 'Z  ' 'X  ' 'C  ' 'V  ' 'Space' 'Escape' 'F3'; do
    grep -q "^  $key" help.txt || fail "--help does not name the key $key"
done
for file in 'user_data/story/' 'user_data/Option.dat' 'Report_Game.txt.*Shift-JIS'; do
    grep -q "$file" help.txt || fail "--help does not say where $file goes"
done

# --version: one line with the version the run report also names.
[ "$("$player" --version)" = "player 920" ] || fail "--version printed '$("$player" --version)'"

run() {
    timeout 120 "$player" --headless --no-sound --frames 150 "$@"
}

# The title, then the same stage named from the folder above the game and
# from inside it, and by its absolute path: the stage frames are the same,
# and not the title's.
run --game game --screenshot title.png 2>stderr.txt || fail "the title run failed: $(cat stderr.txt)"
[ ! -e game/user_data/Window.dat ] || fail "a headless run wrote user_data/Window.dat"
run --game game --screenshot above.png game/data/stg4/w1-1.stg4 2>stderr.txt ||
    fail "the stage named from above the game failed: $(cat stderr.txt)"
(cd game/data && run --game .. --screenshot ../../inside.png stg4/w1-1.stg4 2>../../stderr.txt) ||
    fail "the stage named from inside the game failed: $(cat stderr.txt)"
run --game game --screenshot absolute.png "$work/game/data/stg4/w1-1.stg4_001" 2>stderr.txt ||
    fail "the stage named by its absolute path failed: $(cat stderr.txt)"
cmp -s above.png inside.png || fail "the stage named from inside the game shows another frame"
cmp -s above.png absolute.png || fail "the stage named by its absolute path shows another frame"
! cmp -s above.png title.png || fail "the stage file named on the command line was not played"

# A stage file the working folder does not hold (it is in the game folder
# only): named on stderr, exit non-zero, no title shown.
for missing in data/stg4/w1-1.stg4 game/data/stg4/nothing.stg4 "$work/game/data"; do
    rm -f shown.png
    status=0
    run --game game --screenshot shown.png "$missing" 2>stderr.txt || status=$?
    [ "$status" -ne 0 ] || fail "a missing stage file $missing ended with status 0"
    grep -qx "player: no stage file .*$missing" stderr.txt || fail "the missing $missing is not named: $(cat stderr.txt)"
    [ ! -e shown.png ] || fail "the player went on without the stage file $missing"
done
echo "help, version, stage files and the headless window position as expected"
