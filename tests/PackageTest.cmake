# cmake -DSOURCE=<conkit sources> -DWORK=<scratch folder> -DCXX=<compiler>
#       [-DKINDS=static;shared] [-DCROSSCOMPILING=ON] [-DCONFIG=ON] -P PackageTest.cmake
#
# For a static and a shared build of conkit: install it into a fresh prefix,
# check that its headers went to include/conkit alone, then build and run the
# consumer in tests/consumer through find_package, through pkg-config with a
# plain compiler command, and with conkit built inside its own build (static
# through add_subdirectory, shared through FetchContent).
# Each must print what the consumer prints. With CONFIG (toml++ is there, so
# conkit::config is built), each also reads the name from a TOML file.

cmake_policy(VERSION 3.16...3.25)

# The consumers are built with the build machine's tools and run on it, which
# a cross build's libraries do not fit.
if(CROSSCOMPILING)
    message("skipped: the package test builds and runs consumers on the build machine, "
            "and a cross build's libraries are for another platform")
    return()
endif()
# It reads exported symbols with nm, links through pkg-config with a plain
# compiler command and -Wl,-rpath, and finds single-configuration build
# folders: a Unix build machine's tools.
if(CMAKE_HOST_WIN32)
    message("skipped: the package test uses Unix tools (nm, pkg-config, -Wl,-rpath) "
            "that a Windows build machine lacks")
    return()
endif()

if(NOT KINDS)
    set(KINDS static shared)
endif()
cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
set(want "hello Ada, 3 fields\n")
file(WRITE ${WORK}/greet.toml "name = \"Ada\"\n")
set(pieces options slices)
set(components "options and slices")
if(CONFIG)
    set(pieces options slices config)
    set(components "options, slices and config")
endif()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "failed (${status}): ${command}\n${out}\n${err}")
    endif()
    set(output "${out}" PARENT_SCOPE)
endfunction()

function(expect_greeting program how)
    set(lines --name=Ada)
    if(CONFIG)
        list(APPEND lines --config=${WORK}/greet.toml)
    endif()
    foreach(line IN LISTS lines)
        run(${program} ${line})
        if(NOT output STREQUAL want)
            message(FATAL_ERROR "${how}, ${line}: printed '${output}', want '${want}'")
        endif()
    endforeach()
    message(STATUS "${how}: ok")
endfunction()

