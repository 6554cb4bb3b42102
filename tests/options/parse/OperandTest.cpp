// Operands: how positional words are shared out, their errors in the order
// of the checks, and how the help, the man page and checkTable show them.
// Option.h comes first: it must complete the parser whichever header a
// program includes.
#include "options/Option.h"

#include "ParserHelpers.h"

namespace {

using conkit::OptionParser;
using Kind = conkit::ParseErrorKind;
using Words = std::vector<std::string>;

/// `find [-x] MODE PATTERN [DEPTH] [FILE]... DEST`, in either syntax.
OptionParser find(conkit::Syntax syntax) {
    OptionParser parser;
    parser.setSyntax(syntax);
    parser.addHelpOption();
    parser.addOption('x', "exact", false, "", "match whole words");
    parser.addOption('r', "root", false, "", "");
    parser.describe("root").required();
    parser.addOperand("MODE", "how to match").choices({"text", "regex"});
    parser.addOperand("PATTERN", "what to look for");
    parser.addOperand("DEPTH", "").optional().range(1, 9);
    parser.addOperand("FILE", "where to look").optional().repeated();
    parser.addOperand("DEST", "where the list goes");
    return parser;
}

TEST(OperandTest, WordsAreSharedOutInOrderAndChecked) {
    struct Row {
        conkit::Syntax syntax;
        Words words;
        conkit_test::Expected want;
        Words mode, pattern, depth, files, dest;
    };
    const auto gnu = conkit::Syntax::gnu;
    const auto classic = conkit::Syntax::classic;
    // clang-format off
    const Row rows[] = {
        {gnu, {"-r", "text", "a", "out"}, {"", Kind::none, ""}, {"text"}, {"a"}, {}, {}, {"out"}},
        {gnu, {"-r", "text", "a", "3", "out"}, {"", Kind::none, ""}, {"text"}, {"a"}, {"3"}, {}, {"out"}},
        {gnu, {"text", "-r", "a", "3", "f", "g", "out"}, {"", Kind::none, ""}, {"text"}, {"a"}, {"3"}, {"f", "g"}, {"out"}},
        {gnu, {"-r", "--", "text", "-a", "out"}, {"", Kind::none, ""}, {"text"}, {"-a"}, {}, {}, {"out"}},
        {classic, {"text", "a", "out", "-r"}, {"", Kind::none, ""}, {"text"}, {"a"}, {}, {}, {"out"}},
        // A required operand takes a word while there is one; the first one
        // left without is missing.
        {gnu, {"-r", "text", "a"}, {"find: missing operand DEST", Kind::missingOperand, "DEST"}, {"text"}, {"a"}, {}, {}, {}},
        {gnu, {"-r"}, {"find: missing operand MODE", Kind::missingOperand, "MODE"}, {}, {}, {}, {}, {}},
        {gnu, {"-r", "tixt", "a", "out"}, {"find: invalid value 'tixt' for MODE (choose from text, regex) (did you mean 'text'?)", Kind::invalidValue, "MODE"}, {"tixt"}, {"a"}, {}, {}, {"out"}},
        {gnu, {"-r", "text", "a", "0", "out"}, {"find: invalid value '0' for DEPTH (expected a number from 1 to 9)", Kind::invalidValue, "DEPTH"}, {"text"}, {"a"}, {"0"}, {}, {"out"}},
        // Missing options come before operands, operands before values.
        {gnu, {"text"}, {"find: option '--root' is required", Kind::missingOption, "--root"}, {}, {}, {}, {}, {}},
        {gnu, {"-r", "bad"}, {"find: missing operand PATTERN", Kind::missingOperand, "PATTERN"}, {"bad"}, {}, {}, {}, {}},
        // Help excuses every check.
        {gnu, {"-h", "bad"}, {"", Kind::none, ""}, {"bad"}, {}, {}, {}, {}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        OptionParser parser = find(row.syntax);
        conkit_test::parseAndCheck(parser, "/bin/find", row.words, row.want);
        EXPECT_EQ(parser.operands("MODE"), row.mode);
        EXPECT_EQ(parser.operands("PATTERN"), row.pattern);
        EXPECT_EQ(parser.operands("DEPTH"), row.depth);
        EXPECT_EQ(parser.operands("FILE"), row.files);
        EXPECT_EQ(parser.operands("DEST"), row.dest);
        EXPECT_EQ(parser.operand("FILE"), row.files.empty() ? "" : row.files.front());
        EXPECT_EQ(parser.operand("NOSUCH"), "");
    }
}

TEST(OperandTest, RepeatedOperandsAndExtraWords) {
    struct Row {
        bool sourceOptional;
        Words words;
        conkit_test::Expected want;
        Words sources, dest;
    };
    // clang-format off
    const Row rows[] = {
        // SOURCE... DEST: a required repeated operand takes at least one word.
        {false, {"a"}, {"cp: missing operand DEST", Kind::missingOperand, "DEST"}, {"a"}, {}},
        {false, {"a", "b", "c"}, {"", Kind::none, ""}, {"a", "b"}, {"c"}},
        {true, {"a"}, {"", Kind::none, ""}, {}, {"a"}},
        {true, {}, {"cp: missing operand DEST", Kind::missingOperand, "DEST"}, {}, {}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        OptionParser parser;
        parser.setSyntax(conkit::Syntax::gnu);
        OptionParser::Operand& source = parser.addOperand("SOURCE", "").repeated();
        if (row.sourceOptional) {
            source.optional();
        }
        parser.addOperand("DEST", "");
        conkit_test::parseAndCheck(parser, "cp", row.words, row.want);
        EXPECT_EQ(parser.operands("SOURCE"), row.sources);
        EXPECT_EQ(parser.operands("DEST"), row.dest);
        EXPECT_EQ(parser.argCount(), row.words.size()); // every word stays an argument
    }
    OptionParser single;
    single.addOperand("NAME", "").optional();
    conkit_test::parseAndCheck(single, "greet", {"ada", "bob"},
                               {"greet: extra operand 'bob'", Kind::extraOperand, "bob"});
    EXPECT_EQ(single.operand("NAME"), "ada");
}

TEST(OperandTest, HelpManPageAndChecks) {
    OptionParser parser = find(conkit::Syntax::gnu);
    parser.addOperand("MODE", "how to match words"); // declared again: new help
    conkit_test::parseWords(parser, {"-h"});
    EXPECT_EQ(parser.helpText(),
              "Usage: demo [OPTION]... MODE PATTERN [DEPTH] [FILE]... DEST\n"
              "\n"
              "Arguments:\n"
              "  MODE                       how to match words [possible values: "
              "text, regex]\n"
              "  PATTERN                    what to look for\n"
              "  DEPTH\n"
              "  FILE...                    where to look\n"
              "  DEST                       where the list goes\n"
              "\n"
              "Options:\n"
              "  -h, --help                 print help info\n"
              "  -x, --exact                match whole words\n"
              "  -r, --root                 [required]\n");
    const std::string page = parser.manPage("find");
    EXPECT_NE(page.find(".SH SYNOPSIS\n\\fBfind\\fR [\\fIOPTION\\fR]... \\fIMODE\\fR "
                        "\\fIPATTERN\\fR [\\fIDEPTH\\fR] [\\fIFILE\\fR]... \\fIDEST\\fR\n"),
              std::string::npos);
    EXPECT_NE(page.find(".SH ARGUMENTS\n.TP\n\\fIMODE\\fR\nhow to match words [possible values: "
                        "text, regex]\n"),
              std::string::npos);
    EXPECT_LT(page.find(".TP\n\\fIFILE\\fR...\nwhere to look\n"), page.find(".SH OPTIONS"));

    OptionParser odd;
    odd.addOperand("A", "").repeated();
    odd.addOperand("B", "").optional();
    odd.addOperand("C", "").repeated().choices({"1", "x"}).range(0, 5);
    odd.addOperand("D", ""); // SOURCE... DEST is fine
    EXPECT_EQ(odd.checkTable(),
              Words({"B: optional operand after the repeated operand A never gets a word",
                     "C: repeated operand after the repeated operand A never gets a word",
                     "C: choice 'x' is not a number from 0 to 5"}));
    odd.addCommand("run", "").addOperand("E", "");
    EXPECT_EQ(odd.checkTable(), Words({"A: operand ignored, as there are commands",
                                       "B: operand ignored, as there are commands",
                                       "C: operand ignored, as there are commands",
                                       "D: operand ignored, as there are commands"}));
}

} // namespace
