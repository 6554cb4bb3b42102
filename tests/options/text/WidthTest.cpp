// Display columns of UTF-8 text.
#include "options/text/Width.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

namespace {

using conkit::detail::displayColumns;

TEST(WidthTest, DisplayColumns) {
    const std::pair<std::string_view, std::size_t> rows[] = {
        {"", 0},
        {"--count=N  how many", 19},
        {"caf\u00e9", 4},        // precomposed
        {"cafe\u0301", 4},       // e and a combining acute accent
        {"\u65e5\u672c", 4},     // CJK ideographs
        {"\u65e5\u672c ok", 7},  // ASCII after wide text
        {"\uff21", 2},           // fullwidth A
        {"\U0001F600", 2},       // emoji listed as wide
        {"\U00020000", 2},       // plane 2 ideograph
        {"a\u200bb", 2},         // zero width space
        {"a\u00adb", 3},         // soft hyphen shows where a line breaks
        {"\uac00", 2},           // Hangul syllable
        {"\u1161", 0},           // Hangul jamo medial vowel
        {"\u1100\u1161", 2},     // leading consonant and a medial vowel
        {"\u3099", 0},           // combining mark that East Asian Width calls wide
        {"\ufffd", 1},           // a real replacement character, three bytes
        {"\xff\xfe", 2},         // bytes that begin no sequence
        {"\xe6\x97", 2},         // cut sequence
        {"\xe6\x97--", 4},       // cut sequence before ASCII
        {"\xc0\xaf", 2},         // overlong
        {"\xed\xa0\x80", 3},     // surrogate
        {"\xf4\x90\x80\x80", 4}, // past U+10FFFF
    };
    for (const auto& [text, columns] : rows) {
        SCOPED_TRACE(testing::PrintToString(std::string(text)));
        EXPECT_EQ(displayColumns(text), columns);
    }
}

} // namespace
