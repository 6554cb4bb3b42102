// Runs the benchmarks and prints, after Google Benchmark's own report, a table
// of throughput ratios of conkit against its baselines measured in the same
// run, with the targets they are held to. Ratios use medians when the run
// has repetitions (--benchmark_repetitions).
//
// --kernels=scalar|sse2|avx2|avx512 runs the slice rows with the kernels of
// that level, on any processor that runs it (static builds only: the shared
// library does not export the switch); the baseline revision's rows too,
// when it has a kernel table.
#include "slices/detail/Kernels.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#if defined(CONKIT_BENCH_BASELINE)
namespace conkit_bench {
/// Puts the baseline's slice kernels of `level` (a conkit::detail::Vectors) in
/// use; false when it cannot. Defined by the baseline's copy of
/// slices/SliceBench.cpp.
bool useBaselineKernels(int level);
} // namespace conkit_bench
#endif

namespace {

struct Measured {
    double cpuTime = 0;           // per iteration
    double allocations = -1;      // per call, once warm
    double firstAllocations = -1; // the first call on a fresh object
    double words = 0;
    double bytesPerSecond = 0;
};

/// Keeps the median of every benchmark (or its single run) while the console
/// reporter prints as usual.
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration;
            if (run.error_occurred || (!median && !single)) {
                continue;
            }
            const std::string name = run.run_name.str();
            if (single && results.count(name) != 0) {
                continue; // repetitions: wait for the median
            }
            Measured& m = results[name];
            m.cpuTime = run.GetAdjustedCPUTime();
            const auto counter = [&run](const char* key, double fallback) {
                const auto it = run.counters.find(key);
                return it != run.counters.end() ? it->second.value : fallback;
            };
            m.allocations = counter("allocs", -1);
            m.firstAllocations = counter("first_allocs", -1);
            m.words = counter("words", 0);
            m.bytesPerSecond = counter("bytes_per_second", 0);
        }
    }
    std::map<std::string, Measured> results;
};

/// The names of conkit::detail::Vectors, in order.
constexpr const char* levelNames[] = {"scalar", "sse2", "avx2", "avx512"};

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

const Measured* find(const std::map<std::string, Measured>& results, const std::string& name) {
    const auto it = results.find(name);
    return it != results.end() ? &it->second : nullptr;
}

struct Row {
    std::string label;
    std::string group;
    std::vector<const char*> baselines; // the fastest of them is the baseline
    double target;                      // conkit / baseline throughput; 0: for information
};

/// A table headed `title`, one line per row: conkit's throughput over its
/// baseline's, and the target.
void printRows(const char* title, const std::map<std::string, Measured>& results,
               const std::vector<Row>& rows) {
    std::printf("\n%-32s %-26s %8s %8s  %s\n", title, "baseline", "ratio", "target", "met");
    for (const Row& row : rows) {
        const Measured* ours = find(results, row.group + "/conkit");
        const Measured* best = nullptr;
        std::string bestName;
        for (const char* baseline : row.baselines) {
            const Measured* m = find(results, row.group + "/" + baseline);
            if (m != nullptr && (best == nullptr || m->cpuTime < best->cpuTime)) {
                best = m;
                bestName = baseline;
            }
        }
        if (ours == nullptr || best == nullptr) {
            std::printf("%-32s %-26s %8s\n", row.label.c_str(), row.baselines.front(), "skipped");
            continue;
        }
        if (row.baselines.size() > 1) {
            bestName = "best: " + bestName;
        }
        const double ratio = best->cpuTime / ours->cpuTime;
        if (row.target > 0) {
            std::printf("%-32s %-26s %8.2f %7s%.1f  %s\n", row.label.c_str(), bestName.c_str(),
                        ratio, ">=", row.target, ratio >= row.target ? "yes" : "NO");
        } else {
            std::printf("%-32s %-26s %8.2f %8s\n", row.label.c_str(), bestName.c_str(), ratio, "-");
        }
    }
}

