// Tokenizers over long texts: for any text, any delimiter character and any
// delimiter text (the empty one and one holding NUL included), the tokenizers
// hand out exactly the reference model's tokens, each pointing into the text,
// and then stay used up; so does the one that splits at blanks.
#include "fuzz/FuzzSupport.h"

#include "tests/slices/reference/SliceCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    slice_model::Probe probe;
    probe.c = input.ConsumeIntegral<char>();
    const std::string delimiter = input.ConsumeRandomLengthString(8);
    const std::string chosen = input.ConsumeRemainingBytesAsString();
    // Blocks of exactly their size, so that any read past them is caught.
    const std::unique_ptr<char[]> block(new char[chosen.size()]);
    std::memcpy(block.get(), chosen.data(), chosen.size());
    const std::unique_ptr<char[]> delimiterBlock(new char[delimiter.size() + 1]);
    std::memcpy(delimiterBlock.get(), delimiter.c_str(), delimiter.size() + 1);

    probe.text = slice_model::View(block.get(), chosen.size());
    probe.sought = delimiterBlock.get();
    probe.soughtCount = static_cast<std::uint32_t>(delimiter.size());
    if (const char* failed = slice_model::tokenMismatch(probe)) {
        conkit_fuzz::fail(failed, __FILE__, __LINE__);
    }
    return 0;
}
