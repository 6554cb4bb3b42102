// The entry point of every GoogleTest executable of conkit.
#include <gtest/gtest.h>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

int main(int argc, char** argv) {
#if defined(_WIN32)
    // Binary standard output, so that test listings (which CTest parses by
    // line) and captured output end their lines with '\n' alone, as elsewhere.
    // The demo's own text-mode line ends are checked by its end-to-end tests.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
