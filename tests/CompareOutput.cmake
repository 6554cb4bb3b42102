# cmake -DEXPECTED=<file> -DPROGRAM=<exe> -DDEMO=<exe> -P CompareOutput.cmake
#
# EXPECTED holds either the plain output of PROGRAM run without arguments, or
# "$ name args" lines each followed by the output of that command line, where
# "./demo" runs DEMO and any other name runs PROGRAM. Standard output and the
# error stream are compared together; a run must exit with status 0 unless its
# output ends in a line "[exit status N]".

file(READ "${EXPECTED}" text)

function(check program arguments want)
    separate_arguments(arguments UNIX_COMMAND "${arguments}")
    set(wantStatus 0)
    if(want MATCHES "\\[exit status ([0-9]+)\\]\n$")
        set(wantStatus ${CMAKE_MATCH_1})
        string(REGEX REPLACE "\\[exit status [0-9]+\\]\n$" "" want "${want}")
    endif()
    execute_process(COMMAND "${program}" ${arguments}
        OUTPUT_VARIABLE got ERROR_VARIABLE got RESULT_VARIABLE status)
    if(NOT got STREQUAL want)
        message(FATAL_ERROR "${program} ${arguments}\n--- expected\n${want}--- got\n${got}")
    endif()
    if(NOT status EQUAL wantStatus)
        message(FATAL_ERROR "${program} ${arguments} exited with ${status}, not ${wantStatus}")
    endif()
endfunction()

if(NOT text MATCHES "^\\$ ")
    check("${PROGRAM}" "" "${text}")
    return()
endif()

while(NOT text STREQUAL "")
    string(FIND "${text}" "\n" lineEnd)
    math(EXPR commandLength "${lineEnd} - 2")
    string(SUBSTRING "${text}" 2 ${commandLength} command)
    math(EXPR outputStart "${lineEnd} + 1")
    string(SUBSTRING "${text}" ${outputStart} -1 text)
    string(FIND "${text}" "\n$ " next)
    if(next EQUAL -1)
        set(want "${text}")
        set(text "")
    else()
        math(EXPR cut "${next} + 1")
        string(SUBSTRING "${text}" 0 ${cut} want)
        string(SUBSTRING "${text}" ${cut} -1 text)
    endif()
    string(REGEX MATCH "^[^ ]+" name "${command}")
    string(LENGTH "${name}" nameLength)
    string(SUBSTRING "${command}" ${nameLength} -1 arguments)
    if(name STREQUAL "./demo")
        check("${DEMO}" "${arguments}" "${want}")
    else()
        check("${PROGRAM}" "${arguments}" "${want}")
    endif()
endwhile()
