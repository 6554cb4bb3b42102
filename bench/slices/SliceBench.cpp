// Slices and tokenizers against the C library, std::string_view,
// std::from_chars and absl::StrSplit on the same inputs.
//
// Baseline.cmake compiles this file a second time with conkit renamed to
// conkit_baseline and CONKIT_BENCH_AS_BASELINE defined: that copy registers
// conkit's rows alone, as "<group>/conkit_baseline", on the earlier
// revision's slices, and leaves the peers and the scaling rows to this one.
#include "../AllocationCount.h"
#include "../Workloads.h"

#include "slices/StrSlice.h"
#if defined(CONKIT_BENCH_AS_BASELINE) && __has_include("slices/detail/Kernels.h")
#include "slices/detail/Kernels.h"
#define CONKIT_BENCH_BASELINE_LEVELS
#endif

#include <benchmark/benchmark.h>
#include <strings.h>

#include <charconv>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#if defined(CONKIT_HAVE_ABSL)
#include <absl/strings/str_split.h>
#endif

namespace {

using conkit::StrSlice;

const std::string& english() {
    static const std::string text = conkit_bench::englishText(1 << 20);
    return text;
}

const std::string& csv() {
    static const std::string text = conkit_bench::csvText(32 << 20);
    return text;
}

const std::string& sameByte() {
    static const std::string text(1 << 20, 'a');
    return text;
}

StrSlice slice(const std::string& text) {
    return StrSlice(text);
}

/// Runs `work` once to check its answer against `want`, then times it; the
/// throughput counts `bytes` per call. Allocations inside the loop are
/// reported per call.
template <class Work>
void measure(benchmark::State& state, std::size_t bytes, long long want, Work work) {
    const long long got = static_cast<long long>(work());
    if (got != want) {
        state.SkipWithError(
            ("wrong answer " + std::to_string(got) + ", want " + std::to_string(want)).c_str());
        return;
    }
    const std::uint64_t before = conkit_bench::allocationCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(work());
    }
    state.counters["allocs"] =
        benchmark::Counter(static_cast<double>(conkit_bench::allocationCount() - before),
                           benchmark::Counter::kAvgIterations);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes));
}

long long offsetOr(const void* hit, const std::string& text) {
    return hit != nullptr ? static_cast<const char*>(hit) - text.data() : -1;
}

long long positionOr(std::size_t position) {
    return position == std::string_view::npos ? -1 : static_cast<long long>(position);
}

#if defined(CONKIT_BENCH_AS_BASELINE)
constexpr bool asBaseline = true;
#else
constexpr bool asBaseline = false;
#endif

template <class Work> void add(const std::string& name, Work work) {
    benchmark::RegisterBenchmark(name.c_str(), work);
}

/// conkit's row of `group`: "<group>/conkit", or "<group>/conkit_baseline" in
/// the baseline's copy.
template <class Work> void addConkit(const std::string& group, Work work) {
    add(group + (asBaseline ? "/conkit_baseline" : "/conkit"), work);
}

/// A peer's row, which only the current copy registers.
template <class Work> void addPeer(const std::string& name, Work work) {
    if (!asBaseline) {
        add(name, work);
    }
}

// --- character searches ---------------------------------------------------

void registerCharSearches() {
    for (const auto& [kind, c] : {std::pair<const char*, char>{"absent", '#'}, {"present", '~'}}) {
        const std::string& text = english();
        const long long first = offsetOr(std::memchr(text.data(), c, text.size()), text);
        const long long last = offsetOr(memrchr(text.data(), c, text.size()), text);
        const std::string group = std::string("find_char/") + kind;
        addConkit(group, [&text, c = c, first](benchmark::State& s) {
            measure(s, text.size(), first, [&] { return slice(text).find(c, 0); });
        });
        addPeer(group + "/memchr", [&text, c = c, first](benchmark::State& s) {
            measure(s, text.size(), first,
                    [&] { return offsetOr(std::memchr(text.data(), c, text.size()), text); });
        });
        const std::string reverse = std::string("rfind_char/") + kind;
        addConkit(reverse, [&text, c = c, last](benchmark::State& s) {
            measure(s, text.size(), last, [&] { return slice(text).rfind(c, StrSlice::npos); });
        });
        addPeer(reverse + "/memrchr", [&text, c = c, last](benchmark::State& s) {
            measure(s, text.size(), last,
                    [&] { return offsetOr(memrchr(text.data(), c, text.size()), text); });
        });
    }
}

// --- text searches ---------------------------------------------------------