void printRatios(const std::map<std::string, Measured>& results) {
    std::printf("\nslice kernels: %s\n",
                levelNames[static_cast<int>(conkit::detail::kernels().level)]);
    const std::vector<Row> rows = {
        {"find(char), absent", "find_char/absent", {"memchr"}, 0.9},
        {"find(char), present", "find_char/present", {"memchr"}, 0.9},
        {"rfind(char), absent", "rfind_char/absent", {"memrchr"}, 0.9},
        {"rfind(char), present", "rfind_char/present", {"memrchr"}, 0.9},
        {"find(text) 1B present", "find_text/present_1B", {"memmem"}, 0},
        {"find(text) 1B absent", "find_text/absent_1B", {"memmem"}, 0},
        {"find(text) 7B present", "find_text/present_7B", {"memmem"}, 1.0},
        {"find(text) 7B absent", "find_text/absent_7B", {"memmem"}, 1.0},
        {"find(text) 24B present", "find_text/present_24B", {"memmem"}, 1.0},
        {"find(text) 24B absent", "find_text/absent_24B", {"memmem"}, 1.0},
        {"find(text) 7B present", "find_text/present_7B", {"string_view"}, 0},
        {"find(text) 24B absent", "find_text/absent_24B", {"string_view"}, 0},
        {"find(text) adversarial 7B end", "find_text/adversarial_7B_end", {"string_view"}, 1.0},
        {"find(text) adversarial 7B mid", "find_text/adversarial_7B_mid", {"string_view"}, 1.0},
        {"find(text) adversarial 24B end", "find_text/adversarial_24B_end", {"string_view"}, 1.0},
        {"find(text) adversarial 24B mid", "find_text/adversarial_24B_mid", {"string_view"}, 1.0},
        {"findNoCase 7B present", "find_nocase/present_7B", {"find"}, 0.5},
        {"findNoCase 7B absent", "find_nocase/absent_7B", {"find"}, 0.5},
        {"findNoCase 24B present", "find_nocase/present_24B", {"find"}, 0.5},
        {"findNoCase 24B absent", "find_nocase/absent_24B", {"find"}, 0.5},
        {"compareNoCase 64B", "nocase/64B", {"strncasecmp", "folding_loop"}, 1.0},
        {"compareNoCase 4KiB", "nocase/4KiB", {"strncasecmp", "folding_loop"}, 1.0},
        {"CharSplitter, CSV on ','", "split_csv", {"memchr_loop"}, 1.0},
        {"CharSplitter, CSV on ','", "split_csv", {"absl"}, 0},
        {"StrSplitter, text on \", \"", "split_text", {"string_view"}, 1.0},
        {"StrSplitter, text on \", \"", "split_text", {"absl"}, 0},
        {"toNumber int", "to_int", {"from_chars"}, 0.9},
        {"toNumber long", "to_long", {"from_chars"}, 0.9},
        {"toNumber double", "to_double", {"from_chars"}, 0.9},
        {"toNumber int, 1-9 digits", "to_int_1-9", {"from_chars"}, 0.9},
        {"toNumber long, 1-18 digits", "to_long_1-18", {"from_chars"}, 0.9},
        {"toNumber double, 1-8.0-8 digits", "to_double_8.8", {"from_chars"}, 0.9},
        // The small lines: a few tens of nanoseconds once per process, held to a
        // floor rather than a lead.
        {"parse, small", "parse_small", {"getopt_long"}, 0.8},
        {"parse, small", "parse_small", {"cxxopts"}, 5},
        {"parse, small", "parse_small", {"CLI11"}, 5},
        {"parse, small", "parse_small", {"boost"}, 5},
        {"parse, large", "parse_large", {"getopt_long"}, 1.0},
        {"parse, large", "parse_large", {"cxxopts"}, 0},
        {"parse, large", "parse_large", {"CLI11"}, 0},
        {"parse, large", "parse_large", {"boost"}, 0},
        {"gnu parse, small", "gnu_parse_small", {"getopt_long"}, 0.9},
        {"gnu parse, small", "gnu_parse_small", {"getopt_long_in_order"}, 0},
        {"gnu parse, large", "gnu_parse_large", {"getopt_long"}, 5.0},
        {"gnu parse, large", "gnu_parse_large", {"getopt_long_in_order"}, 0},
        {"isSet, 100 options, renamed", "query_after_rename", {"no_rename"}, 0.5},
        {"30-option tool with a command", "tool_30", {"CLI11"}, 1.0},
    };
    printRows("operation", results, rows);
}

