# Translations: each LANG.po of a folder compiled into
# ${PROJECT_BINARY_DIR}/locale/LANG/LC_MESSAGES/DOMAIN.mo, where msgfmt is found.

find_program(CONKIT_MSGFMT msgfmt)
if(NOT CONKIT_MSGFMT)
    message(STATUS "conkit: no msgfmt (Debian: gettext): no translations are built or installed")
endif()

# conkit_add_translations(<domain> <folder> [INSTALL]) compiles the .po files
# of <folder>, checked by msgfmt --check, as part of every build; with
# INSTALL, installs them to the locale folder (share/locale/LANG/LC_MESSAGES).
function(conkit_add_translations domain folder)
    cmake_parse_arguments(ARG "INSTALL" "" "" ${ARGN})
    if(NOT CONKIT_MSGFMT)
        return()
    endif()
    file(GLOB files ${folder}/*.po)
    set(compiled "")
    foreach(file IN LISTS files)
        get_filename_component(language ${file} NAME_WE)
        set(out ${PROJECT_BINARY_DIR}/locale/${language}/LC_MESSAGES)
        add_custom_command(OUTPUT ${out}/${domain}.mo
            COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
            COMMAND ${CONKIT_MSGFMT} --check -o ${out}/${domain}.mo ${file}
            DEPENDS ${file}
            COMMENT "Compiling the ${language} translation of ${domain}"
            VERBATIM)
        list(APPEND compiled ${out}/${domain}.mo)
        if(ARG_INSTALL)
            install(FILES ${out}/${domain}.mo
                DESTINATION ${CMAKE_INSTALL_LOCALEDIR}/${language}/LC_MESSAGES)
        endif()
    endforeach()
    add_custom_target(${domain}_translations ALL DEPENDS ${compiled})
endfunction()
