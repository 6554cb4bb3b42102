# cmake -DPROGRAM=<wordfreq> [-DEMULATOR=...] [-DWINDOWS=...] -P PseudoTerminalTest.cmake
#
# Runs a tool's --help on a pseudo-terminal 60 columns wide, made by script(1),
# where the tool must find the terminal itself: the help wraps at 60 columns
# and its headings and names are bold. Skipped where script(1) is missing or
# the programs do not run natively.

if(EMULATOR OR WINDOWS)
    message("skipped: the tool does not run natively")
    return()
endif()
find_program(SCRIPT script)
if(NOT SCRIPT)
    message("skipped: script(1) is not installed")
    return()
endif()

# The shell script(1) starts sets the terminal's size, then runs the tool
# with none of the settings that would decide in its place.
set(run "stty cols 60 rows 24 && env -u COLUMNS -u NO_COLOR -u CLICOLOR_FORCE TERM=xterm '${PROGRAM}' --help")
execute_process(COMMAND ${SCRIPT} -qec "${run}" /dev/null
    INPUT_FILE /dev/null OUTPUT_VARIABLE output RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "script(1) failed (${status}):\n${output}")
endif()
string(REPLACE "\r\n" "\n" output "${output}")
string(ASCII 27 escape)
foreach(expected
        "${escape}[1mUsage:${escape}[0m wordfreq [OPTION]..."
        "\nCount the words of each FILE (standard input when there is\nnone) and print"
        "\n${escape}[1mOptions:${escape}[0m\n"
        "  ${escape}[1m-t${escape}[0m, ${escape}[1m--top${escape}[0m=N                print the N")
    string(FIND "${output}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "missing from the help on a terminal:\n${expected}\n--- got\n${output}")
    endif()
endforeach()
