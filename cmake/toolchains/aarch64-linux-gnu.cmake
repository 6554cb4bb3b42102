# 64-bit ARM Linux: Debian's g++-aarch64-linux-gnu, tests under qemu-user.
#   cmake -S . -B build/aarch64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/aarch64-linux-gnu.cmake
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CONKIT_TRIPLE aarch64-linux-gnu)
set(CONKIT_QEMU aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-qemu.cmake)
