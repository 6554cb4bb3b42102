// The translations in po/: each gives every message of the catalogue, and
// keeps its placeholders by the rule the library applies.
#include "options/messages/Texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

using conkit::MessageId;

/// A PO file's translations by context and text: the strings of each
/// "msgctxt", "msgid" and "msgstr", their continuation lines joined and
/// their escapes read.
std::map<std::pair<std::string, std::string>, std::string> readPo(const std::string& path) {
    std::map<std::pair<std::string, std::string>, std::string> entries;
    std::ifstream in(path);
    std::string line;
    std::string keyword;
    std::map<std::string, std::string> fields;
    const auto flush = [&] {
        if (fields.count("msgstr") != 0 && !fields["msgid"].empty()) {
            entries[{fields["msgctxt"], fields["msgid"]}] = fields["msgstr"];
        }
        fields.clear();
    };
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t quote = line.find('"');
        if (quote != 0) {
            keyword = line.substr(0, line.find(' '));
            if (keyword == "msgctxt" || (keyword == "msgid" && fields.count("msgstr") != 0)) {
                flush();
            }
        }
        const std::string quoted = line.substr(quote + 1, line.rfind('"') - quote - 1);
        std::string& text = fields[keyword];
        for (std::size_t at = 0; at < quoted.size(); ++at) {
            if (quoted[at] == '\\' && at + 1 < quoted.size()) {
                const char escaped = quoted[++at];
                text += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
            } else {
                text += quoted[at];
            }
        }
    }
    flush();
    return entries;
}

TEST(CatalogueTest, TranslationsAreCompleteAndKeepThePlaceholders) {
#define CONKIT_MESSAGE_ID(name, english) MessageId::name,
    const MessageId ids[] = {CONKIT_MESSAGES(CONKIT_MESSAGE_ID)};
#undef CONKIT_MESSAGE_ID
    int languages = 0;
    for (const auto& file : std::filesystem::directory_iterator(CONKIT_PO_DIR)) {
        if (file.path().extension() != ".po") {
            continue;
        }
        ++languages;
        SCOPED_TRACE(file.path().filename().string());
        const auto entries = readPo(file.path().string());
        for (const MessageId id : ids) {
            SCOPED_TRACE(conkit::messageName(id));
            const auto found = entries.find({conkit::messageName(id), conkit::englishText(id)});
            ASSERT_NE(found, entries.end()) << "no entry, or another English text";
            EXPECT_FALSE(found->second.empty());
            EXPECT_TRUE(conkit::detail::samePlaceholders(conkit::englishText(id), found->second))
                << found->second;
        }
        EXPECT_EQ(entries.size(), std::size(ids)) << "entries for messages the library has not";
    }
    EXPECT_GE(languages, 2);
}

} // namespace
