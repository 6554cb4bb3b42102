// Puts the kernels of the level that CONKIT_TEST_KERNELS names (scalar, sse2,
// avx2 or avx512) in use before the tests run, so that the rule tests check
// every level this processor runs, not only its highest; skips them all where
// it lacks that level.
#include "slices/detail/Kernels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using conkit::detail::Vectors;

const std::string levelNames[] = {"scalar", "sse2", "avx2", "avx512"};

class KernelLevel : public testing::Environment {
public:
    void SetUp() override {
        const char* name = std::getenv("CONKIT_TEST_KERNELS");
        const std::string wanted = name != nullptr ? name : "";
        for (int level = 0; level < 4; ++level) {
            if (levelNames[level] == wanted) {
                if (!conkit::detail::useKernels(static_cast<Vectors>(level))) {
                    GTEST_SKIP() << "this processor has no " << wanted << " kernels";
                }
                return;
            }
        }
        FAIL() << "CONKIT_TEST_KERNELS names no level: '" << wanted << "'";
    }
};

[[maybe_unused]] testing::Environment* const kernelLevel =
    testing::AddGlobalTestEnvironment(new KernelLevel);

TEST(KernelTableTest, PutsOnlyLevelsThisProcessorRunsInUse) {
    const Vectors before = conkit::detail::kernels().level;
    for (int level = 0; level < 4; ++level) {
        const auto asked = static_cast<Vectors>(level);
        const Vectors current = conkit::detail::kernels().level;
        const bool runs = asked <= conkit::detail::availableVectors();
        EXPECT_EQ(conkit::detail::useKernels(asked), runs) << levelNames[level];
        EXPECT_EQ(conkit::detail::kernels().level, runs ? asked : current) << levelNames[level];
        // findByte's inline vector block goes with the table: at the vector
        // levels only.
        const bool block = conkit::detail::kernels().blockFrom <= conkit::detail::byteBlock;
        EXPECT_EQ(block, conkit::detail::kernels().level != Vectors::scalar) << levelNames[level];
    }
    conkit::detail::useKernels(before);
}

} // namespace
