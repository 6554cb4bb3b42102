// The catalogue's templates and names, and filling a template.
#include "options/messages/Texts.h"

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
