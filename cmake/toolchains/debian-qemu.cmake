# Shared part of the Linux cross toolchains: Debian's cross compilers for
# CONKIT_TRIPLE, with their libraries and headers under /usr/<triple>, and
# qemu-user running the built programs for CTest. The including file sets
# CMAKE_SYSTEM_PROCESSOR, CONKIT_TRIPLE and CONKIT_QEMU (qemu-user's name for
# the processor).
set(CMAKE_SYSTEM_NAME Linux)

set(CMAKE_C_COMPILER ${CONKIT_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${CONKIT_TRIPLE}-g++)

# Look for libraries and packages only among the target's, never the build
# machine's; programs (tools run while building) only on the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${CONKIT_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -L points qemu's program loader at the target's C library.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${CONKIT_QEMU} -L /usr/${CONKIT_TRIPLE})
