# An attempt at a stage of the sample game recorded by one replay_trace
# process and played back by another, each on its own fresh copy of the
# game: both passes of the playback must give the recorded stage state
# after every play frame. With EXPECTED, the recorded attempt's last frame
# and hash must also be the ones kept there for NAME (REFRESH=1 writes them
# there instead).
#
# cmake -DTOOL=... -DGAME=<sample game> -DWORK=<scratch dir> -DNAME=<id>
#       -DSTAGE=<stage file in the game> -DSCRIPT=<key script>
#       -DFRAMES=<n> -DVERSION=<data version> [-DEXPECTED=<file>]
#       [-DREFRESH=1] -P replay_roundtrip.cmake
foreach(var TOOL GAME WORK NAME STAGE SCRIPT FRAMES VERSION)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "replay_roundtrip: ${var} is not set")
    endif()
endforeach()

set(dir "${WORK}/${NAME}")
file(REMOVE_RECURSE "${dir}")
foreach(copy record play)
    file(MAKE_DIRECTORY "${dir}/${copy}")
    file(COPY "${GAME}/" DESTINATION "${dir}/${copy}")
endforeach()

execute_process(
    COMMAND "${TOOL}" record --game "${dir}/record" --stage "${STAGE}" --script "${SCRIPT}" --frames "${FRAMES}"
            --version "${VERSION}" --replay "${dir}/attempt.rpl4_${VERSION}" --hashes "${dir}/recorded.txt"
    RESULT_VARIABLE code)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "${NAME}: recording failed (${code})")
endif()
execute_process(
    COMMAND "${TOOL}" play --game "${dir}/play" --replay "${dir}/attempt.rpl4_${VERSION}" --passes 2
            --hashes "${dir}/played.txt"
    RESULT_VARIABLE code)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "${NAME}: playback failed (${code})")
endif()

file(STRINGS "${dir}/recorded.txt" recorded)
file(STRINGS "${dir}/played.txt" played)
list(LENGTH recorded frames)
if(frames LESS 50)
    message(FATAL_ERROR "${NAME}: only ${frames} play frames recorded")
endif()

# The playback, pass by pass, against the recorded frames.
set(expected_lines "pass 1" ${recorded} "pass 2" ${recorded})
list(LENGTH expected_lines expected_count)
list(LENGTH played played_count)
set(at 0)
while(at LESS expected_count)
    if(at GREATER_EQUAL played_count)
        message(FATAL_ERROR "${NAME}: the playback ends after ${played_count} lines of ${expected_count}")
    endif()
    list(GET expected_lines ${at} want)
    list(GET played ${at} got)
    if(NOT got STREQUAL want)
        message(FATAL_ERROR "${NAME}: line ${at} of the playback is '${got}', recorded '${want}'")
    endif()
    math(EXPR at "${at} + 1")
endwhile()
if(played_count GREATER expected_count)
    message(FATAL_ERROR "${NAME}: the playback has ${played_count} lines, recorded ${expected_count}")
endif()

if(NOT DEFINED EXPECTED)
    return()
endif()
list(GET recorded -1 final)
set(line "${NAME} ${final}")
file(STRINGS "${EXPECTED}" kept REGEX "^${NAME} ")
if(REFRESH)
    file(STRINGS "${EXPECTED}" all)
    set(text "")
    set(placed FALSE)
    foreach(old IN LISTS all)
        if(old MATCHES "^${NAME} ")
            string(APPEND text "${line}\n")
            set(placed TRUE)
        else()
            string(APPEND text "${old}\n")
        endif()
    endforeach()
    if(NOT placed)
        string(APPEND text "${line}\n")
    endif()
    file(WRITE "${EXPECTED}" "${text}")
    message(STATUS "${NAME}: ${final}")
    return()
endif()
if(NOT kept STREQUAL line)
    message(FATAL_ERROR "${NAME}: the attempt ends with '${final}', expected '${kept}'. When play changed on "
                        "purpose: cmake --build --preset default --target refresh_replay_hashes")
endif()
