// Tokenizers: for any text and any delimiter (the empty delimiter text
// included), the tokens and the delimiters between them rebuild the text, and
// every token points into it where the rebuilt text says.
#include "FuzzSupport.h"

#include "slices/StrSlice.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

using conkit::StrSlice;

/// Walks `splitter`, checking each token's place, and returns the rebuilt text.
template <class Splitter>
std::string rebuild(Splitter splitter, const char* text, std::size_t size,
                    const std::string& delimiter) {
    std::string out;
    StrSlice token;
    bool first = true;
    while (splitter.next(token)) {
        if (!first) {
            out += delimiter;
        }
        first = false;
        FUZZ_CHECK(token.size() == 0 || token.data() == text + out.size());
        out.append(token.data() != nullptr ? token.data() : "", token.size());
    }
    FUZZ_CHECK(!splitter.next(token)); // stays used up
    // A delimiter at the very end gives no trailing empty token.
    if (out.size() < size) {
        out += delimiter;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const char c = input.ConsumeIntegral<char>();
    const std::string delimiter = input.ConsumeRandomLengthString(8);
    const std::string chosen = input.ConsumeRemainingBytesAsString();
    const std::unique_ptr<char[]> block(new char[chosen.size()]);
    std::memcpy(block.get(), chosen.data(), chosen.size());
    const std::unique_ptr<char[]> delimiterBlock(new char[delimiter.size() + 1]);
    std::memcpy(delimiterBlock.get(), delimiter.c_str(), delimiter.size() + 1);
    const auto count = static_cast<std::uint32_t>(chosen.size());

    FUZZ_CHECK(rebuild(conkit::CharSplitter(block.get(), count, c), block.get(), chosen.size(),
                       std::string(1, c)) == chosen);
    // The delimiter text is read up to its first NUL.
    const std::string effective(delimiterBlock.get());
    if (effective.empty()) {
        conkit::StrSplitter whole(block.get(), count, delimiterBlock.get());
        StrSlice token;
        FUZZ_CHECK(whole.next(token) == !chosen.empty());
        FUZZ_CHECK(chosen.empty() || (token.data() == block.get() && token.size() == count));
        FUZZ_CHECK(!whole.next(token));
    } else {
        FUZZ_CHECK(rebuild(conkit::StrSplitter(block.get(), count, delimiterBlock.get()),
                           block.get(), chosen.size(), effective) == chosen);
    }
    return 0;
}
