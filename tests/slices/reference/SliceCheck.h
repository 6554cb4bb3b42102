// Holds StrSlice, its splits and the tokenizers against the reference model
// for one set of arguments. The differential test feeds it generated
// arguments and the fuzz targets feed it the fuzzer's, so both check the same
// rules the same way.
#pragma once

#include "tests/slices/reference/SliceModel.h"

#include "slices/StrSlice.h"

#include <utility>

namespace slice_model {

/// The arguments of one round of checks.
struct Probe {
    View text;               // the slice's characters; a null data() gives the null slice
    const char* sought = ""; // NUL-terminated; the counted forms use `soughtCount` bytes
    std::uint32_t soughtCount = 0;
    const char* close = "";  // NUL-terminated: the closing text of between
    char c = 0;              // sought character, delimiter, opening character
    char close1 = 0;         // closing character of between
    std::uint32_t start = 0; // start, trailing count, cut start, advance count
    std::uint32_t count = 0; // cut length, subRange end
};

/// True when `slice` views exactly the characters `view` views, at the same
/// address (both null for the null slice).
inline bool same(const conkit::StrSlice& slice, View view) {
    return slice.data() == view.data() && slice.size() == view.size();
}

/// The first name whose check failed, or nullptr.
template <std::size_t N> const char* firstFailed(const std::pair<bool, const char*> (&checks)[N]) {
    for (const auto& [ok, name] : checks) {
        if (!ok) {
            return name;
        }
    }
    return nullptr;
}

inline conkit::StrSlice sliceOf(View text) {
    return conkit::StrSlice(text.data(), static_cast<std::uint32_t>(text.size()));
}

/// Comparisons, searches and tests.
inline const char* searchMismatch(const Probe& p) {
    const conkit::StrSlice slice = sliceOf(p.text);
    const View text = p.text;
    const View sought(p.sought, p.soughtCount);
    const View soughtText(p.sought); // read up to its NUL
    const conkit::StrSlice s = sliceOf(sought);
    const std::uint32_t n = p.soughtCount;
    const std::pair<bool, const char*> checks[] = {
        {slice.compare(p.sought, n) == compare(text, sought), "compare(chars, count)"},
        {slice.compare(s) == compare(text, sought), "compare(slice)"},
        {slice.compare(p.sought) == compare(text, soughtText), "compare(text)"},
        {slice.compareNoCase(p.sought, n) == compareNoCase(text, sought), "compareNoCase"},
        {slice.compareNoCase(s) == compareNoCase(text, sought), "compareNoCase(slice)"},
        {slice.equals(s) == (text == sought), "equals"},
        {slice.equalsNoCase(s) == (compareNoCase(text, sought) == 0), "equalsNoCase"},
        {(slice == s) == (text == sought) && (slice != s) == (text != sought), "== slice"},
        {(slice == sought) == (text == sought) && (sought != slice) == (text != sought),
         "== string_view"},
        {(slice < s) == (text < sought) && (slice >= s) == (text >= sought) &&
             (slice > s) == (text > sought) && (slice <= s) == (text <= sought),
         "ordering"},
        {slice.find(p.c, p.start) == find(text, p.c, p.start), "find(char)"},
        {slice.rfind(p.c, p.start) == rfind(text, p.c, p.start), "rfind(char)"},
        {slice.rfind(p.c) == rfind(text, p.c, conkit::StrSlice::npos), "rfind(char, npos)"},
        {slice.find(p.sought, n, p.start) == find(text, sought, p.start), "find(chars, count)"},
        {slice.find(s, p.start) == find(text, sought, p.start), "find(slice)"},
        {slice.find(p.sought, p.start) == find(text, soughtText, p.start), "find(text)"},
        {slice.findNoCase(s, p.start) == findNoCase(text, sought, p.start), "findNoCase"},
        {slice.rfind(p.sought, n, p.start) == rfind(text, sought, p.start), "rfind(chars, count)"},
        {slice.rfind(s, p.start) == rfind(text, sought, p.start), "rfind(slice)"},
        {slice.rfind(p.sought, p.start) == rfind(text, soughtText, p.start), "rfind(text)"},
        {slice.contains(p.c) == contains(text, p.c), "contains(char)"},
        {slice.contains(s) == contains(text, sought), "contains(slice)"},
        {slice.hasPrefix(p.sought, n) == hasPrefix(text, sought), "hasPrefix"},
        {slice.hasSuffix(p.sought, n) == hasSuffix(text, sought), "hasSuffix"},
        {slice.hasPrefix(p.sought) == hasPrefix(text, soughtText), "hasPrefix(text)"},
        {slice.hasSuffix(p.sought) == hasSuffix(text, soughtText), "hasSuffix(text)"},
        {slice.isDigits() == isDigits(text), "isDigits"},
    };
    return firstFailed(checks);
}

/// Cuts, advance, splits and between: results point into the text, and
/// outputs that an outcome leaves alone keep what they held.
inline const char* cutMismatch(const Probe& p) {
    using conkit::StrSlice;
    const StrSlice slice = sliceOf(p.text);
    const View text = p.text;
    const StrSlice untouched("untouched");
    const View kept(untouched.data(), untouched.size());

    StrSlice moved = slice;
    const bool advanced = moved.advance(p.start);
    const bool fits = p.start <= text.size();

    StrSlice head = untouched;
    StrSlice tail = untouched;
    const Split byChar = split(text, p.c);
    const int charParts = slice.split(p.c, head, tail);
    const bool charSplit = charParts == byChar.parts &&
                           same(head, byChar.parts == 0 ? kept : byChar.head) &&
                           same(tail, byChar.parts == 0 ? kept : byChar.tail);
    head = tail = untouched;
    const Split byText = split(text, View(p.sought));
    const int textParts = slice.split(p.sought, head, tail);
    const bool textSplit = textParts == byText.parts &&
                           same(head, byText.parts == 0 ? kept : byText.head) &&
                           same(tail, byText.parts == 0 ? kept : byText.tail);
    // Split into itself: the slice is read before either output is written.
    StrSlice self = slice;
    head = untouched;
    const bool selfSplit =
        self.split(p.c, head, self) == byChar.parts &&
        (byChar.parts == 0 || (same(head, byChar.head) && same(self, byChar.tail)));

    StrSlice out = untouched;
    const std::optional<View> inChars = between(text, p.c, p.close1);
    const bool charsBetween = slice.between(p.c, p.close1, out) == inChars.has_value() &&
                              same(out, inChars.value_or(kept));
    out = untouched;
    const std::optional<View> inTexts = between(text, View(p.sought), View(p.close));
    const bool textsBetween = slice.between(p.sought, p.close, out) == inTexts.has_value() &&
                              same(out, inTexts.value_or(kept));

    const std::pair<bool, const char*> checks[] = {
        {same(slice.substr(p.start, p.count), substr(text, p.start, p.count)), "substr"},
        {same(slice.subRange(p.start, p.count), subRange(text, p.start, p.count)), "subRange"},
        {same(slice.trim(), trim(text)), "trim"},
        {advanced == fits && same(moved, fits ? text.substr(p.start) : text), "advance"},
        {charSplit, "split(char)"},
        {textSplit, "split(text)"},
        {selfSplit, "split(char) into itself"},
        {charsBetween, "between(char, char)"},
        {textsBetween, "between(text, text)"},
    };
    return firstFailed(checks);
}

/// True when `splitter` hands out exactly `want`, then stays used up and
/// leaves the token alone.
template <class Splitter> bool handsOut(Splitter splitter, const std::vector<View>& want) {
    conkit::StrSlice token;
    for (const View expected : want) {
        if (!splitter.next(token) || !same(token, expected)) {
            return false;
        }
    }
    const conkit::StrSlice last = token;
    return !splitter.next(token) && !splitter.next(token) && token.data() == last.data() &&
           token.size() == last.size();
}

/// The tokenizers over the text: at `p.c`, at `p.sought` (read to its NUL and
/// counted) and at blanks.
inline const char* tokenMismatch(const Probe& p) {
    const View text = p.text;
    const auto size = static_cast<std::uint32_t>(text.size());
    const View sought(p.sought, p.soughtCount);
    const std::pair<bool, const char*> checks[] = {
        {handsOut(conkit::CharSplitter(text.data(), size, p.c), tokens(text, p.c)), "CharSplitter"},
        {handsOut(conkit::StrSplitter(text.data(), size, p.sought), tokens(text, View(p.sought))),
         "StrSplitter(text)"},
        {handsOut(conkit::StrSplitter(sliceOf(text), sliceOf(sought)), tokens(text, sought)),
         "StrSplitter(slice)"},
        {handsOut(conkit::BlankSplitter(text.data(), size), words(text)), "BlankSplitter"},
    };
    return firstFailed(checks);
}

/// Every check above; nullptr when the slice agrees with the model throughout.
inline const char* mismatch(const Probe& p) {
    if (const char* failed = searchMismatch(p)) {
        return failed;
    }
    if (const char* failed = cutMismatch(p)) {
        return failed;
    }
    return tokenMismatch(p);
}

} // namespace slice_model
