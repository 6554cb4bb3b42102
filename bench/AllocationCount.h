// Counts heap allocations made through the global operator new, so a
// benchmark can report allocations per iteration.
#pragma once

#include <cstdint>

namespace conkit_bench {

/// Allocations so far in this process.
std::uint64_t allocationCount() noexcept;

} // namespace conkit_bench
