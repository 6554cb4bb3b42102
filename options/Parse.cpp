// OptionParser: parsing of argument vectors, word lists and command lines.
#include "options/OptionParser.h"

#include "options/detail/PathName.h"

#include <iostream>
#include <utility>

namespace conkit {

namespace {

/// Length of the option prefix of `word`: 2 for "--", 1 for "-" or "/", 0 for a
/// plain word.
std::size_t prefixLength(const std::string& word) noexcept {
    if (word.size() >= 2 && word[0] == '-' && word[1] == '-') {
        return 2;
    }
    return !word.empty() && (word[0] == '-' || word[0] == '/') ? 1 : 0;
}

/// Position of the first '=' in `body`, or npos. Option names are short, so a
/// plain loop beats a call to memchr.
std::size_t findEquals(std::string_view body) noexcept {
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '=') {
            return i;
        }
    }
    return std::string_view::npos;
}

/// Does what `Option::setValue` does, from a piece of a word, without building
/// a temporary string.
void storeValue(OptionParser::Option& option, std::string_view text) {
    option.value.assign(text.data(), text.size());
    option.found = true;
}

std::string needArgLine(const OptionParser::Option& option) {
    return "--" + option.longName + " need arg.";
}

} // namespace

bool OptionParser::parse(int argc, const char* const* argv) {
    // The copy goes into a vector kept from the previous parse, so that parsing
    // again reuses its buffer instead of allocating a new one.
    std::size_t count = 0;
    if (argv != nullptr) {
        while (static_cast<int>(count) < argc && argv[count] != nullptr) {
            ++count;
        }
    }
    argvCopy.clear();
    argvCopy.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        argvCopy.emplace_back(argv[i]);
    }
    return parse(argvCopy);
}

bool OptionParser::parse(const std::string& line) {
    return parse(splitCommandLine(line));
}

bool OptionParser::parse(const std::vector<std::string>& words) {
    reset();
    errorLine.clear();
    if (words.empty()) {
        return false;
    }
    prog.assign(detail::lastPathComponent(words[0]));
    if (args.capacity() < words.size() - 1) {
        args.reserve(words.size() - 1);
    }

    // The option named by the latest option word, until a plain word has been
    // stored into it; `awaiting` is set while it still needs its argument.
    Option* current = nullptr;
    bool awaiting = false;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        const std::size_t prefix = prefixLength(word);
        if (prefix == 0) {
            if (current != nullptr) {
                current->setValue(word);
                current = nullptr;
                awaiting = false;
            } else {
                args.push_back(word);
            }
            continue;
        }
        if (awaiting) {
            return fail(needArgLine(*current));
        }
        const std::string_view body = std::string_view(word).substr(prefix);
        const std::size_t equals = findEquals(body);
        const std::string_view name = body.substr(0, equals);
        // This parser is not const, so its entries may be written; the table
        // does not change during a parse, so the entry stays put.
        current = const_cast<Option*>(lookup(name));
        if (current == nullptr) {
            return fail("invalid option: " + std::string(name));
        }
        if (equals != std::string_view::npos) {
            storeValue(*current, body.substr(equals + 1));
        } else {
            current->found = true;
            awaiting = current->needArg && current->defaultValue.empty();
        }
    }
    // The words ran out while an option still needs its argument.
    if (awaiting) {
        return fail(needArgLine(*current));
    }
    return true;
}

bool OptionParser::fail(std::string line) {
    errorLine = std::move(line);
    std::cout << errorLine << std::endl;
    return false;
}

} // namespace conkit
