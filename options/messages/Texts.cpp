// The catalogue's templates and names, and filling a template.
#include "options/messages/Texts.h"

#include <algorithm>
#include <vector>

namespace conkit {

namespace {

#define CONKIT_MESSAGE_TEXT(name, english) english,
constexpr const char* messageTexts[] = {CONKIT_MESSAGES(CONKIT_MESSAGE_TEXT)};
#undef CONKIT_MESSAGE_TEXT

#define CONKIT_MESSAGE_NAME(name, english) #name,
constexpr const char* messageNames[] = {CONKIT_MESSAGES(CONKIT_MESSAGE_NAME)};
#undef CONKIT_MESSAGE_NAME

} // namespace

const char* englishText(MessageId id) noexcept {
    return messageTexts[static_cast<std::size_t>(id)];
}

const char* messageName(MessageId id) noexcept {
    return messageNames[static_cast<std::size_t>(id)];
}

} // namespace conkit

namespace conkit::detail {

std::string fill(std::string_view pattern, Args args) {
    std::string out;
    out.reserve(pattern.size() + 32);
    forEachPiece(
        pattern, [&out](std::string_view text) { out += text; },
        [&out, args](std::string_view name) {
            for (const Arg& arg : args) {
                if (arg.name == name) {
                    out += arg.value;
                    return;
                }
            }
            out += '{';
            out += name;
            out += '}';
        });
    return out;
}

namespace {

/// The placeholders of `pattern` in sorted order, in `names`; false when it
/// is no well-formed template.
bool placeholders(std::string_view pattern, std::vector<std::string_view>& names) {
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

} // namespace

bool samePlaceholders(std::string_view english, std::string_view translated) {
    std::vector<std::string_view> wanted;
    std::vector<std::string_view> found;
    return placeholders(english, wanted) && placeholders(translated, found) && wanted == found;
}

std::string Texts::pattern(MessageId id) const {
    const char* english = englishText(id);
    if (translate != nullptr) {
        std::string translated = translate(id, english);
        if (!translated.empty() && samePlaceholders(english, translated)) {
            return translated;
        }
    }
    return english;
}

} // namespace conkit::detail
