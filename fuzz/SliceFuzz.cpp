// StrSlice: the input chooses a text and a sequence of operations with their
// positions, counts and sought texts; every result is held against a plain
// model built on std::string_view. The text sits in a heap block that ends
// exactly where the text ends, so any read past it is caught.
#include "FuzzSupport.h"

#include "slices/StrSlice.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

using conkit::StrSlice;
using View = std::string_view;

int sign(int value) {
    return (value > 0) - (value < 0);
}

std::int32_t findChar(View text, char c, std::uint32_t start) {
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] == c) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

std::int32_t findText(View text, View sought, std::uint32_t start) {
    if (start >= text.size() || start + sought.size() > text.size()) {
        return -1;
    }
    for (std::size_t k = start; k + sought.size() <= text.size(); ++k) {
        if (text.substr(k, sought.size()) == sought) {
            return static_cast<std::int32_t>(k);
        }
    }
    return -1;
}

std::int32_t rfindChar(View text, char c, std::uint32_t start) {
    if (text.empty()) {
        return -1;
    }
    for (std::size_t i = start < text.size() ? start + 1 : text.size(); i-- != 0;) {
        if (text[i] == c) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

std::int32_t rfindText(View text, View sought, std::uint32_t trailing) {
    if (trailing >= text.size() || trailing + sought.size() > text.size()) {
        return -1;
    }
    const View region = text.substr(0, text.size() - trailing);
    for (std::size_t k = region.size() - sought.size() + 1; k-- != 0;) {
        if (region.substr(k, sought.size()) == sought) {
            return static_cast<std::int32_t>(k);
        }
    }
    return -1;
}

int compareNoCase(View a, View b) {
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        const auto fold = [](char c) {
            return static_cast<int>(static_cast<signed char>(c >= 'A' && c <= 'Z' ? c + 32 : c));
        };
        if (fold(a[i]) != fold(b[i])) {
            return fold(a[i]) < fold(b[i]) ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

View view(const StrSlice& slice) {
    return View(slice.data(), slice.size());
}

/// A cut is the given bytes at the given place, or the null slice.
void checkCut(const StrSlice& cut, View whole, std::size_t start, std::size_t count) {
    if (start >= whole.size()) {
        FUZZ_CHECK(cut.data() == nullptr && cut.size() == 0);
    } else {
        FUZZ_CHECK(cut.data() == whole.data() + start && cut.size() == count);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string chosen = input.ConsumeRandomLengthString(512);
    // The slice's own bytes in a block of exactly their size.
    const std::unique_ptr<char[]> block(new char[chosen.size()]);
    std::memcpy(block.get(), chosen.data(), chosen.size());
    StrSlice slice(block.get(), static_cast<std::uint32_t>(chosen.size()));

    while (input.remaining_bytes() > 0) {
        const View text = view(slice);
        const auto length = static_cast<std::uint32_t>(text.length());
        const auto start = input.ConsumeIntegralInRange<std::uint32_t>(0, length + 2);
        const char c = input.ConsumeIntegral<char>();
        // Half the time a piece of the text itself, so that searches find it.
        std::string sought =
            input.ConsumeBool()
                ? input.ConsumeRandomLengthString(40)
                : std::string(text.substr(start < length ? start : 0,
                                          input.ConsumeIntegralInRange<std::size_t>(0, 40)));
        const std::unique_ptr<char[]> soughtBlock(new char[sought.length() + 1]);
        std::memcpy(soughtBlock.get(), sought.c_str(), sought.length() + 1);
        const char* s = soughtBlock.get();
        const auto n = static_cast<std::uint32_t>(sought.length());

        switch (input.ConsumeIntegralInRange(0, 9)) {
        case 0:
            FUZZ_CHECK(slice.find(c, start) == findChar(text, c, start));
            FUZZ_CHECK(slice.rfind(c, start) == rfindChar(text, c, start));
            FUZZ_CHECK(slice.rfind(c, StrSlice::npos) == rfindChar(text, c, StrSlice::npos));
            break;
        case 1:
            FUZZ_CHECK(slice.find(s, n, start) == findText(text, sought, start));
            FUZZ_CHECK(slice.rfind(s, n, start) == rfindText(text, sought, start));
            break;
        case 2: {
            const int ordinal = sign(text.compare(sought));
            FUZZ_CHECK(slice.compare(s, n) == ordinal);
            FUZZ_CHECK(slice.equals(StrSlice(s, n)) == (ordinal == 0));
            FUZZ_CHECK((slice < StrSlice(s, n)) == (ordinal < 0));
            FUZZ_CHECK(slice.compareNoCase(s, n) == compareNoCase(text, sought));
            break;
        }
        case 3: {
            const auto count = input.ConsumeIntegral<std::uint32_t>();
            const std::size_t kept =
                start < length ? std::min<std::size_t>(length - start, count) : 0;
            checkCut(slice.substr(start, count), text, start, kept);
            const std::uint32_t end = start + input.ConsumeIntegralInRange<std::uint32_t>(0, 40);
            const StrSlice range = slice.subRange(start, end);
            checkCut(range, text, start, std::min<std::size_t>(end, length) - start);
            break;
        }
        case 4:
            FUZZ_CHECK(slice.hasPrefix(s, n) == (text.substr(0, n) == sought));
            FUZZ_CHECK(slice.hasSuffix(s, n) ==
                       (n <= length && text.substr(length - n) == View(sought)));
            FUZZ_CHECK(slice.isDigits() ==
                       (length != 0 && text.find_first_not_of("0123456789") == View::npos));
            break;
        case 5: {
            StrSlice head("head");
            StrSlice tail("tail");
            const int parts = slice.split(c, head, tail);
            const std::size_t at = text.find(c);
            FUZZ_CHECK(parts == (length == 0 ? 0 : (at == View::npos ? 1 : 2)));
            if (parts == 2) {
                FUZZ_CHECK(view(head) == text.substr(0, at) && view(tail) == text.substr(at + 1));
            }
            if (parts == 1) {
                FUZZ_CHECK(view(head) == text && tail.data() == nullptr);
            }
            break;
        }
        case 6: {
            StrSlice head("head");
            StrSlice tail("tail");
            const int parts = slice.split(s, head, tail);
            const View d(s); // up to a NUL, as the delimiter text is read
            const std::size_t at = text.find(d);
            FUZZ_CHECK(parts == (length == 0 ? 0 : (at == View::npos ? 1 : 2)));
            if (parts == 2) {
                FUZZ_CHECK(head.data() == text.data() && view(head) == text.substr(0, at) &&
                           view(tail) == text.substr(at + d.length()));
            }
            break;
        }
        case 7: {
            StrSlice out("out");
            const char close = input.ConsumeIntegral<char>();
            const std::size_t open = text.find(c);
            const std::size_t shut = open == View::npos ? View::npos : text.find(close, open + 1);
            FUZZ_CHECK(slice.between(c, close, out) == (shut != View::npos));
            FUZZ_CHECK(shut == View::npos ? view(out) == "out"
                                          : view(out) == text.substr(open + 1, shut - open - 1));
            break;
        }
        case 8: {
            StrSlice out("out");
            const View open(s);
            const std::string closeText = input.ConsumeRandomLengthString(4);
            const View close(closeText.c_str());
            const std::size_t at = length == 0 ? View::npos : text.find(open);
            const std::size_t from = at == View::npos ? View::npos : at + open.length();
            const std::size_t shut =
                from == View::npos || from >= length ? View::npos : text.find(close, from);
            FUZZ_CHECK(slice.between(s, closeText.c_str(), out) == (shut != View::npos));
            if (shut != View::npos) {
                FUZZ_CHECK(view(out) == text.substr(from, shut - from));
            }
            break;
        }
        default: {
            const StrSlice before = slice;
            const bool moved = slice.advance(start);
            FUZZ_CHECK(moved == (start <= length));
            FUZZ_CHECK(view(slice) == (moved ? text.substr(start) : text));
            FUZZ_CHECK(moved || slice.data() == before.data());
            break;
        }
        }
    }
    return 0;
}
