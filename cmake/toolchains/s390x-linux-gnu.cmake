# IBM Z Linux, big-endian: Debian's g++-s390x-linux-gnu, tests under qemu-user.
#   cmake -S . -B build/s390x -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/s390x-linux-gnu.cmake
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(CONKIT_TRIPLE s390x-linux-gnu)
set(CONKIT_QEMU s390x)
include(${CMAKE_CURRENT_LIST_DIR}/debian-qemu.cmake)
