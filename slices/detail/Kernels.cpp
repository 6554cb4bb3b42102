// The kernel table: the plain loops from the start, the processor's kernels
// once static objects are set up.
#include "slices/detail/Kernels.h"

#include "slices/detail/FoldCompare.h"
#include "slices/detail/TextSearch.h"

namespace conkit::detail {

namespace {

/// The plain loops never look at a block inline: no size reaches this.
constexpr std::size_t noBlock = static_cast<std::size_t>(-1);

constexpr Kernels plainKernels = {
    Vectors::scalar, noBlock,     scanExact,           scanLastExact,
    scanNoCase,      markNothing, compareFoldedScalar, compareSlicesScalar};

} // namespace

// A constant expression: set before any code runs, whatever the order in
// which static objects are set up.
Kernels kernelTable = plainKernels;

bool useKernels(Vectors level) noexcept {
    if (level > availableVectors()) {
        return false;
    }
    Kernels table = plainKernels;
    table.level = level;
    putTextKernels(level, table);
    putFoldKernels(level, table);
    kernelTable = table;
    return true;
}

namespace {

/// The processor's kernels, put in use while static objects are set up.
[[maybe_unused]] const bool processorKernels = useKernels(availableVectors());

} // namespace

} // namespace conkit::detail
