// conkit's parse benchmarks run on an earlier revision of the library, built
// into the same binary (see Baseline.cmake) so that one run measures both.
// That revision's sources, and this file, are compiled with conkit renamed to
// conkit_baseline: conkit:: here names the earlier parser, and the two
// versions never share a symbol.
#include "ConkitParse.h"

#include <tuple>

namespace {

[[maybe_unused]] const bool registered = [] {
    const CommandLine& small = conkit_bench::smallCommandLine();
    const std::tuple<const char*, Runner, const CommandLine&, std::size_t> benchmarks[] = {
        {"parse_small", conkitClassicParse, small, 0},
        {"parse_large", conkitClassicParse, largeLine(), 100},
        {"gnu_parse_small", conkitGnuParse, small, 0},
        {"gnu_parse_large", conkitGnuParse, largeLine(), 100},
    };
    for (const auto& [group, runner, line, extraFlags] : benchmarks) {
        registerParser(std::string(group) + "/conkit_baseline", runner, line, extraFlags);
    }
    return true;
}();

} // namespace
