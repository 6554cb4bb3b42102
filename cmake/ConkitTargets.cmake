# Helpers that give every conkit target the same shape.

# Warnings for conkit's own targets only; never added to a consumer's flags.
function(conkit_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${CONKIT_WERROR}>:/WX>)
    else()
        target_compile_options(${target} PRIVATE
            -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
            $<$<BOOL:${CONKIT_WERROR}>:-Werror>)
    endif()
endfunction()

# conkit_add_library(<piece> <sources>...) builds conkit_<piece>, known to
# callers as conkit::<piece> both in the tree and after installation.
function(conkit_add_library piece)
    set(target conkit_${piece})
    add_library(${target} ${ARGN})
    add_library(conkit::${piece} ALIAS ${target})
    set_target_properties(${target} PROPERTIES
        EXPORT_NAME ${piece}
        OUTPUT_NAME conkit_${piece}
        CXX_EXTENSIONS OFF
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON
        VERSION ${PROJECT_VERSION}
        SOVERSION ${PROJECT_VERSION_MAJOR})
    target_compile_features(${target} PUBLIC cxx_std_17)
    target_include_directories(${target} PUBLIC
        $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
        $<INSTALL_INTERFACE:${CONKIT_INSTALL_INCLUDEDIR}>)
    if(BUILD_SHARED_LIBS)
        target_compile_definitions(${target} PUBLIC CONKIT_SHARED)
        if(UNIX AND NOT APPLE)
            set(map ${PROJECT_SOURCE_DIR}/cmake/exports.map)
            target_link_options(${target} PRIVATE "LINKER:--version-script=${map}")
            set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${map})
        endif()
    endif()
    conkit_warnings(${target})
endfunction()

# Windows looks for a program's DLLs beside it: for shared builds, copies the
# DLLs `target` needs into its folder when it is built elsewhere than they are.
function(conkit_copy_runtime_dlls target)
    if(WIN32 AND BUILD_SHARED_LIBS AND NOT CMAKE_VERSION VERSION_LESS 3.21)
        add_custom_command(TARGET ${target} POST_BUILD
            COMMAND ${CMAKE_COMMAND} -E copy_if_different
                    $<TARGET_RUNTIME_DLLS:${target}> $<TARGET_FILE_DIR:${target}>
            COMMAND_EXPAND_LISTS)
    endif()
endfunction()
