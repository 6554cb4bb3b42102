// StrSlice held against std::string_view on many generated inputs (fixed
// seed).
#include "slices/StrSlice.h"

#include "slices/detail/FoldCompare.h"
#include "slices/detail/TextSearch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

namespace {

using conkit::StrSlice;

class Generator {
public:
    /// A text of up to `maxLength` bytes drawn from `alphabet`.
    std::string text(std::string_view alphabet, std::size_t maxLength) {
        std::string out(pick(maxLength + 1), ' ');
        for (char& c : out) {
            c = alphabet[pick(alphabet.size())];
        }
        return out;
    }
    std::size_t pick(std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(engine);
    }

private:
    std::mt19937 engine{20261207};
};

std::int32_t expected(std::size_t position) {
    return position == std::string_view::npos ? -1 : static_cast<std::int32_t>(position);
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

int foldedCompare(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        const auto fold = [](char c) {
            return static_cast<signed char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        };
        if (fold(a[i]) != fold(b[i])) {
            return fold(a[i]) < fold(b[i]) ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

TEST(DifferentialTest, SlicesAgreeWithStringView) {
    Generator gen;
    const std::string_view alphabet("abA\0\xE9", 5);
    for (int round = 0; round < 20000; ++round) {
        const std::string hay = gen.text(alphabet, 40);
        const std::string needle = gen.text(alphabet, 4);
        const std::string_view view(hay);
        const StrSlice slice(hay);
        const StrSlice sought(needle);
        const auto size = static_cast<std::uint32_t>(hay.size());
        const auto count = static_cast<std::uint32_t>(needle.size());
        const auto start = static_cast<std::uint32_t>(gen.pick(hay.size() + 3));
        SCOPED_TRACE(testing::PrintToString(hay) + " / " + testing::PrintToString(needle) +
                     " from " + std::to_string(start));

        const bool fits = start < size && start + count <= size;
        ASSERT_EQ(slice.find(needle.data(), count, start),
                  fits ? expected(view.find(needle, start)) : -1);
        ASSERT_EQ(slice.rfind(needle.data(), count, start),
                  fits ? expected(view.substr(0, size - start).rfind(needle)) : -1);
        const char c = alphabet[gen.pick(alphabet.size())];
        ASSERT_EQ(slice.find(c, start), expected(view.find(c, start)));
        ASSERT_EQ(slice.rfind(c, start), expected(view.rfind(c, start)));

        ASSERT_EQ(slice.compare(sought), sign(view.compare(needle)));
        ASSERT_EQ(slice.compareNoCase(sought), foldedCompare(view, needle));
        ASSERT_EQ(slice.hasPrefix(needle.data(), count), view.substr(0, count) == needle);
        ASSERT_EQ(slice.hasSuffix(needle.data(), count),
                  count <= size && view.substr(size - count) == needle);

        const auto length = static_cast<std::uint32_t>(gen.pick(hay.size() + 3));
        const StrSlice cut = slice.substr(start, length);
        if (start < size) {
            ASSERT_EQ(cut.data(), hay.data() + start);
            ASSERT_EQ(std::string_view(cut), view.substr(start, length));
        } else {
            ASSERT_EQ(cut.data(), nullptr);
        }
    }
}

TEST(DifferentialTest, VectorPathsAgreeWithPlainScans) {
    // Long enough for whole vector blocks and every tail length; few distinct
    // bytes, so that partial matches are common.
    Generator gen;
    const std::string_view alphabet("aaaaab\0\xE9", 8);
    for (int round = 0; round < 20000; ++round) {
        const std::string hay = gen.text(alphabet, 300);
        std::string needle = gen.text(alphabet, 40);
        if (needle.empty() || (round % 2 == 0 && !hay.empty())) {
            const std::size_t at = gen.pick(hay.size() + 1);
            needle = hay.substr(at, 1 + gen.pick(40));
        }
        if (needle.empty()) {
            continue;
        }
        SCOPED_TRACE(testing::PrintToString(hay) + " / " + testing::PrintToString(needle));
        const StrSlice slice(hay);
        const auto count = static_cast<std::uint32_t>(needle.size());
        const std::size_t first =
            conkit::detail::findTextScalar(hay.data(), hay.size(), needle.data(), needle.size());
        const std::size_t last = conkit::detail::findLastTextScalar(hay.data(), hay.size(),
                                                                    needle.data(), needle.size());
        ASSERT_EQ(slice.find(needle.data(), count, 0), expected(first));
        ASSERT_EQ(slice.rfind(needle.data(), count, 0), expected(last));
        ASSERT_EQ(conkit::detail::findText(hay.data(), hay.size(), needle.data(), needle.size()),
                  first);

        // Equal-but-for-case texts with one difference somewhere, or none.
        std::string other = hay;
        for (char& c : other) {
            c = c == 'a' ? 'A' : c;
        }
        if (!other.empty() && round % 3 != 0) {
            other[gen.pick(other.size())] = alphabet[gen.pick(alphabet.size())];
        }
        ASSERT_EQ(slice.compareNoCase(StrSlice(other)),
                  conkit::detail::compareFoldedScalar(hay.data(), other.data(), hay.size()));
    }
}

} // namespace