void registerTextSearch(const std::string& group, const std::string& text,
                        const std::string& needle) {
    const long long want = positionOr(std::string_view(text).find(needle));
    addConkit(group, [&text, needle, want](benchmark::State& s) {
        measure(s, text.size(), want, [&] {
            return slice(text).find(needle.data(), static_cast<std::uint32_t>(needle.size()), 0);
        });
    });
    addPeer(group + "/memmem", [&text, needle, want](benchmark::State& s) {
        measure(s, text.size(), want, [&] {
            return offsetOr(memmem(text.data(), text.size(), needle.data(), needle.size()), text);
        });
    });
    addPeer(group + "/string_view", [&text, needle, want](benchmark::State& s) {
        measure(s, text.size(), want,
                [&] { return positionOr(std::string_view(text).find(needle)); });
    });
}

void registerTextSearches() {
    for (const conkit_bench::Needle& needle : conkit_bench::presentNeedles()) {
        registerTextSearch(std::string("find_text/present_") + needle.name, english(), needle.text);
    }
    for (const conkit_bench::Needle& needle : conkit_bench::absentNeedles()) {
        registerTextSearch(std::string("find_text/absent_") + needle.name, english(), needle.text);
    }
    // One repeated byte, and needles of that byte but one: last, then middle.
    registerTextSearch("find_text/adversarial_7B_end", sameByte(), "aaaaaab");
    registerTextSearch("find_text/adversarial_7B_mid", sameByte(), "aaabaaa");
    registerTextSearch("find_text/adversarial_24B_end", sameByte(), std::string(23, 'a') + "b");
    registerTextSearch("find_text/adversarial_24B_mid", sameByte(),
                       std::string(11, 'a') + "b" + std::string(12, 'a'));
}

// --- case-blind search --------------------------------------------------------

/// `text` with every other letter turned to upper case.
std::string mixedCase(std::string text) {
    for (std::size_t i = 0; i < text.size(); i += 2) {
        text[i] = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 32) : text[i];
    }
    return text;
}

/// findNoCase of the needle in mixed case against find of the needle itself,
/// on the same text: both answers are the same position (the needles stand in
/// the text in one case only), so both scan the same bytes.
void registerNoCaseSearch(const std::string& group, const std::string& text,
                          const std::string& needle) {
    const long long want = positionOr(std::string_view(text).find(needle));
    addConkit(group, [&text, sought = mixedCase(needle), want](benchmark::State& s) {
        measure(s, text.size(), want, [&] { return slice(text).findNoCase(slice(sought)); });
    });
    addPeer(group + "/find", [&text, needle, want](benchmark::State& s) {
        measure(s, text.size(), want, [&] { return slice(text).find(slice(needle)); });
    });
}

void registerNoCaseSearches() {
    for (const auto* needles : {&conkit_bench::presentNeedles(), &conkit_bench::absentNeedles()}) {
        const char* kind = needles == &conkit_bench::presentNeedles() ? "present_" : "absent_";
        for (const conkit_bench::Needle& needle : *needles) {
            if (needle.text.size() > 1) {
                registerNoCaseSearch(std::string("find_nocase/") + kind + needle.name, english(),
                                     needle.text);
            }
        }
    }
}

// --- case-blind comparison -------------------------------------------------

int foldingLoop(const char* a, const char* b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const int x = a[i] >= 'A' && a[i] <= 'Z' ? a[i] + 32 : a[i];
        const int y = b[i] >= 'A' && b[i] <= 'Z' ? b[i] + 32 : b[i];
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return 0;
}

int sign(int order) {
    return (order > 0) - (order < 0);
}

/// Random-case letter pairs that differ only in their last byte: every
/// comparison reads to the end, and about half the pairs before it differ by
/// case, which a kernel cannot take for a difference.
void registerNoCase() {
    static std::vector<std::pair<std::string, std::string>> texts;
    texts.reserve(2); // the benchmarks keep references into it
    for (std::size_t size : {std::size_t{64}, std::size_t{4096}}) {
        texts.push_back(conkit_bench::caseBlindPair(size));
        const auto& [a, b] = texts.back();
        const long long want = sign(foldingLoop(a.data(), b.data(), a.size()));
        const std::string group = "nocase/" + std::string(size == 64 ? "64B" : "4KiB");
        addConkit(group, [&a = a, &b = b, want](benchmark::State& s) {
            measure(s, a.size(), want, [&] { return slice(a).compareNoCase(slice(b)); });
        });
        addPeer(group + "/strncasecmp", [&a = a, &b = b, want](benchmark::State& s) {
            measure(s, a.size(), want,
                    [&] { return sign(strncasecmp(a.data(), b.data(), a.size())); });
        });
        addPeer(group + "/folding_loop", [&a = a, &b = b, want](benchmark::State& s) {
            measure(s, a.size(), want, [&] { return foldingLoop(a.data(), b.data(), a.size()); });
        });
    }
}

