// StrSlice split and between, and the tokenizers.
#include "slices/StrSlice.h"

#include <gmock/gmock.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using conkit::BlankSplitter;
using conkit::CharSplitter;
using conkit::StrSlice;
using conkit::StrSplitter;
using testing::ElementsAre;
using testing::ElementsAreArray;

const StrSlice untouched("untouched");

std::string show(const StrSlice& slice) {
    return slice.data() == nullptr ? "<null>" : std::string(slice);
}

struct SplitRow {
    StrSlice text;
    int result;
    const char* head;
    const char* tail;
};

template <class Delimiter> void checkSplit(const SplitRow& row, Delimiter delimiter) {
    SCOPED_TRACE(show(row.text));
    StrSlice head = untouched;
    StrSlice tail = untouched;
    EXPECT_EQ(row.text.split(delimiter, head, tail), row.result);
    EXPECT_EQ(show(head), row.head);
    EXPECT_EQ(show(tail), row.tail);
    if (row.result == 2) {
        EXPECT_EQ(tail.end(), row.text.end()); // the tail ends where the text does
    }
}

TEST(SplitTest, SplitAtCharacter) {
    const SplitRow rows[] = {
        {"a,b", 2, "a", "b"},
        {"ab", 1, "ab", "<null>"},
        {",b", 2, "", "b"},
        {"a,", 2, "a", ""},
        {"a,b,c", 2, "a", "b,c"},
        {"", 0, "untouched", "untouched"},
        {StrSlice(nullptr, 3), 0, "untouched", "untouched"},
    };
    for (const SplitRow& row : rows) {
        checkSplit(row, ',');
    }
}

TEST(SplitTest, SplitAtText) {
    const SplitRow rows[] = {
        {"a::b", 2, "a", "b"},   {"a::", 2, "a", ""},   {"a:b", 1, "a:b", "<null>"},
        {":", 1, ":", "<null>"}, {"::::", 2, "", "::"}, {StrSlice(), 0, "untouched", "untouched"},
    };
    for (const SplitRow& row : rows) {
        checkSplit(row, "::");
    }
    checkSplit({"ab", 2, "", "ab"}, ""); // an empty delimiter stands before the first byte
}

TEST(SplitTest, Between) {
    struct Row {
        StrSlice text;
        const char* open;
        const char* close;
        const char* want; // nullptr: false
    };
    const Row rows[] = {
        {"(abc)", "(", ")", "abc"},  {"x(abc)y", "(", ")", "abc"}, {"()", "(", ")", ""},
        {"(abc", "(", ")", nullptr}, {"abc)", "(", ")", nullptr},  {")(", "(", ")", nullptr},
        {"a|b|c", "|", "|", "b"},    {"", "(", ")", nullptr},      {"x[[abc]]y", "[[", "]]", "abc"},
        {"[[]]", "[[", "]]", ""},    {"x[[", "[[", "]]", nullptr}, {"]]abc[[", "[[", "]]", nullptr},
        {"[[", "[[", "", nullptr},   {"[[a", "[[", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(show(row.text) + " " + row.open + row.close);
        StrSlice out = untouched;
        const bool ok = std::strlen(row.open) == 1 && std::strlen(row.close) == 1
                            ? row.text.between(row.open[0], row.close[0], out)
                            : row.text.between(row.open, row.close, out);
        EXPECT_EQ(ok, row.want != nullptr);
        EXPECT_EQ(show(out), row.want != nullptr ? row.want : "untouched");
        StrSlice byText = untouched;
        EXPECT_EQ(row.text.between(row.open, row.close, byText), ok);
        EXPECT_EQ(show(byText), show(out));
    }
}

/// The tokens that `splitter` hands out, which consumes them.
template <class Splitter> std::vector<std::string> tokens(Splitter&& splitter) {
    std::vector<std::string> out;
    StrSlice token;
    while (splitter.next(token)) {
        out.push_back(show(token));
    }
    EXPECT_FALSE(splitter.next(token)); // stays exhausted
    return out;
}

TEST(TokenizerTest, CharSplitter) {
    const std::pair<const char*, std::vector<std::string>> rows[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"a,,b", {"a", "", "b"}},
        {",a", {"", "a"}},
        {"a,", {"a"}},
        {",", {""}},
        {"", {}},
        {"abc", {"abc"}},
        {",,", {"", ""}},
    };
    for (const auto& [text, want] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(tokens(CharSplitter(text, static_cast<std::uint32_t>(std::strlen(text)), ',')),
                  want);
    }
    EXPECT_THAT(tokens(CharSplitter(nullptr, 4, ',')), ElementsAre());
}

