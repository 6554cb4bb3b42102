# cmake -DCONKIT=<file> -DPEER=<file> -DPEER_NAME=<name> -P ExampleLineCount.cmake
# Counts the non-blank lines between the comments "argument handling: begin"
# and "argument handling: end" ("//" or "#" comments) in two programs that
# are the same tool, and fails unless the conkit one has fewer.
#
# A peer that is a script is run too, so that what is counted is a tool that
# works: with -DINTERPRETER=<program> -DPROGRAM=<conkit tool> -DSAMPLES=<folder>
# -DRUNS=<argument lists, "|" between them>, the peer must answer each run,
# in the folder of the samples, as the conkit tool does. The runs must
# change nothing there. INTERPRETER-NOTFOUND: they are skipped.
function(conkit_count_lines file result)
    file(READ "${file}" text)
    set(marker "(//|#) argument handling:")
    if(NOT text MATCHES "${marker} begin(\n.*\n)[ \t]*${marker} end")
        message(FATAL_ERROR "${file}: no argument handling markers")
    endif()
    string(REGEX MATCHALL "\n[ \t]*[^ \t\n]" lines "${CMAKE_MATCH_2}")
    list(LENGTH lines count)
    set(${result} ${count} PARENT_SCOPE)
endfunction()

conkit_count_lines("${CONKIT}" conkit)
conkit_count_lines("${PEER}" peer)
message("argument handling: conkit ${conkit} lines, ${PEER_NAME} ${peer} lines")
if(NOT conkit LESS peer)
    message(FATAL_ERROR "conkit needs ${conkit} lines, not fewer than ${PEER_NAME}'s ${peer}")
endif()

if(DEFINED INTERPRETER AND NOT INTERPRETER)
    message("skipped: ${PEER} was counted, not run: its interpreter is not installed")
elseif(DEFINED INTERPRETER)
    string(REPLACE "|" ";" runs "${RUNS}")
    foreach(run IN LISTS runs)
        separate_arguments(words UNIX_COMMAND "${run}")
        execute_process(COMMAND "${PROGRAM}" ${words} WORKING_DIRECTORY "${SAMPLES}"
                        OUTPUT_VARIABLE want RESULT_VARIABLE wantStatus)
        execute_process(COMMAND "${INTERPRETER}" "${PEER}" ${words} WORKING_DIRECTORY "${SAMPLES}"
                        OUTPUT_VARIABLE got ERROR_VARIABLE errors RESULT_VARIABLE status)
        if(NOT "${status}: ${got}" STREQUAL "${wantStatus}: ${want}")
            message(FATAL_ERROR "${run}: ${PEER_NAME} ${status}: ${got}${errors}\nconkit ${wantStatus}: ${want}")
        endif()
    endforeach()
endif()
