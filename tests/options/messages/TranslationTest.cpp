// Translations of the library's own texts: which template a line is written
// from, what a command inherits, and the texts of the options the library
// adds.
#include "ParserHelpers.h"

#include <map>

namespace {

using conkit::MessageId;
using conkit::OptionParser;

/// The templates the translator gives, by message; "" keeps the English one.
std::map<MessageId, std::string> translations;
std::string translate(MessageId id, const char* english) {
    EXPECT_STREQ(english, conkit::englishText(id)); // handed exactly the English template
    const auto found = translations.find(id);
    return found != translations.end() ? found->second : std::string();
}

/// A second translator, for a command that has one of its own.
std::string shout(MessageId id, const char*) {
    return id == MessageId::unknownOption ? "{program}: NO SUCH OPTION '{option}'" : "";
}

TEST(TranslationTest, ATranslationKeepsThePlaceholders) {
    EXPECT_STREQ(conkit::messageName(MessageId::unknownOption), "unknownOption");
    EXPECT_STREQ(conkit::englishText(MessageId::unknownOption),
                 "{program}: unknown option '{option}'");
    // The word "--{option}" holds braces: a value is never read again.
    const std::string english = "demo: unknown option '--{option}'";
    const struct {
        std::string unknown; // the translation of unknownOption
        std::string line;
    } rows[] = {
        {"", english},
        {"{program}: Option '{option}' unbekannt", "demo: Option '--{option}' unbekannt"},
        {"'{option}'? {program} kennt sie nicht", "'--{option}'? demo kennt sie nicht"},
        {"{{{program}}}: '{option}' {{nicht}}", "{demo}: '--{option}' {nicht}"},
        {"{program}: unbekannte Option", english},     // a placeholder lost
        {"{program}: '{option}' '{option}'", english}, // one twice
        {"{Program}: '{option}'", english},            // case counts
        {"{program}: '{option}' {extra}", english},    // one more
        {"{program}: '{option}' {}", english},         // an empty one
        {"{program}: '{option}' {", english},          // unclosed
        {"{program}: '{option}' }", english},          // a lone brace
        {"{program}: '{{option}}'", english},          // no placeholder
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.unknown);
        translations = {{MessageId::unknownOption, row.unknown}};
        OptionParser parser;
        parser.setSyntax(conkit::Syntax::gnu);
        parser.setTranslator(translate);
        EXPECT_EQ(conkit_test::parseWords(parser, {"--{option}"}).printed, row.line + "\n");
    }
    // The tail and the reasons are messages of their own.
    translations = {{MessageId::didYouMean, " (etwa '{suggestion}'?)"},
                    {MessageId::expectedChoice, " (eins von {choices})"}};
    OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setTranslator(translate);
    parser.addOption('c', "colour", true, "", "");
    parser.describe("colour").choices({"red", "green"});
    EXPECT_EQ(conkit_test::parseWords(parser, {"--colr"}).printed,
              "demo: unknown option '--colr' (etwa '--colour'?)\n");
    EXPECT_EQ(conkit_test::parseWords(parser, {"-c", "rad"}).printed,
              "demo: invalid value 'rad' for '--colour' (eins von red, green) (etwa 'red'?)\n");
}

TEST(TranslationTest, CommandsAndBuiltInTexts) {
    translations = {{MessageId::unknownOption, "{program}: Unbekannt: '{option}'"},
                    {MessageId::tryHelp, "Siehe '{program} --help'."},
                    {MessageId::toolHelpOptionHelp, "diese Hilfe zeigen"},
                    {MessageId::helpOptionHelp, "Hilfe zeigen"},
                    {MessageId::optionsHeading, "Optionen:"},
                    {MessageId::usageHeading, "Aufruf:"}};
    OptionParser tool = OptionParser::tool("vcs", "1", "");
    OptionParser& before = tool.addCommand("add", "");
    tool.setTranslator(translate);
    OptionParser& after = tool.addCommand("rm", "");
    OptionParser& own = tool.addCommand("log", "");
    own.setTranslator(shout);
    own.addCommand("show", "");
    const struct {
        std::vector<std::string> words;
        std::string err;
    } rows[] = {
        {{"--x"}, "vcs: Unbekannt: '--x'\nSiehe 'vcs --help'.\n"},
        {{"add", "--x"}, "vcs add: Unbekannt: '--x'\nSiehe 'vcs add --help'.\n"},
        {{"rm", "--x"}, "vcs rm: Unbekannt: '--x'\nSiehe 'vcs rm --help'.\n"},
        {{"log", "show", "--x"},
         "vcs log show: NO SUCH OPTION '--x'\nSiehe 'vcs log show --help'.\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        std::vector<const char*> argv{"vcs"};
        for (const std::string& word : row.words) {
            argv.push_back(word.c_str());
        }
        std::ostringstream err;
        std::ostringstream out;
        tool.setErrorOutput(&err);
        EXPECT_EQ(tool.parseAndAnswer(static_cast<int>(argv.size()), argv.data(), out), 2);
        EXPECT_EQ(err.str(), row.err);
    }
    // The help of the options the library adds, in the help of every syntax,
    // unless it was changed; the tool's own texts stay as they are.
    EXPECT_NE(before.helpText().find("Aufruf: vcs add [OPTION]...\n\nOptionen:\n  -h, --help"
                                     "                 diese Hilfe zeigen\n"),
              std::string::npos);
    OptionParser classic("%prog", "1.0");
    classic.addHelpOption();
    classic.addVersionOption();
    classic.setTranslator(translate);
    EXPECT_EQ(classic.helpText(), "1.0\n\n  -h, --help            Hilfe zeigen\n"
                                  "  -v, --version         print version info\n");
    classic.findOption("help")->help = "my own help";
    EXPECT_NE(classic.helpText().find("my own help"), std::string::npos);
    static_cast<void>(after);
}

} // namespace
