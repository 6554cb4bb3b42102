# cmake -DEXPECTED=<file> -DPROGRAM=<exe> -DDEMO=<exe> [-DWORKDIR=<folder>]
#       [-DEMULATOR=...] [-DWINDOWS=...] [-DNO_TRANSLATION=<reason>] -P CompareOutput.cmake
#
# EXPECTED holds either the plain output of PROGRAM run without arguments, or
# "$ name args" lines each followed by the output of that command line, where
# "./demo" runs DEMO and any other name runs PROGRAM, each with argv[0]
# spelled as the line spells it. Arguments are split as a POSIX shell would,
# and leading NAME=value words set the program's environment. A run that
# sets LANGUAGE is skipped with NO_TRANSLATION's reason when that is given.
# Standard output and the error stream are compared together; a run must exit
# with status 0 unless its output ends in a line "[exit status N]". WORKDIR is
# the folder the programs run in.

include(${CMAKE_CURRENT_LIST_DIR}/RunProgram.cmake)

file(READ "${EXPECTED}" text)

if(NOT text MATCHES "^\\$ ")
    conkit_expect_run("${PROGRAM}" "" "${text}" WITH_ERRORS)
    return()
endif()

while(NOT text STREQUAL "")
    string(FIND "${text}" "\n" lineEnd)
    math(EXPR commandLength "${lineEnd} - 2")
    string(SUBSTRING "${text}" 2 ${commandLength} command)
    math(EXPR outputStart "${lineEnd} + 1")
    string(SUBSTRING "${text}" ${outputStart} -1 text)
    # The next command line begins right here when this one printed nothing.
    string(FIND "\n${text}" "\n$ " cut)
    if(cut EQUAL -1)
        set(want "${text}")
        set(text "")
    else()
        string(SUBSTRING "${text}" 0 ${cut} want)
        string(SUBSTRING "${text}" ${cut} -1 text)
    endif()
    separate_arguments(words UNIX_COMMAND "${command}")
    # Leading NAME=value words set the environment, as in a shell.
    set(environment "")
    list(GET words 0 name)
    while(name MATCHES "^[A-Za-z_][A-Za-z0-9_]*=")
        list(APPEND environment "${name}")
        list(POP_FRONT words)
        list(GET words 0 name)
    endwhile()
    list(POP_FRONT words name)
    set(program "${PROGRAM}")
    if(name STREQUAL "./demo")
        set(program "${DEMO}")
    endif()
    conkit_argv0_problem("${name}" "${program}" problem)
    if(NO_TRANSLATION AND environment MATCHES "(^|;)LANGUAGE=")
        set(problem "${NO_TRANSLATION}")
    endif()
    if(problem)
        message("skipped: ${problem}")
        return()
    endif()
    set(status 0)
    if(want MATCHES "\\[exit status ([0-9]+)\\]\n$")
        set(status ${CMAKE_MATCH_1})
        string(REGEX REPLACE "\\[exit status [0-9]+\\]\n$" "" want "${want}")
    endif()
    conkit_expect_run("${program}" "${words}" "${want}" WITH_ERRORS STATUS ${status}
        ARGV0 "${name}" WORKING_DIRECTORY "${WORKDIR}" ENVIRONMENT ${environment})
endwhile()
