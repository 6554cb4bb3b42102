// The reference model of the slice operations: plain std::string_view code,
// written straight from the rules with no care for speed, that the
// differential test and the fuzz targets hold StrSlice and the tokenizers
// against. A null view stands for the null slice; every other result views
// the given text where the slice's result must point. Texts are shorter than
// 2^31 bytes, so every position fits the signed 32-bit result.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace slice_model {

using View = std::string_view;

/// A position as the searches report it: -1 for none.
inline std::int32_t position(std::size_t at) {
    return at == View::npos ? -1 : static_cast<std::int32_t>(at);
}

/// 'A' to 'Z' folded to lower case, as a signed byte value.
inline int folded(char c) {
    return static_cast<signed char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
}

/// Ordinal order: first differing byte as unsigned, then length; -1, 0 or 1.
inline int compare(View a, View b) {
    const int order = a.compare(b);
    return (order > 0) - (order < 0);
}

/// Case-blind order: first pair differing after folding, as signed bytes,
/// then length; -1, 0 or 1.
inline int compareNoCase(View a, View b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (folded(a[i]) != folded(b[i])) {
            return folded(a[i]) < folded(b[i]) ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

/// The first index at or after `start` holding `c`.
inline std::int32_t find(View text, char c, std::uint32_t start) {
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] == c) {
            return position(i);
        }
    }
    return -1;
}

/// The first index at or after `start` where `sought` stands whole, by
/// `equal`; -1 when `start` is not below the size or start + count exceeds it.
template <class Equal>
std::int32_t findText(View text, View sought, std::uint32_t start, Equal equal) {
    if (start >= text.size() || start + sought.size() > text.size()) {
        return -1;
    }
    for (std::size_t k = start; k + sought.size() <= text.size(); ++k) {
        if (equal(text.substr(k, sought.size()), sought)) {
            return position(k);
        }
    }
    return -1;
}

inline std::int32_t find(View text, View sought, std::uint32_t start) {
    return findText(text, sought, start, [](View a, View b) { return a == b; });
}

inline std::int32_t findNoCase(View text, View sought, std::uint32_t start) {
    return findText(text, sought, start, [](View a, View b) { return compareNoCase(a, b) == 0; });
}

/// The last index at or before `start` holding `c`; a start at or beyond the
/// end begins at the last character.
inline std::int32_t rfind(View text, char c, std::uint32_t start) {
    std::size_t i = start < text.size() ? std::size_t{start} + 1 : text.size();
    while (i-- != 0) {
        if (text[i] == c) {
            return position(i);
        }
    }
    return -1;
}

/// The last index where `sought` stands whole within the text less its last
/// `trailing` characters; -1 when `trailing` is not below the size or
/// trailing + count exceeds it.
inline std::int32_t rfind(View text, View sought, std::uint32_t trailing) {
    if (trailing >= text.size() || trailing + sought.size() > text.size()) {
        return -1;
    }
    const View region = text.substr(0, text.size() - trailing);
    for (std::size_t k = region.size() - sought.size() + 1; k-- != 0;) {
        if (region.substr(k, sought.size()) == sought) {
            return position(k);
        }
    }
    return -1;
}

inline bool contains(View text, char c) {
    return text.find(c) != View::npos;
}

/// The empty text is contained in every text, the empty one included.
inline bool contains(View text, View sought) {
    return text.find(sought) != View::npos;
}

/// Up to `count` characters from `start`; null when `start` is not below the size.
inline View substr(View text, std::uint32_t start, std::uint32_t count) {
    return start < text.size() ? text.substr(start, count) : View();
}

/// Characters `begin` up to `end` (cut back to the size); null when `begin`
/// is not below the size or `end` is below `begin`.
inline View subRange(View text, std::uint32_t begin, std::uint32_t end) {
    if (begin >= text.size() || end < begin) {
        return View();
    }
    return text.substr(begin, std::min<std::size_t>(end, text.size()) - begin);
}

/// Without leading and trailing ' ', '\t', '\r' and '\n'.
inline View trim(View text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

inline bool isDigits(View text) {
    return !text.empty() && text.find_first_not_of("0123456789") == View::npos;
}

inline bool hasPrefix(View text, View sought) {
    return sought.size() <= text.size() && text.substr(0, sought.size()) == sought;
}

inline bool hasSuffix(View text, View sought) {
    return sought.size() <= text.size() && text.substr(text.size() - sought.size()) == sought;
}

/// The outcome of a split: 0 (head and tail not written), 1 or 2.
struct Split {
    int parts = 0;
    View head;
    View tail;
};

/// The split at the first `delimiter` of `width` bytes found at `at` (npos:
/// none) of a non-empty text.
inline Split cutAt(View text, std::size_t at, std::size_t width) {
    if (at == View::npos) {
        return {1, text, View()};
    }
    return {2, text.substr(0, at), text.substr(at + width)};
}

inline Split split(View text, char delimiter) {
    return text.empty() ? Split() : cutAt(text, text.find(delimiter), 1);
}

/// The empty delimiter stands before the first character.
inline Split split(View text, View delimiter) {
    return text.empty() ? Split() : cutAt(text, text.find(delimiter), delimiter.size());
}

/// The characters between the first `open` and the first `close` after it.
inline std::optional<View> between(View text, char open, char close) {
    const std::size_t opening = text.find(open);
    const std::size_t closing = opening == View::npos ? View::npos : text.find(close, opening + 1);
    if (closing == View::npos) {
        return std::nullopt;
    }
    return text.substr(opening + 1, closing - opening - 1);
}

/// The same for texts; `close` is sought from the end of `open`, and not at
/// all when `open` ends the text.
inline std::optional<View> between(View text, View open, View close) {
    const std::size_t opening = text.empty() ? View::npos : text.find(open);
    const std::size_t from = opening == View::npos ? View::npos : opening + open.size();
    const std::size_t closing =
        from == View::npos || from >= text.size() ? View::npos : text.find(close, from);
    if (closing == View::npos) {
        return std::nullopt;
    }
    return text.substr(from, closing - from);
}

/// The tokens of `text` between delimiters of `width` bytes, each found by
/// `next`: empty tokens kept, none after a delimiter at the very end.
template <class Next> std::vector<View> tokens(View text, std::size_t width, Next next) {
    std::vector<View> out;
    while (!text.empty()) {
        const std::size_t at = next(text);
        if (at == View::npos) {
            out.push_back(text);
            break;
        }
        out.push_back(text.substr(0, at));
        text.remove_prefix(at + width);
    }
    return out;
}

inline std::vector<View> tokens(View text, char delimiter) {
    return tokens(text, 1, [delimiter](View rest) { return rest.find(delimiter); });
}

/// An empty delimiter hands out the whole text as one token.
inline std::vector<View> tokens(View text, View delimiter) {
    if (delimiter.empty()) {
        return text.empty() ? std::vector<View>() : std::vector<View>{text};
    }
    return tokens(text, delimiter.size(), [delimiter](View rest) { return rest.find(delimiter); });
}

/// The words of `text`: the runs of bytes between ' ', '\t', '\r' and '\n',
/// never empty.
inline std::vector<View> words(View text) {
    const View blanks(" \t\r\n");
    std::vector<View> out;
    for (std::size_t at = text.find_first_not_of(blanks); at != View::npos;
         at = text.find_first_not_of(blanks, at)) {
        const std::size_t end = std::min(text.find_first_of(blanks, at), text.size());
        out.push_back(text.substr(at, end - at));
        at = end;
    }
    return out;
}

} // namespace slice_model
