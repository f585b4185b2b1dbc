# cmake -DDALMIRO=path/to/dalmiro -P program_commandline.cmake
# --help and --version print and exit 0 with no display. A mistake gives one
# line on standard error naming it and status 2; it runs with the offscreen
# platform available, so a program that opened its window instead would hang
# here until the timeout.
# The program runs under timeout(1), which ends it itself after LIMIT
# seconds (status 124): execute_process's TIMEOUT may end only the process it
# started, cmake -E env, and leave the program running.
function(run_dalmiro)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "LIMIT" "ENV;ARGS")
    if(NOT arg_LIMIT)
        set(arg_LIMIT 15)
    endif()
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                --unset=QT_QPA_PLATFORM ${arg_ENV}
                timeout --kill-after=2 ${arg_LIMIT} ${DALMIRO} ${arg_ARGS}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err
        TIMEOUT 30)
    set(status "${status}" PARENT_SCOPE)
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

# option | what standard output must match
foreach(answer "--help|^Usage: dalmiro " "-h|^Usage: dalmiro "
               "--version|^Dalmiro 1\\.00\n$" "-v|^Dalmiro 1\\.00\n$")
    string(REPLACE "|" ";" answer "${answer}")
    list(GET answer 0 option)
    list(GET answer 1 pattern)
    run_dalmiro(ARGS ${option})
    if(NOT status EQUAL 0 OR NOT out MATCHES "${pattern}" OR NOT err STREQUAL "")
        message(FATAL_ERROR "${option}: status ${status}, stdout '${out}', stderr '${err}'")
    endif()
endforeach()

foreach(bad --fullscreen -x extra)
    run_dalmiro(ENV QT_QPA_PLATFORM=offscreen ARGS -reverse ${bad})
    string(REGEX MATCHALL "\n" newlines "${err}")
    list(LENGTH newlines lines)
    if(NOT status EQUAL 2 OR NOT out STREQUAL "" OR NOT lines EQUAL 1
       OR NOT err MATCHES "'${bad}'")
        message(FATAL_ERROR "${bad}: status ${status}, stdout '${out}', stderr '${err}'")
    endif()
endforeach()

# Without a display and without options, the one-line message stays.
run_dalmiro()
if(NOT status EQUAL 1 OR NOT err MATCHES "^dalmiro: no graphical display found")
    message(FATAL_ERROR "no display: status ${status}, stderr '${err}'")
endif()

# Qt's options reach Qt: with -platform offscreen the program needs no display
# and keeps running with its window until it is stopped.
run_dalmiro(LIMIT 5 ARGS -platform offscreen -qwindowtitle Prova -style=fusion)
if(NOT status EQUAL 124)
    message(FATAL_ERROR "-platform offscreen: ended with '${status}', stderr '${err}'")
endif()