#if defined(CONKIT_BENCH_BASELINE)
/// conkit against the earlier revision built into the same binary: the large
/// lines at least as fast, the small ones and the slice rows for information.
void printBaseline(const std::map<std::string, Measured>& results) {
    std::vector<Row> rows = {
        {"parse, small", "parse_small", {"conkit_baseline"}, 0},
        {"parse, large", "parse_large", {"conkit_baseline"}, 1.0},
        {"gnu parse, small", "gnu_parse_small", {"conkit_baseline"}, 0},
        {"gnu parse, large", "gnu_parse_large", {"conkit_baseline"}, 1.0},
    };
    // Every other group that both versions ran: the slice rows.
    const std::string suffix = "/conkit_baseline";
    for (const auto& entry : results) {
        const std::string& name = entry.first;
        const std::string group =
            name.substr(0, name.size() - std::min(name.size(), suffix.size()));
        if (endsWith(name, suffix) && group.find("parse") == std::string::npos &&
            results.count(group + "/conkit") != 0) {
            rows.push_back({group, group, {"conkit_baseline"}, 0});
        }
    }
    printRows("conkit vs " CONKIT_BENCH_BASELINE, results, rows);
}
#endif

void printAllocations(const std::map<std::string, Measured>& results) {
    std::printf("\n%-32s %8s %8s  %s\n", "heap allocations per call", "count", "limit", "met");
    const auto show = [](const char* label, double count, double limit) {
        std::printf("%-32s %8.1f %8.0f  %s\n", label, count, limit, count <= limit ? "yes" : "NO");
    };
    for (const auto& [label, name, limit] :
         {std::tuple<const char*, const char*, double>{"parse, small", "parse_small/conkit", 3},
          {"parse, large", "parse_large/conkit", 30}}) {
        if (const Measured* m = find(results, name)) {
            show((std::string(label) + ", first parse").c_str(), m->firstAllocations, limit);
            show((std::string(label) + ", parsing again").c_str(), m->allocations, limit);
        }
    }
    // A gnu parse allocates no more than a classic parse of the same line.
    for (const char* size : {"small", "large"}) {
        const Measured* classic = find(results, std::string("parse_") + size + "/conkit");
        const Measured* gnu = find(results, std::string("gnu_parse_") + size + "/conkit");
        if (classic != nullptr && gnu != nullptr) {
            const std::string label = std::string("gnu parse, ") + size;
            show((label + ", first parse").c_str(), gnu->firstAllocations,
                 classic->firstAllocations);
            show((label + ", parsing again").c_str(), gnu->allocations, classic->allocations);
        }
    }
    double slices = -1;
    for (const auto& [name, m] : results) {
        // The options rows: parses, queries, a tool, configuration files.
        const bool sliceWork = name.find("parse") == std::string::npos &&
                               name.rfind("query_", 0) != 0 && name.rfind("tool_", 0) != 0 &&
                               name.rfind("config_", 0) != 0;
        if (sliceWork && (endsWith(name, "/conkit") || name.rfind("scale_", 0) == 0)) {
            slices = std::max(slices, m.allocations);
        }
    }
    if (slices >= 0) {
        show("slice and tokenizer operations", slices, 0);
    }
}

/// What reading a configuration file of 100 keys costs a parse: its time
/// with the file over the same parse without one, measured in the same run.
void printConfigCost(const std::map<std::string, Measured>& results) {
    std::printf("\n%-32s %12s %12s %8s\n", "configuration file, 100 keys", "with, ns",
                "without, ns", "ratio");
    for (const auto& [label, group] :
         {std::pair<const char*, std::string>{"entries in memory", "config_100_memory"},
          {"TOML file, readTomlConfig", "config_100_toml"}}) {
        const Measured* with = find(results, group + "/conkit");
        const Measured* without = find(results, group + "/no_file");
        if (with != nullptr && without != nullptr) {
            std::printf("%-32s %12.0f %12.0f %8.0f\n", label, with->cpuTime, without->cpuTime,
                        with->cpuTime / without->cpuTime);
        }
    }
}

