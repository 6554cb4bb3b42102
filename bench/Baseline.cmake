# Builds the options and slices sources of the git revision
# CONKIT_BENCH_BASELINE into the benchmark binary beside the current ones, with
# the namespace conkit renamed to conkit_baseline, and adds the parse
# benchmarks of options/BaselineBench.cpp and conkit's slice rows of
# slices/SliceBench.cpp (compiled a second time) against them.
find_package(Git REQUIRED)
execute_process(
    COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} rev-parse --verify
            "${CONKIT_BENCH_BASELINE}^{commit}"
    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "CONKIT_BENCH_BASELINE: no commit ${CONKIT_BENCH_BASELINE}")
endif()

# The sources are extracted again only when the revision changes, so that a
# reconfigure does not rebuild them; then with the time of extraction (tar -m),
# not the commit's, so that everything built from the previous revision, newer
# than that commit, is built again.
set(dir ${CMAKE_CURRENT_BINARY_DIR}/baseline-src)
set(extracted "")
if(EXISTS ${dir}/commit.txt)
    file(READ ${dir}/commit.txt extracted)
endif()
if(NOT extracted STREQUAL commit)
    file(REMOVE_RECURSE ${dir})
    file(MAKE_DIRECTORY ${dir})
    execute_process(
        COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} archive ${commit} options slices
        COMMAND tar -x -m -C ${dir}
        RESULTS_VARIABLE results)
    if(NOT results STREQUAL "0;0")
        message(FATAL_ERROR "CONKIT_BENCH_BASELINE: cannot extract ${commit} (${results})")
    endif()
    file(WRITE ${dir}/commit.txt ${commit})
endif()
message(STATUS "conkit benchmark baseline: ${CONKIT_BENCH_BASELINE} (${commit})")

# The earlier headers and the renaming, for the library and for the benchmarks
# that call it, and for nothing else.
add_library(conkit_baseline_headers INTERFACE)
target_include_directories(conkit_baseline_headers INTERFACE ${dir})
target_compile_definitions(conkit_baseline_headers INTERFACE conkit=conkit_baseline)
target_compile_features(conkit_baseline_headers INTERFACE cxx_std_17)

file(GLOB_RECURSE sources ${dir}/options/*.cpp ${dir}/slices/*.cpp)
add_library(conkit_baseline STATIC ${sources})
target_link_libraries(conkit_baseline PRIVATE conkit_baseline_headers)

add_library(conkit_baseline_bench OBJECT options/BaselineBench.cpp)
# A target of its own: the define must not reach the current copy of the file.
add_library(conkit_baseline_slice_bench OBJECT slices/SliceBench.cpp)
target_compile_definitions(conkit_baseline_slice_bench PRIVATE CONKIT_BENCH_AS_BASELINE)
foreach(target conkit_baseline_bench conkit_baseline_slice_bench)
    target_link_libraries(${target} PRIVATE conkit_baseline_headers benchmark::benchmark)
    conkit_warnings(${target})
    target_sources(conkit_bench PRIVATE $<TARGET_OBJECTS:${target}>)
endforeach()

set_target_properties(conkit_baseline conkit_baseline_bench conkit_baseline_slice_bench
                      PROPERTIES CXX_EXTENSIONS OFF)
target_link_libraries(conkit_bench PRIVATE conkit_baseline)
target_compile_definitions(conkit_bench PRIVATE
                           "CONKIT_BENCH_BASELINE=\"${CONKIT_BENCH_BASELINE}\"")
