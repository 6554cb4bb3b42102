// Numeric conversion: all eight toNumber forms and parseNumber answer as the
// reference model says for what glibc reads from a NUL-terminated copy. The
// slice's bytes sit in a block that ends exactly at the slice's end, so a
// read past it is caught.
#include "fuzz/FuzzSupport.h"

#include "tests/slices/reference/NumberModel.h"

#include <cstring>
#include <memory>
#include <string>

#if !defined(__GLIBC__)
#error "glibc is the reference of this fuzz target"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::unique_ptr<char[]> block(new char[size]);
    std::memcpy(block.get(), data, size);
    const conkit::StrSlice slice(block.get(), static_cast<std::uint32_t>(size));
    const std::string copy(block.get(), size); // c_str() ends it with a NUL

    const conkit_test::NumberReading reading = conkit_test::readWithGlibc(copy);
    FUZZ_CHECK(conkit_test::firstDifference(conkit_test::convertAll(slice),
                                            conkit_test::expectedFor(reading)) == nullptr);
    FUZZ_CHECK(conkit_test::firstParseDifference(slice, reading,
                                                 conkit_test::wholeWithGlibc(copy)) == nullptr);
    return 0;
}