TEST(TokenizerTest, StrSplitter) {
    struct Row {
        const char* text;
        const char* delimiter;
        std::vector<std::string> want;
    };
    const Row rows[] = {
        {"a, b, c", ", ", {"a", "b", "c"}},
        {", a", ", ", {"", "a"}},
        {"a, ", ", ", {"a"}},
        {"a::::b", "::", {"a", "", "b"}},
        {"abc", "abc", {""}},
        {"ab", "abc", {"ab"}},
        {"", ",", {}},
        {"a,b", "", {"a,b"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " / " + row.delimiter);
        EXPECT_EQ(tokens(StrSplitter(row.text, static_cast<std::uint32_t>(std::strlen(row.text)),
                                     row.delimiter)),
                  row.want);
    }
}

TEST(TokenizerTest, BlankSplitter) {
    using namespace std::string_literals;
    const std::pair<std::string, std::vector<std::string>> rows[] = {
        {"a b", {"a", "b"}},
        {"  ls \t-l \r\n /tmp\n", {"ls", "-l", "/tmp"}}, // runs of any blanks, at either end
        {" \t\r\n ", {}},
        {"", {}},
        {"word", {"word"}},
        {"a\vb\fc\0\xA0z"s, {"a\vb\fc\0\xA0z"s}}, // not blanks: \v, \f, NUL, 0xA0
    };
    for (const auto& [text, want] : rows) {
        SCOPED_TRACE(testing::PrintToString(text));
        EXPECT_EQ(tokens(BlankSplitter(text.data(), static_cast<std::uint32_t>(text.size()))),
                  want);
    }
    EXPECT_THAT(tokens(BlankSplitter(nullptr, 4)), ElementsAre());
}

TEST(TokenizerTest, TokensPointIntoTheText) {
    const char* text = "12,34";
    CharSplitter splitter(text, 5, ',');
    StrSlice token = untouched;
    ASSERT_TRUE(splitter.next(token));
    EXPECT_EQ(token.data(), text);
    int number = 0;
    token.toNumber(number);
    EXPECT_EQ(number, 12);
    ASSERT_TRUE(splitter.next(token));
    EXPECT_EQ(token.data(), text + 3);
    token.toNumber(number);
    EXPECT_EQ(number, 34);
    EXPECT_FALSE(splitter.next(token));
    EXPECT_EQ(token.data(), text + 3); // left alone
}

TEST(TokenizerTest, CopyGoesOnFromWhereTheOriginalStood) {
    // Long enough for the lookahead to hold delimiters when the copy is made:
    // the copy must hand out the same tokens, without taking any from the
    // original.
    std::string text;
    for (int i = 0; i < 300; ++i) {
        text += std::to_string(i) + ", ";
    }
    StrSplitter original(StrSlice(text), StrSlice(", "));
    StrSlice token;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(original.next(token));
    }
    StrSplitter copy = original;
    const std::vector<std::string> rest = tokens(copy); // drains the copy alone
    ASSERT_EQ(rest.size(), 295u);
    EXPECT_EQ(rest.front(), "5");
    EXPECT_EQ(rest.back(), "299");
    EXPECT_EQ(tokens(original), rest);
    EXPECT_FALSE(copy.next(token));
}

TEST(TokenizerTest, RangeFor) {
    std::vector<std::string> fields;
    for (const StrSlice field : CharSplitter(StrSlice("x;;y"), ';')) {
        fields.emplace_back(field);
    }
    EXPECT_THAT(fields, ElementsAre("x", "", "y"));
    StrSplitter words(StrSlice("one  two"), StrSlice("  "));
    const std::vector<StrSlice> all(words.begin(), words.end());
    EXPECT_THAT(all, ElementsAreArray({StrSlice("one"), StrSlice("two")}));
    const char* line = " x  y ";
    BlankSplitter blanks{StrSlice(line)};
    const std::vector<StrSlice> pair(blanks.begin(), blanks.end());
    ASSERT_THAT(pair, ElementsAreArray({StrSlice("x"), StrSlice("y")}));
    EXPECT_EQ(pair[1].data(), line + 4);
}

} // namespace
