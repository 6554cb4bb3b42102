// Writing a text of the catalogue: its template, in English or as a
// translator gives it, with its placeholders replaced by values.
#pragma once

#include "options/Messages.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

/// A placeholder's name and the value that replaces it.
struct Arg {
    std::string_view name;
    std::string_view value;
};
using Args = std::initializer_list<Arg>;

/// Calls `literal(text)` for each run of literal text of `pattern` ("{{" and
/// "}}" read as one brace) and `placeholder(name)` for each placeholder, in
/// order. A brace that opens no placeholder is literal text.
template <class Literal, class Placeholder>
void forEachPiece(std::string_view pattern, Literal literal, Placeholder placeholder) {
    std::size_t start = 0;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        const char c = pattern[at];
        if ((c == '{' || c == '}') && at + 1 < pattern.size() && pattern[at + 1] == c) {
            literal(pattern.substr(start, at + 1 - start));
            start = ++at + 1;
        } else if (c == '{') {
            const std::size_t close = pattern.find('}', at);
            if (close == std::string_view::npos) {
                break;
            }
            literal(pattern.substr(start, at - start));
            placeholder(pattern.substr(at + 1, close - at - 1));
            start = close + 1;
            at = close;
        }
    }
    literal(pattern.substr(start));
}

/// `pattern` with each placeholder replaced, once, by its value in `args`;
/// a value is never read again, so braces in it stay as they are.
std::string fill(std::string_view pattern, Args args);

/// The placeholders of `pattern` in sorted order, in `names`; false when it
/// is no well-formed template (a lone brace, an unclosed or empty placeholder).
inline bool placeholders(std::string_view pattern, std::vector<std::string_view>& names) {
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        const char c = pattern[at];
        if ((c == '{' || c == '}') && at + 1 < pattern.size() && pattern[at + 1] == c) {
            ++at; // a literal brace
        } else if (c == '}') {
            return false;
        } else if (c == '{') {
            const std::size_t close = pattern.find_first_of("{}", at + 1);
            if (close == std::string_view::npos || pattern[close] != '}' || close == at + 1) {
                return false;
            }
            names.push_back(pattern.substr(at + 1, close - at - 1));
            at = close;
        }
    }
    std::sort(names.begin(), names.end());
    return true;
}

/// True when `translated` is a well-formed template holding exactly the
/// placeholders of `english`, each name as often, in any order. Inline, as
/// the catalogue's test reads the translations with it.
inline bool samePlaceholders(std::string_view english, std::string_view translated) {
    std::vector<std::string_view> wanted;
    std::vector<std::string_view> found;
    return placeholders(english, wanted) && placeholders(translated, found) && wanted == found;
}

/// The texts of one parser: the catalogue's templates, as its translator
/// gives them; a translation that keeps other placeholders than the English
/// template is not used.
class Texts {
public:
    explicit Texts(Translator translation = nullptr) noexcept : translate(translation) {}

    /// The template of `id`.
    [[nodiscard]] std::string pattern(MessageId id) const;
    /// The translator in use, or nullptr.
    [[nodiscard]] Translator translator() const noexcept { return translate; }
    /// The text of `id` with its placeholders replaced by `args`.
    [[nodiscard]] std::string text(MessageId id, Args args = {}) const {
        return fill(pattern(id), args);
    }

private:
    Translator translate;
};

} // namespace conkit::detail