// --- tokenizers --------------------------------------------------------------

/// Token count times 31 plus total token length: a cheap fingerprint that a
/// wrong split cannot match by accident.
long long fingerprint(long long tokens, long long bytes) {
    return tokens * 31 + bytes;
}

/// The fingerprint of any range of string views.
template <class Tokens> long long fingerprintRange(const Tokens& range) {
    long long tokens = 0;
    long long bytes = 0;
    for (const auto token : range) {
        ++tokens;
        bytes += static_cast<long long>(token.size());
    }
    return fingerprint(tokens, bytes);
}

long long csvMemchr(const std::string& text) {
    long long tokens = 0;
    long long bytes = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p != end) {
        const void* hit = std::memchr(p, ',', static_cast<std::size_t>(end - p));
        const char* stop = hit != nullptr ? static_cast<const char*>(hit) : end;
        ++tokens;
        bytes += stop - p;
        p = hit != nullptr ? stop + 1 : end;
    }
    return fingerprint(tokens, bytes);
}

/// The plain loop a caller would write. The delimiter comes in at run time,
/// as it does for the tokenizer, so the compiler cannot specialise the loop
/// for one constant delimiter.
long long splitStringView(std::string_view text, std::string_view delimiter) {
    benchmark::DoNotOptimize(delimiter);
    long long tokens = 0;
    long long bytes = 0;
    while (!text.empty()) {
        const std::size_t at = text.find(delimiter);
        ++tokens;
        if (at == std::string_view::npos) {
            bytes += static_cast<long long>(text.size());
            break;
        }
        bytes += static_cast<long long>(at);
        text.remove_prefix(at + delimiter.size());
    }
    return fingerprint(tokens, bytes);
}

template <class Splitter> long long splitConkit(Splitter splitter) {
    long long tokens = 0;
    long long bytes = 0;
    StrSlice token;
    while (splitter.next(token)) {
        ++tokens;
        bytes += token.size();
    }
    return fingerprint(tokens, bytes);
}

void registerTokenizers() {
    const std::string& table = csv();
    const long long csvWant = csvMemchr(table);
    addConkit("split_csv", [&table, csvWant](benchmark::State& s) {
        measure(s, table.size(), csvWant,
                [&] { return splitConkit(conkit::CharSplitter(slice(table), ',')); });
    });
    addPeer("split_csv/memchr_loop", [&table, csvWant](benchmark::State& s) {
        measure(s, table.size(), csvWant, [&] { return csvMemchr(table); });
    });
    const std::string& text = english();
    const long long textWant = splitStringView(text, ", ");
    addConkit("split_text", [&text, textWant](benchmark::State& s) {
        measure(s, text.size(), textWant,
                [&] { return splitConkit(conkit::StrSplitter(slice(text), ", ")); });
    });
    addPeer("split_text/string_view", [&text, textWant](benchmark::State& s) {
        measure(s, text.size(), textWant, [&] { return splitStringView(text, ", "); });
    });
#if defined(CONKIT_HAVE_ABSL)
    // absl gives one empty token after a trailing delimiter; the others do
    // not, and neither generated text ends in one.
    addPeer("split_csv/absl", [&table, csvWant](benchmark::State& s) {
        measure(s, table.size(), csvWant,
                [&] { return fingerprintRange(absl::StrSplit(table, ',')); });
    });
    addPeer("split_text/absl", [&text, textWant](benchmark::State& s) {
        measure(s, text.size(), textWant,
                [&] { return fingerprintRange(absl::StrSplit(text, ", ")); });
    });
#endif
}

// --- numeric conversion ------------------------------------------------------

/// The sum of the converted values, in the converted type's own arithmetic:
/// integers add up in 64 bits (wrapping, which unsigned arithmetic defines),
/// doubles in a double, whose bits are the fingerprint.
template <class T> class Sum {
public:
    void add(T value) {
        if constexpr (std::is_integral_v<T>) {
            total += static_cast<std::uint64_t>(value);
        } else {
            total += value;
        }
    }
    long long fingerprint() const {
        long long bits = 0;
        std::memcpy(&bits, &total, sizeof bits);
        return bits;
    }

private:
    std::conditional_t<std::is_integral_v<T>, std::uint64_t, T> total{};
};

template <class T> long long convertConkit(const conkit_bench::PackedNumbers& numbers) {
    Sum<T> sum;
    for (const auto& [offset, length] : numbers.spans) {
        T value{};
        StrSlice(numbers.digits.data() + offset, length).toNumber(value);
        sum.add(value);
    }
    return sum.fingerprint();
}

