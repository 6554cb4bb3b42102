# cmake -DCONKIT=<file> -DPEER=<file> -DPEER_NAME=<name> -P ExampleLineCount.cmake
# Counts the non-blank lines between "// argument handling: begin" and
# "// argument handling: end" in two programs that are the same tool, and
# fails unless the conkit one has fewer.
function(conkit_count_lines file result)
    file(READ "${file}" text)
    if(NOT text MATCHES "// argument handling: begin(\n.*\n)[ \t]*// argument handling: end")
        message(FATAL_ERROR "${file}: no argument handling markers")
    endif()
    string(REGEX MATCHALL "\n[ \t]*[^ \t\n]" lines "${CMAKE_MATCH_1}")
    list(LENGTH lines count)
    set(${result} ${count} PARENT_SCOPE)
endfunction()

conkit_count_lines("${CONKIT}" conkit)
conkit_count_lines("${PEER}" peer)
message("argument handling: conkit ${conkit} lines, ${PEER_NAME} ${peer} lines")
if(NOT conkit LESS peer)
    message(FATAL_ERROR "conkit needs ${conkit} lines, not fewer than ${PEER_NAME}'s ${peer}")
endif()
