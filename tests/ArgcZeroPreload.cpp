// Preloaded into the demo by its end-to-end test to start it with an empty
// argument vector. Linux (since 5.18) turns an exec with no arguments into
// one with a single empty argument; when CONKIT_TEST_ARGC_ZERO is set, this
// library undoes that before the program's entry point runs.
#include <dlfcn.h>

#include <cstdlib>

namespace {
using MainFunction = int (*)(int, char**, char**);
using StartMain = int (*)(MainFunction, int, char**, void (*)(), void (*)(), void (*)(), void*);
} // namespace

extern "C" int __libc_start_main(MainFunction main, int argc, char** argv, void (*init)(),
                                 void (*fini)(), void (*rtldFini)(), void* stackEnd) {
    const auto real = reinterpret_cast<StartMain>(dlsym(RTLD_NEXT, "__libc_start_main"));
    if (std::getenv("CONKIT_TEST_ARGC_ZERO") != nullptr && argc == 1 && argv[0][0] == '\0') {
        // The vector {"", NULL, env...} becomes {NULL, env...}: argv[argc] stays
        // NULL and the environment stays where the C library looks for it.
        return real(main, 0, argv + 1, init, fini, rtldFini, stackEnd);
    }
    return real(main, argc, argv, init, fini, rtldFini, stackEnd);
}
