# cmake -DSOURCE=<conkit sources> -DWORK=<scratch folder> -DCXX=<compiler>
#       [-DKINDS=static;shared] [-DCROSSCOMPILING=ON] -P PackageTest.cmake
#
# For a static and a shared build of conkit: install it into a fresh prefix,
# then build and run the consumer in tests/consumer through find_package,
# through pkg-config with a plain compiler command, through add_subdirectory
# and through FetchContent. Each must print what the consumer prints.

cmake_policy(VERSION 3.16...3.25)

# The consumers are built with the build machine's tools and run on it, which
# a cross build's libraries do not fit.
if(CROSSCOMPILING)
    message("skipped: the package test builds and runs consumers on the build machine, "
            "and a cross build's libraries are for another platform")
    return()
endif()

if(NOT KINDS)
    set(KINDS static shared)
endif()
set(want "hello Ada, 3 fields\n")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "failed (${status}): ${command}\n${out}\n${err}")
    endif()
    set(output "${out}" PARENT_SCOPE)
endfunction()

function(expect_greeting program how)
    run(${program} --name=Ada)
    if(NOT output STREQUAL want)
        message(FATAL_ERROR "${how}: printed '${output}', want '${want}'")
    endif()
    message(STATUS "${how}: ok")
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
        -DCONKIT_BUILD_TESTS=OFF -DCONKIT_BUILD_DEMO=OFF)
    run(${CMAKE_COMMAND} --build ${dir}/build --parallel 4)
    # A prefix chosen at install time, not at configure time: nothing may
    # depend on the configured one.
    run(${CMAKE_COMMAND} --install ${dir}/build --prefix ${dir}/prefix)

    if(shared)
        # Only the public interface is exported.
        file(GLOB library ${dir}/prefix/lib*/libconkit_slices.so)
        run(nm -DC --defined-only ${library})
        if(NOT output MATCHES "conkit::StrSlice::compare" OR output MATCHES "compareFoldedSse2")
            message(FATAL_ERROR "libconkit_slices.so exports the wrong symbols:\n${output}")
        endif()
    endif()

    run(${CMAKE_COMMAND} -S ${consumer} -B ${dir}/find ${common} -DCMAKE_PREFIX_PATH=${dir}/prefix)
    run(${CMAKE_COMMAND} --build ${dir}/find)
    expect_greeting(${dir}/find/app "${kind}, find_package")

    file(GLOB pcdir ${dir}/prefix/lib*/pkgconfig)
    set(ENV{PKG_CONFIG_PATH} ${pcdir})
    run(pkg-config --cflags --libs conkit)
    separate_arguments(flags UNIX_COMMAND "${output}")
    run(pkg-config --variable=libdir conkit)
    string(STRIP "${output}" libdir)
    run(${CXX} -std=c++17 ${consumer}/main.cpp ${flags} -Wl,-rpath,${libdir} -o ${dir}/pkgapp)
    expect_greeting(${dir}/pkgapp "${kind}, pkg-config")

    foreach(way subdirectory fetchcontent)
        run(${CMAKE_COMMAND} -S ${consumer} -B ${dir}/${way} ${common} -DCONSUME=${way}
            -DCONKIT_SOURCE_DIR=${SOURCE})
        run(${CMAKE_COMMAND} --build ${dir}/${way} --parallel 4)
        expect_greeting(${dir}/${way}/app "${kind}, ${way}")
    endforeach()
endforeach()
