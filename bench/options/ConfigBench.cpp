// The cost of a configuration file: a parse of a table of 100 valued options
// that reads a file giving each of them a value, against the same parse of
// the same table without a file. Once through a TOML file and readTomlConfig
// (where conkit::config is built), once through a reader that hands out 100
// entries kept in memory: the configuration layer alone.
#include "bench/AllocationCount.h"

#include "options/OptionParser.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#if defined(CONKIT_HAVE_CONFIG)
#include "config/TomlConfig.h"
#endif

namespace {

constexpr int keys = 100;

/// What the file gives: "option0" to "option99", each with its own value.
std::vector<conkit::ConfigEntry> fileEntries() {
    std::vector<conkit::ConfigEntry> entries;
    for (int i = 0; i < keys; ++i) {
        const std::string n = std::to_string(i);
        entries.push_back({"", "option" + n, {"value" + n}, "bench.toml:" + std::to_string(i + 1)});
    }
    return entries;
}

bool memoryReader(const std::string&, std::vector<conkit::ConfigEntry>& out, std::string&) {
    static const std::vector<conkit::ConfigEntry> entries = fileEntries();
    out = entries;
    return true;
}

/// A TOML file of the same entries, written once; its path.
[[maybe_unused]] const std::string& tomlFile() {
    static const std::string path = [] {
        const std::filesystem::path file =
            std::filesystem::temp_directory_path() / "conkit_bench_config.toml";
        std::ofstream out(file);
        for (const conkit::ConfigEntry& entry : fileEntries()) {
            out << entry.name << " = \"" << entry.values.front() << "\"\n";
        }
        return file.string();
    }();
    return path;
}

/// Times the parse of `tool --config PATH -v file` against a table of 100
/// valued options, -v and --config; `reader` reads the file (none: no file).
void parseWithConfig(benchmark::State& state, conkit::ConfigReader reader,
                     const std::string& path) {
    conkit::OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setErrorOutput(nullptr);
    parser.addOption('v', "verbose", false, "", "say more");
    parser.addOption('c', "config", true, "", "the configuration file");
    for (int i = 0; i < keys; ++i) {
        parser.addOption('\0', "option" + std::to_string(i), true, "", "a valued option");
    }
    if (reader != nullptr) {
        parser.setConfigFile("config", "", reader);
    }
    const std::vector<std::string> words{"tool", "--config", path, "-v", "file"};
    if (!parser.parse(words) || parser.value("option99") != (reader != nullptr ? "value99" : "")) {
        state.SkipWithError("wrong answer");
        return;
    }
    const std::uint64_t before = conkit_bench::allocationCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(parser.parse(words));
    }
    state.counters["allocs"] =
        benchmark::Counter(static_cast<double>(conkit_bench::allocationCount() - before),
                           benchmark::Counter::kAvgIterations);
}

[[maybe_unused]] const bool registered = [] {
    for (const char* group : {"config_100_memory", "config_100_toml"}) {
        benchmark::RegisterBenchmark(
            (std::string(group) + "/no_file").c_str(),
            [](benchmark::State& state) { parseWithConfig(state, nullptr, "unused.toml"); });
    }
    benchmark::RegisterBenchmark("config_100_memory/conkit", [](benchmark::State& state) {
        parseWithConfig(state, memoryReader, "memory.toml");
    });
#if defined(CONKIT_HAVE_CONFIG)
    benchmark::RegisterBenchmark("config_100_toml/conkit", [](benchmark::State& state) {
        parseWithConfig(state, conkit::readTomlConfig, tomlFile());
    });
#endif
    return true;
}();

} // namespace
