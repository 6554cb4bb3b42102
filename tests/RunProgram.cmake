# Included by the end-to-end test scripts: runs a built program as the target
# platform runs it and checks its whole standard output and exit status.
#
# The including script is called with
#   -DEMULATOR=<command>  the build's CMAKE_CROSSCOMPILING_EMULATOR (qemu-user,
#                         wine-run.sh), empty when the programs run natively
#   -DWINDOWS=<bool>      true when the programs are Windows programs
#
# Line ends: a Windows program writes standard output in text mode, where each
# '\n' becomes CR LF. On Windows every expected '\n' is therefore expected as
# CR LF, and the output is compared byte for byte either way, so a bare LF or a
# stray CR still fails.
#
# Argument 0: a run may name the spelling of argv[0] that the program sees.
# Natively bash's `exec -a` sets it, under qemu-user its -0 option, and on
# Windows cmd.exe starts the program by that name from the program's folder
# (so only spellings of the program's own name, like "demo" or "./demo", work
# there). A run whose spelling cannot be given is reported as skipped.

cmake_policy(VERSION 3.18...3.25)

# A tool's help fits the terminal and may be coloured: the expected outputs
# are those of a run without a terminal or settings of its own, whatever the
# shell that started the tests has set.
foreach(variable COLUMNS NO_COLOR CLICOLOR_FORCE)
    unset(ENV{${variable}})
endforeach()

# How programs are started: natively (POSIX), under qemu-user, as Windows
# programs (natively or under wine), or under some other emulator.
set(conkitRunner native)
if(WINDOWS)
    set(conkitRunner windows)
elseif(EMULATOR)
    list(GET EMULATOR 0 conkitRunner)
    get_filename_component(conkitRunner "${conkitRunner}" NAME)
    if(conkitRunner MATCHES "^qemu-")
        set(conkitRunner qemu)
    endif()
endif()

# Stores in `result` why argv[0] spelled `spelling` cannot be given to
# `program` here, or "" when it can.
function(conkit_argv0_problem spelling program result)
    set(problem "")
    get_filename_component(stem "${program}" NAME_WE)
    string(REGEX REPLACE "^\\./" "" typed "${spelling}")
    if(conkitRunner STREQUAL "windows" AND NOT typed STREQUAL stem)
        string(CONCAT problem "a Windows program started by name sees argv[0] as typed, "
                              "and '${spelling}' does not name ${stem}.exe in its folder")
    elseif(NOT conkitRunner MATCHES "^(native|qemu|windows)$")
        set(problem "argv[0] cannot be chosen under ${conkitRunner}")
    endif()
    set(${result} "${problem}" PARENT_SCOPE)
endfunction()

