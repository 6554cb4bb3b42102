// The man page: its roff, the escaping that keeps every text a text, and
// groff formatting the pages without a warning.
#include "PresentedTool.h"

#include <gtest/gtest.h>

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
    parser.addCommand(hostile, hostile);
    parser.addCommand(".sh", "");
    return parser;
}

TEST(ManPageTest, Page) {
    EXPECT_EQ(presentedTool().manPage("grab", 1), R"(.fchar \[u00E7] ?
.fchar \[u00E8] ?
.fchar \[u00E9] ?
.fchar \[u00EA] ?
.fchar \[u00EB] ?
.TH "grab" "1" "" "grab 2.1"
.ad l
.ds AD l
.SH NAME
grab \- Search each FILE for lines that match PATTERN
.SH SYNOPSIS
\fBgrab\fR [\fIOPTION\fR]... \fICOMMAND\fR [\fIARG\fR]...
.SH DESCRIPTION
Search each FILE for lines that match PATTERN.
  Reads standard input when there is no FILE.
.SH OPTIONS
.TP
\fB\-h\fR, \fB\-\-help\fR
print help info
.TP
\fB\-v\fR, \fB\-\-version\fR
print version info
.TP
\fB\-e\fR, \fB\-\-pattern\fR=\fIPATTERN\fR
the pattern to search for [required] [env: GRAB_PATTERN]
.TP
\fB\-9\fR, \fB\-\-fast\fR
trade memory for speed
.TP
\fB\-\-fold\-accented\-letters\fR
fold \[u00E9], \[u00E8], \[u00EA] and \[u00EB] to e, \[u00E7] to c
.TP
\fB\-x\fR
match whole lines only
.TP
\fB\-m\fR \fINUM\fR
stop after NUM matching lines
.TP
\fB\-j\fR[\fIN\fR]
search with N threads
.SS "Output"
.TP
\fB\-c\fR, \fB\-\-color\fR[=\fIWHEN\fR], \fB\-\-colour\fR[=\fIWHEN\fR]
when to color the output [possible values: always, never, auto] [default: auto]
.TP
\fB\-q\fR, \fB\-\-[no\-]quiet\fR
print nothing, only set the exit status
.TP
\fB\-\-field\-separator\fR=\fITEXT\fR
what stands between the file name and the line [default: \(dq \(dq]
.SS "Context"
.TP
\fB\-\-context\-lines\-around\fR=\fIN\fR
lines around each match, see https://example.org/grab/manua\:l/context\-lines.html [default: 2]
.SH COMMANDS
.TP
\fBindex\fR
build an index of the files first, so that later searches go faster
.TP
\fBlist\fR
list the files that would be searched
.SH ENVIRONMENT
.TP
\fBGRAB_PATTERN\fR
Stands for \fB\-\-pattern\fR
when the command line does not name that option.
)");
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
    // Only the page's own requests begin a line, and the page is ASCII.
    const std::string page = hostileTool().manPage(hostile, 8);
    std::istringstream lines(page);
    std::string line;
    std::vector<std::string> sections;
    std::vector<std::string> fallbacks;
    while (std::getline(lines, line)) {
        SCOPED_TRACE(line);
        for (const char c : line) {
            EXPECT_TRUE(c >= ' ' && c <= '~');
        }
        EXPECT_NE(line.front(), '\'');
        if (line.front() != '.') {
            continue;
        }
        const std::string request = line.substr(0, line.find(' '));
        if (request == ".SH") {
            sections.push_back(line.substr(4));
        } else if (request == ".TH" || request == ".SS") {
            EXPECT_EQ(line.substr(3, 2), " \"");
        } else if (request == ".fchar") {
            fallbacks.push_back(line.substr(7));
        } else if (line != ".ad l" && line != ".ds AD l" && line != ".TP" && line != ".PP" &&
                   line != ".sp" && line != ".br") {
            ADD_FAILURE() << "a request of the text";
        }
    }
    EXPECT_EQ(sections, (std::vector<std::string>{"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS",
                                                  "COMMANDS", "ENVIRONMENT"}));
    // Ill-formed UTF-8 reads as U+FFFD; the C1 control U+0085 as a blank.
    EXPECT_EQ(fallbacks, (std::vector<std::string>{"\\[u00E9] ?", "\\[u0301] ?", "\\[u4E2D] ?",
                                                   "\\[uFFFD] ?", "\\[u1F600] ?"}));
}

#if !defined(_WIN32)

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
        checkPages({presentedTool().manPage("grab"), hostileTool().manPage(hostile, 8)});
    EXPECT_EQ(status, 0) << printed;
    // The check fails on a warning: here a character without a fallback.
    EXPECT_NE(checkPages({".TH x 1\n\\[u4E2D]\n"}).first, 0);
}

#endif

} // namespace