template <class T> long long convertFromChars(const conkit_bench::PackedNumbers& numbers) {
    Sum<T> sum;
    for (const auto& [offset, length] : numbers.spans) {
        T value{};
        const char* first = numbers.digits.data() + offset;
        std::from_chars(first, first + length, value);
        sum.add(value);
    }
    return sum.fingerprint();
}

template <class T>
void registerConversion(const std::string& group, const conkit_bench::PackedNumbers& numbers) {
    const long long want = convertFromChars<T>(numbers);
    addConkit(group, [&numbers, want](benchmark::State& s) {
        measure(s, numbers.digits.size(), want, [&] { return convertConkit<T>(numbers); });
    });
    addPeer(group + "/from_chars", [&numbers, want](benchmark::State& s) {
        measure(s, numbers.digits.size(), want, [&] { return convertFromChars<T>(numbers); });
    });
}

void registerConversions() {
    registerConversion<int>("to_int", conkit_bench::packedIntegers());
    registerConversion<long>("to_long", conkit_bench::packedIntegers());
    registerConversion<double>("to_double", conkit_bench::packedDecimals());
    static const conkit_bench::PackedNumbers shortIntegers = conkit_bench::integerTokens(9);
    static const conkit_bench::PackedNumbers longIntegers = conkit_bench::integerTokens(18);
    registerConversion<int>("to_int_1-9", shortIntegers);
    registerConversion<long>("to_long_1-18", longIntegers);
    registerConversion<double>("to_double_8.8", conkit_bench::decimalTokens());
}

// --- scaling -----------------------------------------------------------------

void registerScaling() {
    static std::vector<std::string> texts;
    texts.reserve(4); // the benchmarks keep references into it
    for (std::size_t size : {std::size_t{4} << 10, std::size_t{256} << 10, std::size_t{4} << 20,
                             std::size_t{64} << 20}) {
        texts.push_back(conkit_bench::englishText(size));
        const std::string& text = texts.back();
        const std::string label = std::to_string(size >> 10) + "KiB";
        const long long where = positionOr(std::string_view(text).find("therein"));
        add("scale_find_text/" + label, [&text, where](benchmark::State& s) {
            measure(s, text.size(), where, [&] { return slice(text).find("therein", 0); });
        });
        const long long tokens = splitStringView(text, ", ");
        add("scale_split_text/" + label, [&text, tokens](benchmark::State& s) {
            measure(s, text.size(), tokens,
                    [&] { return splitConkit(conkit::StrSplitter(slice(text), ", ")); });
        });
    }
    // The same sizes as successive windows of the 64 MiB text, so that every
    // size reads bytes that are equally far from the processor and equally new
    // to its branch predictor; only the cost per call and per size remains.
    const std::string& big = texts.back();
    for (std::size_t size : {std::size_t{4} << 10, std::size_t{256} << 10, std::size_t{4} << 20,
                             std::size_t{64} << 20}) {
        const std::string label = std::to_string(size >> 10) + "KiB";
        add("scale_window_find_text/" + label, [&big, size](benchmark::State& s) {
            std::size_t at = 0;
            const std::string_view first = std::string_view(big).substr(0, size);
            measure(s, size, positionOr(first.find("therein")), [&] {
                const StrSlice window(big.data() + at, static_cast<std::uint32_t>(size));
                at = at + 2 * size <= big.size() ? at + size : 0;
                return window.find("therein", 0);
            });
        });
        add("scale_window_split_text/" + label, [&big, size](benchmark::State& s) {
            std::size_t at = 0;
            const std::string_view first = std::string_view(big).substr(0, size);
            measure(s, size, splitStringView(first, ", "), [&] {
                const StrSlice window(big.data() + at, static_cast<std::uint32_t>(size));
                at = at + 2 * size <= big.size() ? at + size : 0;
                return splitConkit(conkit::StrSplitter(window, ", "));
            });
        });
    }
}

[[maybe_unused]] const bool registered = [] {
    registerCharSearches();
    registerTextSearches();
    registerNoCaseSearches();
    registerNoCase();
    registerTokenizers();
    registerConversions();
    if (!asBaseline) {
        registerScaling();
    }
    return true;
}();

} // namespace

#if defined(CONKIT_BENCH_AS_BASELINE)
namespace conkit_bench {

bool useBaselineKernels(int level) {
#if defined(CONKIT_BENCH_BASELINE_LEVELS)
    return conkit::detail::useKernels(static_cast<conkit::detail::Vectors>(level));
#else
    static_cast<void>(level); // a revision before the kernel table: its own choice stays
    return false;
#endif
}

} // namespace conkit_bench
#endif
