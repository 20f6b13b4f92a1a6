#!/bin/sh
# Short runs of the player on a fresh copy of the sample game, one case a
# call (a case that needs a tool the machine lacks exits 77, skipped):
#   frames            without a display: N ticks, a screenshot, the run
#                     report, exit 0; a headless run keeps no window position
#   escape            a scripted Escape at frame 5 closes it by itself
#   new_story         the title shows by itself; button 1 twice (Z) starts a
#                     new story and the world map shows: both frames hold a
#                     picture, and they differ
#   same_every_run    time counts in frames: the same script shows the same
#                     frame on every run (after a first start that has saved
#                     its files)
#   usage             --help prints the usage line and ends; an unknown
#                     switch prints it too and fails
#   without_display   no display and no --headless: says so and fails at
#                     once, instead of playing on in a driver that shows
#                     nothing
#   no_sound          --no-sound opens no sound device
#   no_audio_device   a window on a machine without a sound device (an audio
#                     driver that does not exist) starts and plays silently
#   audio_device      SDL's dummy audio driver stands for a sound device: it
#                     opens, pulls the mix from its own thread and closes
#   audio_library_quiet
#                     the sound library finds no device (an empty
#                     configuration): its own lines go to the run report,
#                     and stderr holds only the player's line about it
# Usage: player_runs_test.sh PLAYER SAMPLE_GAME WORKDIR CASE
set -eu
player=$1
sample=$2
work=$3
case_name=$4

. "$(dirname "$0")/../support/game_copy.sh"

in_game_copy() {
    fresh_game_copy
    cd "$work/game"
    export XDG_RUNTIME_DIR="$work/game"
}

in_empty_folder() {
    rm -rf "$work"
    mkdir -p "$work"
    cd "$work"
    export XDG_RUNTIME_DIR="$work"
}

needs() {
    command -v "$1" >/dev/null || exit 77
}

# True when the picture is not one flat colour.
holds_a_picture() {
    [ "$(convert "$1" -format '%[fx:standard_deviation > 0.05]' info:)" = 1 ]
}

windowed_run() {
    SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0 timeout 90 xvfb-run -a "$player" --game . --frames 30
}

case "$case_name" in
frames)
    in_game_copy
    "$player" --game . --headless --frames 30 --screenshot last.png || fail "the run failed"
    test -s last.png || fail "no screenshot"
    grep -q 'App : ver 920' Report_Game.txt || fail "no version line in the run report"
    test -d user_data || fail "no user_data folder"
    test ! -e user_data/Window.dat || fail "a headless run kept a window position"
    ;;
escape)
    in_game_copy
    echo '5 key 27' >escape.txt
    timeout 20 "$player" --game . --headless --script escape.txt || fail "Escape did not close the player"
    ;;
new_story)
    needs convert
    in_game_copy
    printf '30 key 90\n45 key 90\n' >keys.txt
    timeout 60 "$player" --game . --headless --no-sound --frames 25 --screenshot title.png || fail "the title run failed"
    timeout 60 "$player" --game . --headless --no-sound --script keys.txt --frames 68 --screenshot map.png ||
        fail "the new story run failed"
    for f in title.png map.png; do
        holds_a_picture "$f" || fail "$f is one flat colour"
    done
    ! cmp -s title.png map.png || fail "the world map looks like the title"
    ;;
same_every_run)
    in_game_copy
    printf '30 key 90\n45 key 90\n' >keys.txt
    timeout 60 "$player" --game . --headless --no-sound --frames 1 || fail "the first start failed"
    for i in 1 2; do
        timeout 60 "$player" --game . --headless --no-sound --script keys.txt --frames 600 --screenshot "run$i.png" ||
            fail "run $i failed"
    done
    cmp run1.png run2.png || fail "two runs of one script differ"
    ;;
usage)
    in_empty_folder
    "$player" --help | grep -q '^usage: player ' || fail "--help gives no usage line"
    ! "$player" --bogus 2>usage.txt || fail "an unknown switch did not fail"
    grep -q '^usage: player ' usage.txt || fail "an unknown switch gives no usage line"
    ;;
without_display)
    in_empty_folder
    ! env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=offscreen timeout 20 "$player" 2>display.txt ||
        fail "the player ran without a display"
    grep -qx 'player: no display; use --headless' display.txt || fail "the player did not say why it stopped"
    ;;
no_sound)
    in_game_copy
    rm -f Report_Game.txt
    timeout 60 "$player" --game . --headless --no-sound --frames 30 || fail "the run failed"
    grep -q 'DSInit Err' Report_Game.txt || fail "a sound device was opened"
    ;;
no_audio_device)
    needs xvfb-run
    in_game_copy
    rm -f Report_Game.txt
    SDL_AUDIODRIVER=no_such_driver windowed_run || fail "the run without a sound device failed"
    grep -q 'DSInit Err' Report_Game.txt || fail "a sound device was reported"
    ;;
audio_device)
    needs xvfb-run
    in_game_copy
    rm -f Report_Game.txt
    SDL_AUDIODRIVER=dummy windowed_run || fail "the run with a sound device failed"
    grep -q 'App : ver 920' Report_Game.txt || fail "no version line in the run report"
    ! grep -q 'DSInit Err' Report_Game.txt || fail "the sound device did not open"
    ;;
audio_library_quiet)
    needs xvfb-run
    in_game_copy
    rm -f Report_Game.txt
    : >empty.conf
    SDL_AUDIODRIVER=alsa ALSA_CONFIG_PATH="$PWD/empty.conf" windowed_run 2>stderr.txt ||
        fail "the run without a sound library configuration failed"
    grep -q 'ALSA: ' Report_Game.txt || fail "the sound library's lines are not in the run report"
    [ "$(wc -l <stderr.txt)" = 1 ] && grep -q '^audio: no sound device' stderr.txt ||
        fail "stderr is not the player's one line: $(cat stderr.txt)"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