# The installed libconkit_<piece>.so exports only the public interface: every
# symbol it defines for the dynamic linker is in namespace conkit, none is in
# conkit::detail or an anonymous namespace, and each of the given names
# begins one of them.
function(expect_public_exports prefix piece)
    file(GLOB library ${prefix}/lib*/libconkit_${piece}.so)
    run(nm -DC --defined-only ${library})
    string(REPLACE "\n" ";" lines "${output}")
    set(stray "")
    foreach(line IN LISTS lines)
        # "<address> <type> <name>"; the linker's own markers are no export.
        string(REGEX REPLACE "^[0-9a-fA-F]* *[A-Za-z] " "" name "${line}")
        if(name STREQUAL "" OR name MATCHES "^(_init|_fini|_edata|_end|__bss_start)$")
            continue()
        endif()
        if(NOT name MATCHES "^conkit::" OR name MATCHES "conkit::detail::|anonymous namespace")
            string(APPEND stray "  ${name}\n")
        endif()
    endforeach()
    if(NOT stray STREQUAL "")
        message(FATAL_ERROR "libconkit_${piece}.so exports more than the public interface:\n"
                            "${stray}")
    endif()
    foreach(required IN LISTS ARGN)
        string(FIND "${output}" "${required}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "libconkit_${piece}.so does not export ${required}")
        endif()
    endforeach()
    message(STATUS "shared, libconkit_${piece}.so exports: ok")
endfunction()

# The headers are installed as include/conkit/options/*.h,
# include/conkit/slices/*.h and, with CONFIG, include/conkit/config/*.h:
# nothing else stands in the prefix's include folder (no include/options that
# could meet another package's), and no detail folder is installed.
function(expect_header_layout prefix)
    file(GLOB top RELATIVE ${prefix}/include ${prefix}/include/*)
    if(NOT top STREQUAL "conkit")
        message(FATAL_ERROR "include/ holds '${top}'; want conkit alone")
    endif()
    file(GLOB_RECURSE headers RELATIVE ${prefix}/include/conkit ${prefix}/include/conkit/*)
    list(JOIN pieces "|" folders)
    foreach(header IN LISTS headers)
        if(NOT header MATCHES "^(${folders})/[^/]+\\.h$")
            message(FATAL_ERROR "include/conkit/${header} is installed; want only the public "
                                "headers of ${folders}, not their detail folders")
        endif()
    endforeach()
    set(wanted options/OptionParser.h slices/StrSlice.h slices/Tokenizers.h)
    if(CONFIG)
        list(APPEND wanted config/TomlConfig.h)
    endif()
    foreach(header IN LISTS wanted)
        if(NOT header IN_LIST headers)
            message(FATAL_ERROR "include/conkit/${header} is not installed")
        endif()
    endforeach()
    set(headers "${headers}" PARENT_SCOPE)
endfunction()

set(consumer ${SOURCE}/tests/consumer)
foreach(kind IN LISTS KINDS)
    set(dir ${WORK}/${kind})
    file(REMOVE_RECURSE ${dir})
    set(shared OFF)
    if(kind STREQUAL "shared")
        set(shared ON)
    endif()
    set(common -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=${shared})

    run(${CMAKE_COMMAND} -S ${SOURCE} -B ${dir}/build ${common} -DCMAKE_INSTALL_PREFIX=${dir}/unused
        -DCONKIT_BUILD_TESTS=OFF -DCONKIT_BUILD_DEMO=OFF -DCONKIT_BUILD_EXAMPLES=OFF)
    run(${CMAKE_COMMAND} --build ${dir}/build --parallel ${cores})
    # A prefix chosen at install time, not at configure time: nothing may
    # depend on the configured one.
    run(${CMAKE_COMMAND} --install ${dir}/build --prefix ${dir}/prefix)
    expect_header_layout(${dir}/prefix)
    message(STATUS "${kind}, headers in include/conkit: ok")

    if(shared)
        expect_public_exports(${dir}/prefix options
            "conkit::OptionParser::parse(" "conkit::OptionParser::addOption("
            "conkit::splitCommandLine(")
        expect_public_exports(${dir}/prefix slices
            "conkit::StrSlice::compare(" "conkit::StrSlice::find(" "conkit::StrSlice::findNoCase("
            "conkit::CharSplitter::next(" "conkit::StrSplitter::next(" "conkit::operator<<(")
        if(CONFIG)
            expect_public_exports(${dir}/prefix config "conkit::readTomlConfig(")
        endif()
    endif()

    run(${CMAKE_COMMAND} -S ${consumer} -B ${dir}/find ${common} -DCMAKE_PREFIX_PATH=${dir}/prefix)
    run(${CMAKE_COMMAND} --build ${dir}/find)
    expect_greeting(${dir}/find/app "${kind}, find_package")

    # The translations are installed, and a shared library finds them where
    # the prefix was moved to: the consumer's error line in German.
    if(TRANSLATIONS)
        foreach(language de fr)
            if(NOT EXISTS ${dir}/prefix/share/locale/${language}/LC_MESSAGES/conkit.mo)
                message(FATAL_ERROR "share/locale/${language}/LC_MESSAGES/conkit.mo is not installed")
            endif()
        endforeach()
        if(shared)
            execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 LANGUAGE=de
                ${dir}/find/app --nosuch OUTPUT_VARIABLE out ERROR_VARIABLE err)
            if(NOT out STREQUAL "ungültige Option: nosuch\n")
                message(FATAL_ERROR "a translated error line: printed '${out}${err}'")
            endif()
        endif()
        message(STATUS "${kind}, translations installed and found: ok")
    endif()

    # A component conkit does not have fails, and says which ones it has.
    file(WRITE ${dir}/missing/CMakeLists.txt "cmake_minimum_required(VERSION 3.16)\n"
        "project(missing LANGUAGES CXX)\n"
        "find_package(conkit CONFIG REQUIRED COMPONENTS options gui)\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${dir}/missing -B ${dir}/missing/build
        -DCMAKE_PREFIX_PATH=${dir}/prefix RESULT_VARIABLE status OUTPUT_VARIABLE out
        ERROR_VARIABLE err)
    # CMake wraps the message's words to its width.
    string(REPLACE " " "[ \n]+" message "no component 'gui'; its components are ${components}")
    if(status EQUAL 0 OR NOT err MATCHES "${message}")
        message(FATAL_ERROR "find_package with a missing component: status ${status}\n${err}")
    endif()
    message(STATUS "${kind}, missing component: fails clearly")

    file(GLOB pcdir ${dir}/prefix/lib*/pkgconfig)
    set(ENV{PKG_CONFIG_PATH} ${pcdir})
    # pkg-config needs no URL field: one that is there names a real page,
    # never a placeholder host.
    file(GLOB pcfiles ${pcdir}/*.pc)
    foreach(pc IN LISTS pcfiles)
        file(STRINGS ${pc} url REGEX "^URL:")
        if(url MATCHES "example\\.|\\.(invalid|test|example)(/|$)")
            message(FATAL_ERROR "${pc} carries a placeholder URL: ${url}")
        endif()
    endforeach()
    # One file per library; conkit.pc names both.
    run(pkg-config --libs conkit-slices)
    if(NOT output MATCHES "-lconkit_slices" OR output MATCHES "-lconkit_options")
        message(FATAL_ERROR "pkg-config conkit-slices gives: ${output}")
    endif()
    run(pkg-config --static --libs conkit-options)
    if(NOT output MATCHES "-lconkit_options.*-lconkit_slices")
        message(FATAL_ERROR "pkg-config --static conkit-options gives: ${output}")
    endif()
    # The include flag names include/conkit, not the prefix's include folder.
    run(pkg-config --cflags conkit-options)
    if(NOT output MATCHES "(^| )-I[^ ]*/include/conkit( |\n|$)" OR output MATCHES "/include( |\n|$)")
        message(FATAL_ERROR "pkg-config --cflags conkit-options gives: ${output}")
    endif()
    if(CONFIG)
        # A static conkit-config brings toml++ to the link line.
        run(pkg-config --static --libs conkit-config)
        if(NOT output MATCHES "-lconkit_config.*-lconkit_options.*-ltomlplusplus")
            message(FATAL_ERROR "pkg-config --static conkit-config gives: ${output}")
        endif()
    endif()
    run(pkg-config --cflags --libs conkit)
    separate_arguments(flags UNIX_COMMAND "${output}")
    # Every installed header compiles on its own with those flags alone: none
    # includes a header that was not installed.
    set(sources "")
    foreach(header IN LISTS headers)
        string(MAKE_C_IDENTIFIER "${header}" name)
        file(WRITE ${dir}/headers/${name}.cpp "#include \"${header}\"\n")
        list(APPEND sources ${dir}/headers/${name}.cpp)
    endforeach()
    run(${CXX} -std=c++17 -fsyntax-only ${flags} ${sources})
    message(STATUS "${kind}, each installed header compiles alone with pkg-config's flags: ok")
    run(pkg-config --variable=libdir conkit-options)
    string(STRIP "${output}" libdir)
    if(CONFIG)
        run(pkg-config --cflags --libs conkit-config conkit)
        separate_arguments(flags UNIX_COMMAND "-DCONKIT_CONSUMER_CONFIG ${output}")
    endif()
    run(${CXX} -std=c++17 ${consumer}/main.cpp ${flags} -Wl,-rpath,${libdir} -o ${dir}/pkgapp)
    expect_greeting(${dir}/pkgapp "${kind}, pkg-config")

    # Built inside the consumer's own build: the static kind through
    # add_subdirectory, the shared one through FetchContent, so that each way
    # and each kind is built once (each is a whole Release build of conkit).
    set(way subdirectory)
    if(shared)
        set(way fetchcontent)
    endif()
    run(${CMAKE_COMMAND} -S ${consumer} -B ${dir}/${way} ${common} -DCONSUME=${way}
        -DCONKIT_SOURCE_DIR=${SOURCE})
    run(${CMAKE_COMMAND} --build ${dir}/${way} --parallel ${cores})
    expect_greeting(${dir}/${way}/app "${kind}, ${way}")
endforeach()
