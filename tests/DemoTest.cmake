# cmake -DDEMO=<exe> -DCALLED_AS=<spelling> -DNAME=<name> [-DTABLE=ON]
#       [-DARGC_ZERO=ON -DARGC_ZERO_PRELOAD=<library>] [-DEMULATOR=...] [-DWINDOWS=...]
#       -P DemoTest.cmake
#
# End to end: runs the demo program with exact argument vectors whose argv[0]
# is spelled CALLED_AS, and checks its whole standard output and exit status.
# NAME is the program name that the demo's help text then shows. With TABLE,
# every command line of the table below is run; without it, the demo runs
# with no further words. ARGC_ZERO starts the demo with an empty argument
# vector: Linux (since 5.18) turns an exec with no arguments into one with a
# single empty argument (CALLED_AS ""), and the preloaded ARGC_ZERO_PRELOAD
# library undoes that before main runs.

include(${CMAKE_CURRENT_LIST_DIR}/RunProgram.cmake)

conkit_argv0_problem("${CALLED_AS}" "${DEMO}" problem)
if(ARGC_ZERO AND NOT ARGC_ZERO_PRELOAD)
    string(CONCAT problem "an empty argument vector is made by a preloaded hook into "
                          "glibc's start-up, and this platform has none")
endif()
if(problem)
    message("skipped: ${problem}")
    return()
endif()

set(hello "!!!Hello World!!!\n")
set(help "demo 1.0\n${NAME}\n"
         "  -h, --help            print help info\n"
         "  -p, --password        password\n"
         "  -u, --user            username\n"
         "  -v, --version         print version info\n"
         "\n")
string(CONCAT help ${help})

# run(<expected output> <word>...): the demo with argv[0] and these words.
function(run want)
    set(environment "")
    if(ARGC_ZERO)
        set(environment ENVIRONMENT LD_PRELOAD=${ARGC_ZERO_PRELOAD} CONKIT_TEST_ARGC_ZERO=1)
    endif()
    conkit_expect_run("${DEMO}" "${ARGN}" "${want}" ARGV0 "${CALLED_AS}" ${environment})
endfunction()

if(ARGC_ZERO)
    # No program name and no error line: the help has an empty usage line.
    run("${hello}${help}")
elseif(NOT TABLE)
    run("${hello}")
else()
    run("${hello}")
    run("${hello}one\ntwo\n" one two --user=bob)
    run("${hello}file\n" -u bob file)
    run("${hello}--user need arg.\n${help}x\n" x -u -p)
    run("${hello}invalid option: color\n${help}" --color)
    run("${hello}" -h)
    run("${hello}" --help)
    run("${hello}" -v)
    run("${hello}" --version)
    run("${hello}--user need arg.\n${help}" -u)
    run("${hello}--user need arg.\n${help}" --user)
    run("${hello}" -p file)
    run("${hello}invalid option: bad\n${help}a\n" a /bad=1 b)
    run("${hello}\n" "" --user= "x y")
endif()
