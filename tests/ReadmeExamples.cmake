# Keeps the README honest: every ```cpp block is compiled and run, and every
# ```text block is checked against the real output it shows. A text block
# made of "$ program args" lines, each followed by its output, runs those
# command lines ("./demo" is the demo, any other name the preceding example,
# built under that name); a text block without them is the output of the
# preceding example run without arguments. A ```cpp block whose fence names
# a file, as in "```cpp examples/search/main.cpp", shows that example program's
# source whole: it must equal the file, and the text blocks after it run
# that program in the folder of its sample files.

set(readme "${PROJECT_SOURCE_DIR}/README.md")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${readme}")
file(READ "${readme}" rest)

set(example 0)
set(block 0)
set(exampleTarget "")
while(TRUE)
    string(FIND "${rest}" "\n```" fence)
    if(fence EQUAL -1)
        break()
    endif()
    math(EXPR infoStart "${fence} + 4")
    string(SUBSTRING "${rest}" ${infoStart} -1 rest)
    string(FIND "${rest}" "\n" lineEnd)
    string(SUBSTRING "${rest}" 0 ${lineEnd} info)
    math(EXPR bodyStart "${lineEnd} + 1")
    string(SUBSTRING "${rest}" ${bodyStart} -1 rest)
    string(FIND "${rest}" "```" close)
    string(SUBSTRING "${rest}" 0 ${close} body)
    math(EXPR afterClose "${close} + 3")
    string(SUBSTRING "${rest}" ${afterClose} -1 rest)

    if(info MATCHES "^cpp (examples/([A-Za-z0-9_]+)/main\\.cpp)$")
        math(EXPR example "${example} + 1")
        set(exampleTarget ${CMAKE_MATCH_2})
        set(shown "${CMAKE_CURRENT_BINARY_DIR}/readme/example_${example}.cpp")
        file(WRITE "${shown}" "${body}")
        add_test(NAME ReadmeTest.Source${example} COMMAND ${CMAKE_COMMAND} -E compare_files
                 --ignore-eol "${shown}" "${PROJECT_SOURCE_DIR}/${CMAKE_MATCH_1}")
    elseif(info STREQUAL "cpp")
        math(EXPR example "${example} + 1")
        set(exampleTarget conkit_readme_example_${example})
        set(source "${CMAKE_CURRENT_BINARY_DIR}/readme/example_${example}.cpp")
        file(WRITE "${source}.new" "${body}")
        configure_file("${source}.new" "${source}" COPYONLY)
        add_executable(${exampleTarget} "${source}")
        target_link_libraries(${exampleTarget} PRIVATE conkit::options conkit::slices)
        set_target_properties(${exampleTarget} PROPERTIES
            RUNTIME_OUTPUT_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/readme/example_${example}")
        conkit_warnings(${exampleTarget})
        conkit_copy_runtime_dlls(${exampleTarget})
    elseif(info STREQUAL "text")
        math(EXPR block "${block} + 1")
        set(expected "${CMAKE_CURRENT_BINARY_DIR}/readme/output_${block}.txt")
        file(WRITE "${expected}" "${body}")
        set(program "")
        set(folder "")
        if(exampleTarget MATCHES "^conkit_readme_")
            set(program "$<TARGET_FILE:${exampleTarget}>")
            # "$ name ..." names the example's executable, as its usage line shows.
            if(body MATCHES "^\\$ ([A-Za-z0-9_]+) ")
                set_target_properties(${exampleTarget} PROPERTIES OUTPUT_NAME ${CMAKE_MATCH_1})
            endif()
        elseif(exampleTarget)
            set(program "$<TARGET_FILE:${exampleTarget}>")
            set(folder "-DWORKDIR=$<TARGET_FILE_DIR:${exampleTarget}>")
        endif()
        conkit_add_script_test(ReadmeTest.Output${block} CompareOutput.cmake
            -DEXPECTED=${expected} -DPROGRAM=${program} -DDEMO=$<TARGET_FILE:demo> ${folder})
    endif()
endwhile()
