# cmake -DCONKIT=<file> -DPEER=<file> -DPEER_NAME=<name> -P ExampleLineCount.cmake
#
# Counts the non-blank lines between the lines "// argument handling: begin"
# and "// argument handling: end" of two programs that are the same tool, and
# fails unless the conkit one needs fewer than its peer.

function(conkit_count_lines file result)
    file(READ "${file}" text)
    string(FIND "${text}" "// argument handling: begin\n" begin)
    string(FIND "${text}" "// argument handling: end\n" end)
    if(begin EQUAL -1 OR end LESS begin)
        message(FATAL_ERROR "${file}: no '// argument handling: begin' and 'end' lines")
    endif()
    # From the line end after the first marker to the indent of the second.
    math(EXPR begin "${begin} + 27")
    math(EXPR length "${end} - ${begin}")
    string(SUBSTRING "${text}" ${begin} ${length} region)
    string(REGEX MATCHALL "\n[ \t]*[^ \t\n]" lines "${region}")
    list(LENGTH lines count)
    set(${result} ${count} PARENT_SCOPE)
endfunction()

conkit_count_lines("${CONKIT}" conkit)
conkit_count_lines("${PEER}" peer)
message("argument handling: conkit ${conkit} lines, ${PEER_NAME} ${peer} lines")
if(NOT conkit LESS peer)
    message(FATAL_ERROR "the conkit program needs ${conkit} lines, not fewer than ${PEER_NAME}'s ${peer}")
endif()
