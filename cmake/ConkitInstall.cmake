# Install rules: headers, libraries, the CMake package (with a version file)
# and a pkg-config file, all relocatable to any prefix.
include(CMakePackageConfigHelpers)

set(CONKIT_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/conkit)

# The include folder (CONKIT_INSTALL_INCLUDEDIR, include/conkit) is the one the
# targets name, with no INCLUDES DESTINATION beside it: that would add the
# prefix's whole include folder to every consumer's search path as well.
install(TARGETS conkit_options conkit_slices
    EXPORT conkitTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# conkit::config, where it is built, has an export set of its own: the package
# loads it only where toml++ is there for it (see conkitConfig.cmake.in).
set(CONKIT_PIECES options slices)
if(TARGET conkit_config)
    list(APPEND CONKIT_PIECES config)
    install(TARGETS conkit_config
        EXPORT conkitTomlTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(EXPORT conkitTomlTargets NAMESPACE conkit:: DESTINATION ${CONKIT_CMAKE_DIR})
    export(EXPORT conkitTomlTargets NAMESPACE conkit::
        FILE ${PROJECT_BINARY_DIR}/conkitTomlTargets.cmake)
endif()

# Callers include "options/OptionParser.h" and "slices/StrSlice.h", found in
# include/conkit, so that the generic folder names options/ and slices/ never
# stand directly in a shared include folder such as /usr/local/include. Only
# the headers at the top of each folder are installed: the public ones and the
# few they include (Export.h, options/DefaultText.h); the folders below them
# (the options' layers, the slices' kernels) are internal.
foreach(piece IN LISTS CONKIT_PIECES)
    file(GLOB headers ${PROJECT_SOURCE_DIR}/${piece}/*.h)
    if(NOT CONKIT_GETTEXT) # the library was built without gettextTranslator
        list(FILTER headers EXCLUDE REGEX "/Gettext\\.h$")
    endif()
    install(FILES ${headers} DESTINATION ${CONKIT_INSTALL_INCLUDEDIR}/${piece})
endforeach()

install(EXPORT conkitTargets NAMESPACE conkit:: DESTINATION ${CONKIT_CMAKE_DIR})
export(EXPORT conkitTargets NAMESPACE conkit::
    FILE ${PROJECT_BINARY_DIR}/conkitTargets.cmake)
# A static conkit::config needs toml++'s package wherever it is linked.
set(CONKIT_CONFIG_NEEDS_TOML OFF)
if(NOT BUILD_SHARED_LIBS)
    set(CONKIT_CONFIG_NEEDS_TOML ON)
endif()

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/conkitConfig.cmake.in
    ${PROJECT_BINARY_DIR}/conkitConfig.cmake
    INSTALL_DESTINATION ${CONKIT_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/conkitConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/conkitConfig.cmake
              ${PROJECT_BINARY_DIR}/conkitConfigVersion.cmake
    DESTINATION ${CONKIT_CMAKE_DIR})

# pkg-config finds the prefix from the .pc file's own place.
file(RELATIVE_PATH CONKIT_PC_PREFIX
    ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" CONKIT_PC_PREFIX "${CONKIT_PC_PREFIX}")
set(CONKIT_PC_DEFINES "")
if(BUILD_SHARED_LIBS)
    set(CONKIT_PC_DEFINES " -DCONKIT_SHARED")
endif()
# One file per library, and conkit.pc for the options and the slices; each
# library's Requires line for a shared and for a static build.
function(conkit_pc_file piece description sharedRequires staticRequires)
    set(CONKIT_PC_PIECE ${piece})
    set(CONKIT_PC_DESCRIPTION "${description}")
    set(CONKIT_PC_REQUIRES "${staticRequires}")
    if(BUILD_SHARED_LIBS)
        set(CONKIT_PC_REQUIRES "${sharedRequires}")
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/cmake/conkit-library.pc.in
        ${PROJECT_BINARY_DIR}/conkit-${piece}.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/conkit-${piece}.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endfunction()
# The options library reads numbers with the slices: a static one needs it on
# the link line, a shared one only when linking statically.
conkit_pc_file(options "Command-line option parser for C++17"
    "Requires.private: conkit-slices" "Requires: conkit-slices")
conkit_pc_file(slices "Non-owning string slices and tokenizers for C++17" "" "")
configure_file(${PROJECT_SOURCE_DIR}/cmake/conkit.pc.in ${PROJECT_BINARY_DIR}/conkit.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/conkit.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
# conkit-config (not in conkit.pc, which needs nothing but the standard
# library) names toml++, which a static library needs on the link line.
if(TARGET conkit_config)
    conkit_pc_file(config "TOML configuration files for conkit's option parser"
        "Requires: conkit-options\nRequires.private: tomlplusplus"
        "Requires: conkit-options tomlplusplus")
endif()
