// The man page: its roff, the escaping that keeps every text a text, and
// groff formatting the pages without a warning.
#include "PresentedTool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using conkit::OptionParser;
using conkit_test::presentedTool;

/// Everything roff could misread: requests and escapes at line starts and
/// inside lines, quotes, empty lines, control characters, UTF-8 from two to
/// four bytes, ill-formed UTF-8 (a stray continuation, an overlong form, a
/// surrogate, a cut sequence), a combining accent and long words.
const std::string hostile = ".TH x\n'br\n.\\\" c\n\\fBbold \\\\ \"q\" \\*(x \\n(x\n\n\n"
                            ".SH BAD\n  . lead\n\t\x01\x1f\x7f \xc2\x85 caf\xc3\xa9 \xe4\xb8\xad "
                            "\xf0\x9f\x98\x80 \xff\x80 \xc0\xaf \xed\xa0\x80 e\xcc\x81 " +
                            std::string(200, 'w') + ' ' + std::string(40, '-') + " \xe4\xb8";

bool noReader(const std::string&, std::vector<conkit::ConfigEntry>&, std::string&) {
    return true;
}

/// A parser whose every text, name and title is `hostile`.
OptionParser hostileTool() {
    OptionParser parser(hostile + " %prog " + hostile, hostile);
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setDescription(hostile);
    parser.setFooter(hostile);
    parser.addOption('.', hostile, true, hostile, hostile);
    parser.describe(hostile)
        .valueName(hostile)
        .choices({hostile, ""})
        .env(hostile)
        .section(hostile)
        .alias(std::string(100, 'a'));
    parser.addOption('\'', "\\fI", false, "", "");
    parser.describe("\\fI").negatable().section("\"");
    parser.addCommand(hostile, hostile).addOption('x', hostile, true, hostile, hostile);
    parser.addCommand(hostile, hostile).describe(hostile).section(hostile);
    parser.addCommand(".sh", "");
    parser.setConfigFile(hostile, hostile, noReader);
    return parser;
}

TEST(ManPageTest, Page) {
    OptionParser parser("", "tool 1.0");
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setDescription("Tidy the files. Then rest.");
    parser.addOption('c', "color", true, "auto", "when to color");
    parser.describe("color").optionalValue("always").valueName("WHEN").env("TOOL_COLOR");
    parser.addOption('q', "quiet", false, "", "say less");
    parser.describe("quiet").negatable().section("Output");
    // Each command's options and operands as its own page would show them,
    // one .RS level per command, a section's title in bold.
    OptionParser& sort = parser.addCommand("sort", "put them in order");
    sort.addOption('r', "reverse", false, "", "largest first");
    sort.describe("reverse").section("Order");
    sort.addCommand("keys", "").addOperand("KEY", "a key").repeated();
    parser.setConfigFile("", "~/.tool.toml", noReader);
    EXPECT_EQ(parser.manPage("tool"), R"(.TH "tool" "1" "" "tool 1.0"
.ad l
.ds AD l
.SH NAME
tool \- Tidy the files
.SH SYNOPSIS
\fBtool\fR [\fIOPTION\fR]... \fICOMMAND\fR [\fIARG\fR]...
.SH DESCRIPTION
Tidy the files. Then rest.
.SH OPTIONS
.TP
\fB\-c\fR, \fB\-\-color\fR[=\fIWHEN\fR]
when to color [default: auto] [env: TOOL_COLOR]
.SS "Output"
.TP
\fB\-q\fR, \fB\-\-[no\-]quiet\fR
say less
.SH COMMANDS
.TP
\fBsort\fR
put them in order
.RS
.PP
\fBOrder\fR
.TP
\fB\-r\fR, \fB\-\-reverse\fR
largest first
.TP
\fBkeys\fR
.RS
.TP
\fIKEY\fR...
a key
.RE
.RE
.SH ENVIRONMENT
.TP
\fBTOOL_COLOR\fR
Stands for \fB\-\-color\fR
when the command line does not name that option.
.SH FILES
.TP
\fI~/.tool.toml\fR
The configuration file.
)");
}

