# cmake -DPROGRAM=<exe> [-DEMULATOR=...] [-DWINDOWS=...] -P ExampleManPage.cmake
# An example's man page (--man-page) through groff for a terminal with every
# warning on: a warning, a failure or no page fails the test. A Windows
# program writes its standard output in text mode, so its line ends are CRLF.
find_program(GROFF groff)
if(NOT GROFF)
    message("skipped: groff is not installed")
    return()
endif()
execute_process(COMMAND ${EMULATOR} ${PROGRAM} --man-page OUTPUT_VARIABLE source
                RESULT_VARIABLE status)
if(WINDOWS)
    string(REPLACE "\r\n" "\n" source "${source}")
endif()
string(MAKE_C_IDENTIFIER "${PROGRAM}" name)
set(file ${CMAKE_CURRENT_BINARY_DIR}/${name}.man)
file(WRITE ${file} "${source}")
execute_process(COMMAND ${GROFF} -ww -man -Tutf8 INPUT_FILE ${file}
                OUTPUT_VARIABLE page ERROR_VARIABLE warnings RESULT_VARIABLE groffStatus)
if(NOT status EQUAL 0 OR NOT groffStatus EQUAL 0 OR NOT warnings STREQUAL "" OR page STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} --man-page (${status}) | groff -ww -man -Tutf8 "
                        "(${groffStatus}):\n${warnings}")
endif()