/// Flatness of a family: the slowest per-unit time over the fastest.
void printScaling(const std::map<std::string, Measured>& results) {
    std::printf("\n%-32s %-36s %8s %8s  %s\n", "scaling", "sizes", "spread", "limit", "met");
    const auto family = [&results](const char* label, const std::string& prefix, bool perWord) {
        double fastest = 0;
        double slowest = 0;
        std::string sizes;
        for (const auto& [name, m] : results) {
            if (name.rfind(prefix, 0) != 0) {
                continue;
            }
            // Per word for parses of growing lines, per byte for slices (time
            // over bytes per second), per parse for growing option tables.
            const double unit = perWord
                                    ? m.cpuTime / m.words
                                    : (m.bytesPerSecond > 0 ? 1.0 / m.bytesPerSecond : m.cpuTime);
            fastest = fastest == 0 ? unit : std::min(fastest, unit);
            slowest = std::max(slowest, unit);
            sizes += (sizes.empty() ? "" : ", ") + name.substr(prefix.size());
        }
        if (fastest > 0) {
            const double spread = slowest / fastest;
            std::printf("%-32s %-36s %8.2f %8.2f  %s\n", label, sizes.c_str(), spread, 1.2,
                        spread <= 1.2 ? "yes" : "NO");
        }
    };
    family("parse time per word", "scale_parse_words/", true);
    family("parse time per option table", "scale_parse_options/", false);
    family("small line per option table", "scale_parse_small_options/", false);
    family("gnu small line per option table", "scale_gnu_parse_small_options/", false);
    family("20 options per option table", "scale_parse_20_options/", false);
    family("gnu 20 options per option table", "scale_gnu_parse_20_options/", false);
    family("find(text), one hot text", "scale_find_text/", false);
    family("StrSplitter, one hot text", "scale_split_text/", false);
    family("find(text), windows of 64MiB", "scale_window_find_text/", false);
    family("StrSplitter, windows of 64MiB", "scale_window_split_text/", false);
}

/// Takes --kernels=LEVEL out of the arguments and puts that level's kernels
/// in use; false, with a message, for a level unknown or not available here.
bool takeKernelLevel(int& argc, char** argv) {
    const char* const flag = "--kernels=";
    int kept = 0;
    bool ok = true;
    for (int i = 0; i < argc; ++i) {
        if (i == 0 || std::strncmp(argv[i], flag, std::strlen(flag)) != 0) {
            argv[kept++] = argv[i];
            continue;
        }
        const std::string name = argv[i] + std::strlen(flag);
        const auto* known = std::find(std::begin(levelNames), std::end(levelNames), name);
        const auto level = static_cast<conkit::detail::Vectors>(known - std::begin(levelNames));
#if defined(CONKIT_BENCH_KERNEL_LEVELS)
        const bool used = known != std::end(levelNames) && conkit::detail::useKernels(level);
#else
        const bool used = false; // a shared build: the switch is not exported
#endif
        if (!used) {
            std::fprintf(stderr, "kernels '%s' unknown or not run by this processor\n",
                         name.c_str());
            ok = false;
        }
#if defined(CONKIT_BENCH_BASELINE)
        if (used && !conkit_bench::useBaselineKernels(static_cast<int>(level))) {
            std::fprintf(stderr, "note: %s keeps the kernels it chooses itself\n",
                         CONKIT_BENCH_BASELINE);
        }
#endif
    }
    argc = kept;
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (!takeKernelLevel(argc, argv)) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    printRatios(collector.results);
#if defined(CONKIT_BENCH_BASELINE)
    printBaseline(collector.results);
#endif
    printAllocations(collector.results);
    printScaling(collector.results);
    printConfigCost(collector.results);
    benchmark::Shutdown();
    return 0;
}