TEST(ManPageTest, DeprecatedNamesOnlyInTheirSection) {
    // Help, classic or gnu, leaves out what is deprecated; the man page lists
    // it with its advice under a section of its own.
    OptionParser tool = OptionParser::tool("ren", "1.0", "Rename files.");
    tool.addOption('o', "output", true, "", "where to write");
    tool.describe("output").deprecatedAlias("out-file");
    tool.addOption('q', "quiet", false, "", "say nothing");
    tool.describe("quiet").deprecated("use '--silent'");
    tool.addCommand("remove", "remove files");
    tool.addCommand("rm", "remove files").setDeprecated("use remove");
    const std::string help = tool.helpText();
    OptionParser classic = tool;
    classic.setSyntax(conkit::Syntax::classic);
    for (const std::string& text : {help, classic.helpText()}) {
        for (const char* name : {"out-file", "quiet", "rm"}) {
            EXPECT_EQ(text.find(name), std::string::npos) << name << " in\n" << text;
        }
    }
    EXPECT_NE(help.find("--output=OUTPUT"), std::string::npos);
    const std::string page = tool.manPage("ren");
    EXPECT_NE(page.find(R"(.SH DEPRECATED OPTIONS
.TP
\fB\-\-out\-file\fR
use \(aq\-\-output\(aq
.TP
\fB\-q\fR, \fB\-\-quiet\fR
use \(aq\-\-silent\(aq
.SH COMMANDS
.TP
\fBremove\fR
remove files
)"),
              std::string::npos)
        << page;
}

TEST(ManPageTest, TextsPrintAsTheyAre) {
    // Each row: a description, and the roff of its DESCRIPTION.
    const struct {
        const char* text;
        const char* roff;
    } rows[] = {
        {"a-b \\c", "a\\-b \\(rsc"},
        {".start 'quote' \"double\"", "\\&.start \\(aqquote\\(aq \\(dqdouble\\(dq"},
        {"'start\n.next", "\\(aqstart\n\\&.next"},
        {"one\n\n\ntwo  ", "one\n.PP\ntwo"},
        {"caf\xc3\xa9 \xff", "caf\\[u00E9] \\[uFFFD]"},
        {"tab\there\x01", "tab here"},
        {"abcdefghijklmnopqrstuvwxyz0123456789 abc", "abcdefghijklmnopqrstuvwxyz0123\\:456789 abc"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        OptionParser parser;
        parser.setDescription(row.text);
        const std::string page = parser.manPage("tool");
        const std::size_t begin = page.find(".SH DESCRIPTION\n") + 16;
        EXPECT_EQ(page.substr(begin), std::string(row.roff) + "\n");
    }
}

TEST(ManPageTest, HostileTextsStayText) {
    // The page is ASCII, and only its own requests begin a line.
    std::istringstream lines(hostileTool().manPage(hostile, 8));
    for (std::string line; std::getline(lines, line);) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(
            std::all_of(line.begin(), line.end(), [](char c) { return c >= ' ' && c <= '~'; }));
        EXPECT_NE(line.front(), '\'');
        const std::string request = line.substr(0, line.find(' '));
        EXPECT_TRUE(line.front() != '.' || request == ".SH" || request == ".SS" ||
                    request == ".TH" || request == ".fchar" || line == ".ad l" ||
                    line == ".ds AD l" || line == ".TP" || line == ".PP" || line == ".sp" ||
                    line == ".br" || line == ".RS" || line == ".RE");
    }
}

#if !defined(_WIN32)

/// A parser whose last command has a name and a help of blanks only, so
/// that its page ends with a tag that shows nothing.
OptionParser blankCommandTool() {
    OptionParser parser;
    parser.addCommand("\t", " ");
    return parser;
}

/// Runs the check script of CI on `pages`; returns its exit status and output.
std::pair<int, std::string> checkPages(const std::vector<std::string>& pages) {
    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "conkit_man";
    std::filesystem::create_directories(folder);
    std::string command = "bash '" CONKIT_CHECK_MAN "'";
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::filesystem::path file = folder / ("page" + std::to_string(i) + ".1");
        std::ofstream(file, std::ios::binary) << pages[i];
        command += " '" + file.string() + "'";
    }
    const std::filesystem::path output = folder / "output";
    const int status = std::system((command + " >'" + output.string() + "' 2>&1").c_str());
    std::ostringstream printed;
    printed << std::ifstream(output).rdbuf();
    std::filesystem::remove_all(folder);
    return {status, printed.str()};
}

TEST(ManPageTest, GroffFormatsWithoutWarnings) {
    if (std::system("command -v groff >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "groff is not installed";
    }
    const auto [status, printed] =
        checkPages({presentedTool().manPage("grab"), hostileTool().manPage(hostile, 8),
                    blankCommandTool().manPage("tool")});
    EXPECT_EQ(status, 0) << printed;
    // The check fails on a warning: here a character without a fallback.
    EXPECT_NE(checkPages({".TH x 1\n\\[u4E2D]\n"}).first, 0);
}

#endif

} // namespace