# conkit_expect_run(<program> <words> <expected output> [WITH_ERRORS] [STATUS <n>]
#                   [ARGV0 <spelling>] [ENVIRONMENT <name=value>...]
#                   [WORKING_DIRECTORY <folder>])
# Runs `program` with the argument list `words` (empty words included) and
# fails the test unless it printed exactly `expected output` (with the
# platform's line ends) and exited with status `n` (default 0). WITH_ERRORS
# compares the error stream too, interleaved with standard output. With ARGV0 the program sees that
# spelling, which may be empty, as argv[0] (check conkit_argv0_problem first).
# ENVIRONMENT settings are made for the program alone (under qemu-user: inside
# the emulated process). WORKING_DIRECTORY is where the program runs (on
# Windows always the program's own folder).
function(conkit_expect_run program words want)
    cmake_parse_arguments(PARSE_ARGV 3 RUN "WITH_ERRORS" "STATUS;WORKING_DIRECTORY" "ENVIRONMENT")
    if(NOT DEFINED RUN_STATUS)
        set(RUN_STATUS 0)
    endif()
    # Found by hand: cmake_parse_arguments takes an empty spelling for none.
    set(shown "${program}")
    list(FIND ARGN ARGV0 at)
    if(at GREATER -1)
        math(EXPR at "${at} + 1")
        list(GET ARGN ${at} argv0)
        set(shown "${program} as '${argv0}'")
    endif()

    set(command ${EMULATOR})
    set(folder "")
    if(conkitRunner STREQUAL "native" AND (DEFINED argv0 OR RUN_ENVIRONMENT))
        # The settings are made inside bash, so that a preloaded library
        # reaches the program alone and not bash itself. (No semicolons in
        # the script: it is an element of a CMake list.)
        if(NOT DEFINED argv0)
            set(argv0 "${program}")
        endif()
        list(APPEND command bash -c [[
            for setting
            do
                shift
                [ "$setting" = -- ] && break
                export "$setting"
            done
            exec -a "$0" "$@"]] "${argv0}" ${RUN_ENVIRONMENT} -- "${program}")
    elseif(conkitRunner STREQUAL "qemu")
        foreach(setting IN LISTS RUN_ENVIRONMENT)
            list(APPEND command -E "${setting}")
        endforeach()
        if(DEFINED argv0)
            list(APPEND command -0 "${argv0}")
        endif()
        list(APPEND command "${program}")
    else()
        if(RUN_ENVIRONMENT)
            list(PREPEND command ${CMAKE_COMMAND} -E env ${RUN_ENVIRONMENT})
        endif()
        if(DEFINED argv0)
            # Windows: cmd.exe starts the program by the name typed.
            string(REGEX REPLACE "^\\./" ".\\\\" typed "${argv0}")
            list(APPEND command cmd /c "${typed}")
            get_filename_component(folder "${program}" DIRECTORY)
        else()
            list(APPEND command "${program}")
        endif()
    endif()

    if(RUN_WORKING_DIRECTORY AND NOT folder)
        set(folder "${RUN_WORKING_DIRECTORY}")
    endif()
    # Bracket arguments keep empty words, which a list expansion would drop.
    set(quoted "")
    foreach(word IN LISTS command words)
        string(APPEND quoted " [==[${word}]==]")
    endforeach()
    if(folder)
        string(APPEND quoted " WORKING_DIRECTORY [==[${folder}]==]")
    endif()
    # Through a file, compared in hexadecimal: OUTPUT_VARIABLE and a plain
    # file(READ) would both turn CR LF into LF.
    string(RANDOM LENGTH 16 id)
    set(outputFile "${CMAKE_CURRENT_BINARY_DIR}/output-${id}.txt")
    set(errorsTo "ERROR_VARIABLE errors")
    if(RUN_WITH_ERRORS)
        # Both streams into the same file, in the order they were written.
        set(errorsTo "ERROR_FILE [==[${outputFile}]==]")
    endif()
    cmake_language(EVAL CODE "execute_process(COMMAND ${quoted}
        OUTPUT_FILE [==[${outputFile}]==] ${errorsTo} RESULT_VARIABLE status)")
    file(READ "${outputFile}" gotBytes HEX)
    file(READ "${outputFile}" got)
    file(REMOVE "${outputFile}")
    if(errors)
        message("standard error of ${shown}:\n${errors}")
    endif()

    set(lineEnd "LF")
    set(wantBytes "${want}")
    if(WINDOWS)
        set(lineEnd "CR LF")
        string(REPLACE "\n" "\r\n" wantBytes "${want}")
    endif()
    string(HEX "${wantBytes}" wantBytes)
    if(NOT got STREQUAL want)
        message(FATAL_ERROR "${shown} ${words}\n--- expected\n${want}--- got\n${got}")
    elseif(NOT gotBytes STREQUAL wantBytes)
        message(FATAL_ERROR "${shown} ${words}: lines do not end with ${lineEnd} alone\n"
                            "--- expected bytes\n${wantBytes}\n--- got bytes\n${gotBytes}")
    endif()
    if(NOT status STREQUAL RUN_STATUS)
        message(FATAL_ERROR "${shown} ${words} exited with ${status}, not ${RUN_STATUS}")
    endif()
endfunction()
