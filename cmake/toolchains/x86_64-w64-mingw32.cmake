# 64-bit Windows: Debian's g++-mingw-w64-x86-64-posix (POSIX threads, so
# std::thread and GoogleTest's threading work), tests under wine.
#   cmake -S . -B build/mingw -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/x86_64-w64-mingw32.cmake
# Windows finds a program's DLLs beside it or on the PATH: for a shared build
# (-DBUILD_SHARED_LIBS=ON) also pass -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=<dir> so
# that conkit's DLLs land beside the demo and the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs use the compiler's runtime DLLs (libstdc++, libgcc, winpthread)
# as a mingw-w64 build usually does; wine finds them through these folders.
set(dllFolders "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE dllPath OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(IS_ABSOLUTE "${dllPath}")
        get_filename_component(dllFolder "${dllPath}" DIRECTORY)
        list(APPEND dllFolders "${dllFolder}")
    endif()
endforeach()
list(REMOVE_DUPLICATES dllFolders)
list(JOIN dllFolders ":" dllFolders)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh "--dll-path=${dllFolders}")
