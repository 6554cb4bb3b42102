// StrSlice: the input chooses a text and a run of argument sets (positions,
// counts, characters, sought and closing texts); every operation of the slice
// is held against the reference model for each set. Between sets the slice
// drops its first characters, as advance would. The text and every sought
// text sit in heap blocks that end exactly where they end, so any read past
// them is caught.
#include "fuzz/FuzzSupport.h"

#include "tests/slices/reference/SliceCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

/// `text` and its NUL in a block of exactly that size.
std::unique_ptr<char[]> terminatedCopy(const std::string& text) {
    std::unique_ptr<char[]> block(new char[text.size() + 1]);
    std::memcpy(block.get(), text.c_str(), text.size() + 1);
    return block;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string chosen = input.ConsumeRandomLengthString(512);
    const std::unique_ptr<char[]> block(new char[chosen.size()]);
    std::memcpy(block.get(), chosen.data(), chosen.size());
    slice_model::View text(block.get(), chosen.size());

    while (input.remaining_bytes() > 0) {
        const auto length = static_cast<std::uint32_t>(text.size());
        slice_model::Probe probe;
        probe.text = text;
        probe.start = input.ConsumeIntegralInRange<std::uint32_t>(0, length + 2);
        probe.count = input.ConsumeBool() ? input.ConsumeIntegral<std::uint32_t>()
                                          : input.ConsumeIntegralInRange<std::uint32_t>(0, 40);
        probe.c = input.ConsumeIntegral<char>();
        probe.close1 = input.ConsumeIntegral<char>();
        // Half the time a piece of the text itself, so that searches find it.
        const std::string sought =
            input.ConsumeBool()
                ? input.ConsumeRandomLengthString(40)
                : std::string(text.substr(probe.start < length ? probe.start : 0,
                                          input.ConsumeIntegralInRange<std::size_t>(0, 40)));
        const std::unique_ptr<char[]> soughtBlock = terminatedCopy(sought);
        const std::unique_ptr<char[]> closeBlock =
            terminatedCopy(input.ConsumeRandomLengthString(4));
        probe.sought = soughtBlock.get();
        probe.soughtCount = static_cast<std::uint32_t>(sought.size());
        probe.close = closeBlock.get();

        if (const char* failed = slice_model::mismatch(probe)) {
            conkit_fuzz::fail(failed, __FILE__, __LINE__);
        }
        if (probe.start <= length) {
            text.remove_prefix(probe.start);
        }
    }
    return 0;
}
