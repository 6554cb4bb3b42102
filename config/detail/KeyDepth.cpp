// tooDeepKeyLine: one pass over the text that reads only what changes the
// depth (headers, the dots of keys, brackets) and skips strings and comments.
// Text that is not TOML may be measured wrongly; toml++ refuses it anyway, at
// or before the first place where the two read it differently.
#include "config/detail/KeyDepth.h"

#include <vector>

namespace conkit::detail {

namespace {

/// A place in the text, and the number of its line.
struct Cursor {
    std::string_view text;
    std::size_t at = 0;
    std::size_t line = 1;

    bool more() const { return at < text.size(); }
    char here() const { return text[at]; }
    bool startsWith(std::string_view start) const { return text.substr(at, start.size()) == start; }
    /// Steps over one character, counting the line it ends.
    void step() {
        if (text[at++] == '\n') {
            ++line;
        }
    }
};

/// Steps over the string that starts at `cursor`'s quote: a basic string
/// (with escapes) or a literal one, on one line, or on several within three
/// quotes (up to two more quotes before the closing three belong to it). An
/// unclosed string on one line ends at the line's end.
void skipString(Cursor& cursor) {
    const char quote = cursor.here();
    const std::string_view three = quote == '"' ? "\"\"\"" : "'''";
    const bool lines = cursor.startsWith(three);
    cursor.at += lines ? 3 : 1;
    while (cursor.more()) {
        const char c = cursor.here();
        if (c == '\\' && quote == '"') {
            cursor.step();
            if (cursor.more()) {
                cursor.step(); // the escaped character, a quote or a line end too
            }
        } else if (c == quote && !lines) {
            ++cursor.at;
            return;
        } else if (c == quote && cursor.startsWith(three)) {
            cursor.at += 3;
            for (int extra = 0; extra < 2 && cursor.more() && cursor.here() == quote; ++extra) {
                ++cursor.at;
            }
            return;
        } else if (c == '\n' && !lines) {
            return;
        } else {
            cursor.step();
        }
    }
}

/// Steps over the key at `cursor` (bare and quoted names joined by dots, with
/// blanks around them) up to what follows it; the number of its names.
std::size_t keyNames(Cursor& cursor) {
    std::size_t names = 1;
    while (cursor.more()) {
        const char c = cursor.here();
        if (c == '"' || c == '\'') {
            skipString(cursor);
            continue;
        }
        if (c == '=' || c == ']' || c == '}' || c == '[' || c == '{' || c == ',' || c == '#' ||
            c == '\n') {
            break;
        }
        names += c == '.' ? 1 : 0;
        ++cursor.at;
    }
    return names;
}

} // namespace

std::size_t tooDeepKeyLine(std::string_view text, std::size_t limit) {
    // The inline tables and arrays the scan stands in, each with its depth.
    struct Open {
        std::size_t depth;
        bool table;
    };
    std::vector<Open> open;
    Cursor cursor{text};
    if (cursor.startsWith("\xEF\xBB\xBF")) {
        cursor.at = 3; // toml++ skips a byte order mark
    }
    std::size_t tableDepth = 0; // of the table the last header opened
    std::size_t valueDepth = 0; // of the value that comes next
    bool keyNext = true;        // else a value, or what follows one
    while (cursor.more()) {
        const char c = cursor.here();
        if (c == '#') {
            while (cursor.more() && cursor.here() != '\n') {
                ++cursor.at;
            }
        } else if (c == '\n' || c == ' ' || c == '\t' || c == '\r') {
            keyNext = keyNext || (c == '\n' && open.empty()); // a statement per line
            cursor.step();
        } else if (keyNext && !(c == '}' && !open.empty())) {
            const std::size_t line = cursor.line;
            std::size_t depth = 0;
            if (open.empty() && c == '[') {
                const bool arrayOfTables = cursor.startsWith("[[");
                cursor.at += arrayOfTables ? 2 : 1;
                // Each element of an array of tables is one level below it.
                depth = keyNames(cursor) + (arrayOfTables ? 1 : 0);
                tableDepth = depth;
                while (cursor.more() && cursor.here() == ']') {
                    ++cursor.at;
                }
            } else {
                depth = (open.empty() ? tableDepth : open.back().depth) + keyNames(cursor);
                valueDepth = depth;
            }
            if (depth > limit) {
                return line;
            }
            keyNext = false;
        } else {
            keyNext = false;
            if (c == '"' || c == '\'') {
                skipString(cursor);
                continue;
            }
            ++cursor.at;
            if (c == '{' || c == '[') {
                open.push_back({valueDepth, c == '{'});
                keyNext = c == '{';
            } else if ((c == '}' || c == ']') && !open.empty()) {
                open.pop_back();
            } else if (c == ',' && !open.empty()) {
                keyNext = open.back().table;
            }
            // An item of an array stands one level below it.
            if (!open.empty() && !open.back().table) {
                valueDepth = open.back().depth + 1;
            }
        }
    }
    return 0;
}

} // namespace conkit::detail
