// readTomlConfig: reads a file, lets toml++ parse it, and turns its keys into
// configuration entries in the file's order.
#include "config/TomlConfig.h"

#include "options/text/ReadFile.h"

#include "config/detail/KeyDepth.h"

#include <toml++/toml.h>

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

namespace conkit {

namespace {

/// `text` with every control character written as an escape (`\n`, `\x01`),
/// so that an error line stays one line whatever the file holds.
std::string oneLine(std::string_view text) {
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            line += c;
        } else if (c == '\n' || c == '\r' || c == '\t') {
            line += c == '\n' ? "\\n" : c == '\r' ? "\\r" : "\\t";
        } else {
            const char* const digits = "0123456789abcdef";
            line += {'\\', 'x', digits[byte >> 4], digits[byte & 0xF]};
        }
    }
    return line;
}

/// Reads the whole file `path` into `text`; false with the line of the
/// error, whose reason is the C library's, when it cannot.
bool readFile(const std::string& path, std::string& text, std::string& error) {
    std::string reason;
    if (!detail::readTextFile(path, text, reason)) {
        error = "cannot read '" + oneLine(path) + "': " + reason;
        return false;
    }
    return true;
}

/// The shortest text that reads back as `number`.
std::string shortest(double number) {
    char text[32];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, number);
    return std::string(text, end.ptr);
}

/// Appends the text of `value` to `values` when it is a string (as it is), an
/// integer (in decimal), a float (shortest) or a boolean; false for any other.
bool appendValue(const toml::node& value, std::vector<std::string>& values) {
    if (const toml::value<std::string>* text = value.as_string()) {
        values.push_back(text->get());
    } else if (const toml::value<std::int64_t>* whole = value.as_integer()) {
        values.push_back(std::to_string(whole->get()));
    } else if (const toml::value<double>* real = value.as_floating_point()) {
        values.push_back(shortest(real->get()));
    } else if (const toml::value<bool>* truth = value.as_boolean()) {
        values.emplace_back(truth->get() ? "true" : "false");
    } else {
        return false;
    }
    return true;
}

/// The entries of one parsed file, each with where its key stands, and the
/// first unsupported value in the file's order.
class Entries {
public:
    explicit Entries(const std::string& file) : path(file) {}

    /// Reads the keys of `root` and of the tables in it, a table [NAME] for
    /// the command NAME; a loop, not a recursion, whatever the depth.
    void read(const toml::table& root) {
        std::vector<std::pair<const toml::table*, std::string>> tables{{&root, std::string()}};
        while (!tables.empty()) {
            const toml::table& table = *tables.back().first;
            const std::string command = std::move(tables.back().second);
            tables.pop_back();
            for (const auto& [key, value] : table) {
                std::string name(key.str());
                const toml::table* inner = value.as_table();
                if (inner != nullptr) {
                    // ConfigEntry.command joins the names with blanks, and no
                    // command is named "" or holds one.
                    if (name.empty() || name.find(' ') != std::string::npos) {
                        fail(key.source().begin, "unknown option '" + oneLine(name) + "'");
                    } else {
                        std::string inside = command;
                        if (!inside.empty()) {
                            inside += ' ';
                        }
                        tables.emplace_back(inner, inside + name);
                    }
                    continue;
                }
                ConfigEntry entry{command, std::move(name), {}, origin(key.source().begin)};
                if (const toml::array* list = value.as_array()) {
                    for (const toml::node& item : *list) {
                        if (!appendValue(item, entry.values)) {
                            unsupported(item, entry.name);
                        }
                    }
                } else if (!appendValue(value, entry.values)) {
                    unsupported(value, entry.name);
                }
                found.emplace_back(key.source().begin, std::move(entry));
            }
        }
    }

    /// Hands out the entries in the file's order; false with the error line
    /// of the first unsupported value.
    bool take(std::vector<ConfigEntry>& out, std::string& error) {
        if (!failure.empty()) {
            error = failure;
            return false;
        }
        // toml++ keeps a table's keys sorted by name.
        std::stable_sort(found.begin(), found.end(),
                         [](const Found& a, const Found& b) { return a.first < b.first; });
        out.reserve(out.size() + found.size());
        for (Found& entry : found) {
            out.push_back(std::move(entry.second));
        }
        return true;
    }

private:
    using Found = std::pair<toml::source_position, ConfigEntry>;

    std::string origin(const toml::source_position& at) const {
        return path + ":" + std::to_string(at.line);
    }

    void unsupported(const toml::node& value, const std::string& key) {
        fail(value.source().begin, "unsupported value for '" + oneLine(key) + "'");
    }

    /// Keeps `what`, the error at `at`, when it comes first in the file.
    void fail(const toml::source_position& at, const std::string& what) {
        if (failure.empty() || at < failedAt) {
            failedAt = at;
            failure = origin(at) + ": " + what;
        }
    }

    const std::string& path;
    std::vector<Found> found;
    toml::source_position failedAt{};
    std::string failure;
};

} // namespace

bool readTomlConfig(const std::string& path, std::vector<ConfigEntry>& out, std::string& error) {
    std::string text;
    if (!readFile(path, text, error)) {
        return false;
    }
    // Deeper keys would overflow the stack of toml++'s parse; toml++ stops
    // arrays and inline tables at the same depth.
    constexpr std::size_t maxDepth = 256;
    if (const std::size_t line = detail::tooDeepKeyLine(text, maxDepth)) {
        error = path + ":" + std::to_string(line) + ": keys nested too deeply (more than " +
                std::to_string(maxDepth) + " levels)";
        return false;
    }
    Entries entries(path);
    try {
        entries.read(toml::parse(text));
    } catch (const toml::parse_error& failed) {
        const toml::source_position at = failed.source().begin;
        error = path + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) + ": " +
                oneLine(failed.description());
        return false;
    }
    return entries.take(out, error);
}

} // namespace conkit
