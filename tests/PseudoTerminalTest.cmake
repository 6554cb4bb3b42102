# cmake -DPROGRAM=<wordfreq> [-DEMULATOR=...] [-DWINDOWS=...] -P PseudoTerminalTest.cmake
# A tool's --help on a pseudo-terminal 60 columns wide, made by script(1):
# the tool finds the width itself, and sets headings and names in bold.
if(EMULATOR OR WINDOWS)
    message("skipped: the tool does not run natively")
    return()
endif()
find_program(SCRIPT script)
if(NOT SCRIPT)
    message("skipped: script(1) is not installed")
    return()
endif()
set(run "stty cols 60 rows 24 && env -u COLUMNS -u NO_COLOR -u CLICOLOR_FORCE TERM=xterm '${PROGRAM}' --help")
execute_process(COMMAND ${SCRIPT} -qec "${run}" /dev/null
    INPUT_FILE /dev/null OUTPUT_VARIABLE output RESULT_VARIABLE status)
string(REPLACE "\r\n" "\n" output "${output}")
string(ASCII 27 escape)
foreach(expected
        "${escape}[1mUsage:${escape}[0m wordfreq [OPTION]..."
        "\nCount the words of each FILE (standard input when there is\nnone) and print"
        "  ${escape}[1m-t${escape}[0m, ${escape}[1m--top${escape}[0m=N                print the N")
    string(FIND "${output}" "${expected}" at)
    if(NOT status EQUAL 0 OR at EQUAL -1)
        message(FATAL_ERROR "status ${status}; missing from the help:\n${expected}\n--- got\n${output}")
    endif()
endforeach()
