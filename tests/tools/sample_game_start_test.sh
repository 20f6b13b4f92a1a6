#!/bin/sh
# The sample game as a player first meets it, headless on fresh copies:
# - the first start goes straight to the title: no question (the game ships
#   its data folder), no error box, no failure line in the run report, and
#   the temporary files of killed saves are gone from every save folder;
# - every stage, played directly, loads every picture the player asks for
#   (no "LoadImage Err" or other failure line in the report);
# - the same game shipped with default/ only asks once whether to make its
#   data folder, then plays from a data folder equal to default/.
# Usage: sample_game_start_test.sh PLAYER SAMPLE_GAME WORKDIR
set -eu
player=$1
sample=$2
work=$3
stages="w1-1 w2-1 w3-1 w4-1 c01-1 c02-1 free"

fail() {
    echo "FAIL: $*"
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
export XDG_RUNTIME_DIR="$work"

# fresh NAME: a new copy of the sample game in $work/NAME, made the working
# folder.
fresh() {
    cp -r "$sample" "$work/$1"
    cd "$work/$1"
}

# start WHAT ARGS...: a headless start; exit 0, no error box, no failure
# line in the run report.
start() {
    what=$1
    shift
    status=0
    timeout 120 "$player" --game . --headless "$@" 2>stderr.txt || status=$?
    [ "$status" -eq 0 ] || fail "$what ended with $status: $(cat stderr.txt)"
    ! grep -q 'message box not shown: \[エラー\]' stderr.txt || fail "$what showed an error box: $(cat stderr.txt)"
    if iconv -f CP932 -t UTF-8 Report_Game.txt | grep -E 'failed|Err|失敗|できません|不正' >failures.txt; then
        fail "$what reported: $(cat failures.txt)"
    fi
}

fresh first
# Temporary files of saves killed before their rename, in every save
# folder, and files that only look alike, which stay.
leftovers="user_data/Option.dat.tmpAb12Cd user_data/story/Story01.dat.tmpXYZ123
    user_data/challenge/Challenge.dat.tmp000000 user_data/free/free.rkg.tmpq1w2e3 user_data/rpl4/a.rpl4.tmpZZZZZZ"
lookalikes="user_data/story/notes.tmp user_data/story/Story02.dat.tmpAB user_data/free/.tmpABCDEF"
mkdir -p user_data/story user_data/challenge user_data/free user_data/rpl4
for f in $leftovers $lookalikes; do echo killed >"$f"; done
start "the first start" --frames 60
! grep -q 'message box' stderr.txt || fail "the first start asked: $(cat stderr.txt)"
[ ! -d default ] || fail "the first start made a default folder"
for f in $leftovers; do
    [ ! -e "$f" ] || fail "the leftover $f is still there"
    name=$(echo "$f" | tr / '\\')
    grep -qF "$name : " Report_Game.txt || fail "no report line for the leftover $f"
done
for f in $lookalikes; do [ -e "$f" ] || fail "$f, no leftover of a save, was removed"; done

for stage in $stages; do
    fresh "$stage"
    start "stage $stage" --frames 30 "data/stg4/$stage.stg4"
    grep -q '^Mode : Window' Report_Game.txt || fail "stage $stage: no start-up in the report"
done

fresh default_only
mv data default
start "the first start of a game with default/ only" --frames 60
# Nobody answers a headless run's question: it takes its default button.
[ "$(grep -c 'デフォルトデータ作成の確認.*データが存在しません' stderr.txt)" -eq 1 ] ||
    fail "the first start of a game with default/ only did not ask once: $(cat stderr.txt)"
# Start-up adds its working folders (data/work ...) to the copy.
if diff -r default data | grep -v '^Only in data' >copy.txt; then fail "data/ is not the copy of default/: $(cat copy.txt)"; fi
start "the second start of a game with default/ only" --frames 60
! grep -q 'message box' stderr.txt || fail "the second start asked again: $(cat stderr.txt)"
echo "the sample game starts without a question and loads every picture of its stages"
