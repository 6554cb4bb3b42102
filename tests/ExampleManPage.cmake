# cmake -DPROGRAM=<exe> [-DEMULATOR=...] [-DWINDOWS=...] -P ExampleManPage.cmake
# The man page an example prints (--man-page), formatted by groff for a
# terminal with every warning on: any warning, or a failure, fails the test.

find_program(GROFF groff)
if(NOT GROFF)
    message("skipped: groff is not installed")
    return()
endif()
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" --man-page OUTPUT_VARIABLE page
                RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT page MATCHES "^(\\.fchar [^\n]*\n)*\\.TH ")
    message(FATAL_ERROR "${PROGRAM} --man-page: exit status ${status}, no man page:\n${page}")
endif()
string(RANDOM LENGTH 8 name)
set(file "${CMAKE_CURRENT_BINARY_DIR}/man_page_${name}.1")
file(WRITE "${file}" "${page}")
execute_process(COMMAND ${GROFF} -ww -man -Tutf8 "${file}" OUTPUT_QUIET
                ERROR_VARIABLE warnings RESULT_VARIABLE status)
file(REMOVE "${file}")
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
    message(FATAL_ERROR "groff -ww -man -Tutf8 on ${PROGRAM}'s man page:\n${warnings}")
endif()
