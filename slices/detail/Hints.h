// Hints to the compiler on the layout of hot code.
#pragma once

#if defined(__GNUC__) || defined(__clang__)
/// Keeps a function out of its callers: for rare paths whose code would crowd
/// a hot loop's registers.
#define CONKIT_NOINLINE __attribute__((noinline))
/// `condition`, which is nearly always true: its code is laid out as the
/// straight path.
#define CONKIT_LIKELY(condition) __builtin_expect(static_cast<bool>(condition), 1)
/// `condition`, which is nearly always false: its code is kept off the path.
#define CONKIT_UNLIKELY(condition) __builtin_expect(static_cast<bool>(condition), 0)
#elif defined(_MSC_VER)
#define CONKIT_NOINLINE __declspec(noinline)
#define CONKIT_LIKELY(condition) (condition)
#define CONKIT_UNLIKELY(condition) (condition)
#else
#define CONKIT_NOINLINE
#define CONKIT_LIKELY(condition) (condition)
#define CONKIT_UNLIKELY(condition) (condition)
#endif
