// Test helpers: StrSlice conversions held against the C library's atoi, atol
// and atof on a NUL-terminated copy.
#pragma once

#include "slices/StrSlice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace conkit_test {

template <class T> T converted(conkit::StrSlice slice) {
    T out{};
    slice.toNumber(out);
    return out;
}

/// Equal values, or both NaN: NaN payloads are not carried over.
template <class T> bool sameNumber(T a, T b) {
    if constexpr (std::is_floating_point_v<T>) {
        if (std::isnan(a) || std::isnan(b)) {
            return std::isnan(a) && std::isnan(b) && std::signbit(a) == std::signbit(b);
        }
        return a == b && std::signbit(a) == std::signbit(b);
    } else {
        return a == b;
    }
}

/// Checks all eight conversions of `text` (any bytes) against the C library.
inline void expectLikeC(const std::string& text) {
    SCOPED_TRACE(testing::PrintToString(text));
    const conkit::StrSlice slice(text);
    const char* copy = text.c_str();
    const int i = std::atoi(copy);
    const long l = std::atol(copy);
    const double d = std::atof(copy);
    EXPECT_EQ(converted<short>(slice), static_cast<short>(i));
    EXPECT_EQ(converted<unsigned short>(slice), static_cast<unsigned short>(i));
    EXPECT_EQ(converted<int>(slice), i);
    EXPECT_EQ(converted<unsigned>(slice), static_cast<unsigned>(i));
    EXPECT_EQ(converted<long>(slice), l);
    EXPECT_EQ(converted<unsigned long>(slice), static_cast<unsigned long>(l));
    EXPECT_PRED2(sameNumber<double>, converted<double>(slice), d);
    EXPECT_PRED2(sameNumber<float>, converted<float>(slice), static_cast<float>(d));
}

} // namespace conkit_test
