# cmake -DPROGRAM=<exe> [-DEMULATOR=...] -P ExampleManPage.cmake
# An example's man page (--man-page) through groff for a terminal with every
# warning on: a warning, a failure or no page fails the test.
find_program(GROFF groff)
if(NOT GROFF)
    message("skipped: groff is not installed")
    return()
endif()
execute_process(COMMAND ${EMULATOR} ${PROGRAM} --man-page COMMAND ${GROFF} -ww -man -Tutf8
                OUTPUT_VARIABLE page ERROR_VARIABLE warnings RESULTS_VARIABLE status)
if(NOT status STREQUAL "0;0" OR NOT warnings STREQUAL "" OR page STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} --man-page | groff -ww -man -Tutf8: ${status}\n${warnings}")
endif()
