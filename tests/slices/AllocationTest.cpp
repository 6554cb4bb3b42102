// Slices and tokenizers never touch the heap: a counting global allocator
// watches every operation.
#include "slices/StrSlice.h"
#include "tests/slices/reference/NumberModel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>
#include <string>

namespace {
std::atomic<long> allocations{0};
} // namespace

// g++ 12 takes free() on what this operator new returned for a mismatch when
// it optimises; both sides are malloc and free here.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size != 0 ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace {

using conkit::StrSlice;

TEST(AllocationTest, SliceAndTokenizerOperations) {
    // Long inputs too: conversion and search must not fall back to a heap copy.
    std::string digits(1 << 20, '7');
    digits[0] = '-';
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        text += "alpha, Beta,,gamma\t";
    }
    const StrSlice slice(text);
    const StrSlice number(digits);
    std::size_t total = 0; // keeps every result alive
    const auto sink = [&total](auto value) { total += static_cast<std::size_t>(value); };
    const long before = allocations.load();

    StrSlice head;
    StrSlice tail;
    StrSlice token;
    sink(slice.find('g', 3) + slice.find("gamma", 1) + slice.rfind('B') + slice.rfind("Beta", 2));
    sink(slice.find(number, 1) + slice.rfind(StrSlice("ga")) + slice.findNoCase("GAMMA", 3));
    sink(int(slice.contains('\t')) + int(slice.contains("Beta")) + int(slice.trim().size()));
    sink(slice.compare("alpha") + slice.compareNoCase(number) + int(slice == number));
    sink(int(slice.hasPrefix("alp")) + int(slice.hasSuffix("\t")) + int(slice.isDigits()));
    sink(slice.substr(3, 9).size() + slice.subRange(2, 99).size());
    sink(slice.split(',', head, tail) + slice.split(", ", head, tail));
    sink(int(slice.between('B', ',', head)) + int(slice.between("al", "ga", head)));
    sink(std::hash<StrSlice>()(slice));
    for (StrSlice field : conkit::CharSplitter(slice, ',')) {
        sink(field.size());
    }
    conkit::StrSplitter words(slice, ", ");
    while (words.next(token)) {
        sink(token.size());
    }
    for (StrSlice word : conkit::BlankSplitter(slice)) {
        sink(word.size());
    }
    const conkit_test::Converted converted = conkit_test::convertAll(number);
    int i = 0;
    double checked = 0;
    float checkedFloat = 0;
    sink(int(number.parseNumber(i)) + int(number.parseNumber(checked)));
    sink(int(StrSlice("0x1.8p3").parseNumber(checked)) + int(number.parseNumber(checkedFloat)));

    EXPECT_EQ(allocations.load(), before);
    EXPECT_NE(total, 0U);
    EXPECT_EQ(converted.d, -std::numeric_limits<double>::infinity()); // the work really ran
}

} // namespace
