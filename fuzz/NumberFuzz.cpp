// Numeric conversion: all eight toNumber forms equal the C library's atoi,
// atol and atof on a NUL-terminated copy, and parseNumber agrees with them
// whenever it accepts. The slice's bytes sit in a block that ends exactly at
// the slice's end, so a read past it is caught.
#include "FuzzSupport.h"

#include "slices/StrSlice.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

using conkit::StrSlice;

template <class T> T converted(const StrSlice& slice) {
    T out{};
    slice.toNumber(out);
    return out;
}

template <class T> bool same(T a, T b) {
    if constexpr (std::is_floating_point_v<T>) {
        if (std::isnan(a) || std::isnan(b)) {
            return std::isnan(a) && std::isnan(b);
        }
    }
    return a == b;
}

/// When parseNumber accepts the slice, its value is the plain conversion's.
template <class T> void checkParsed(const StrSlice& slice, T plain) {
    T out{};
    if (slice.parseNumber(out)) {
        FUZZ_CHECK(same(out, plain));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::unique_ptr<char[]> block(new char[size]);
    std::memcpy(block.get(), data, size);
    const StrSlice slice(block.get(), static_cast<std::uint32_t>(size));
    const std::string copy(block.get(), size); // c_str() ends it with a NUL

    const int i = std::atoi(copy.c_str());
    const long l = std::atol(copy.c_str());
    const double d = std::atof(copy.c_str());
    FUZZ_CHECK(converted<short>(slice) == static_cast<short>(i));
    FUZZ_CHECK(converted<unsigned short>(slice) == static_cast<unsigned short>(i));
    FUZZ_CHECK(converted<int>(slice) == i);
    FUZZ_CHECK(converted<unsigned>(slice) == static_cast<unsigned>(i));
    FUZZ_CHECK(converted<long>(slice) == l);
    FUZZ_CHECK(converted<unsigned long>(slice) == static_cast<unsigned long>(l));
    FUZZ_CHECK(same(converted<double>(slice), d));
    FUZZ_CHECK(same(converted<float>(slice), static_cast<float>(d)));

    // Accepted integers are the whole slice, so atol reads them in full.
    checkParsed<short>(slice, static_cast<short>(l));
    checkParsed<int>(slice, static_cast<int>(l));
    checkParsed<long>(slice, l);
    checkParsed<double>(slice, d);
    return 0;
}
