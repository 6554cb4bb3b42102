# 32-bit x86 Linux (32-bit long and size_t): Debian's g++-i686-linux-gnu,
# tests under qemu-user.
#   cmake -S . -B build/i686 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/i686-linux-gnu.cmake
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CONKIT_TRIPLE i686-linux-gnu)
set(CONKIT_QEMU i386)
include(${CMAKE_CURRENT_LIST_DIR}/debian-qemu.cmake)
