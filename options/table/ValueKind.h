// What an option takes after its name: the one place that reads it from the
// option's fields.
#pragma once

#include "options/OptionParser.h"

namespace conkit::detail {

using ValueKind = OptionParser::Option::ValueKind;

/// What `option` takes: its recorded kind, which `needArg` mirrors for the
/// classic interface; a caller who changed `needArg` by hand is obeyed
/// (nothing without it, a value with it where none was recorded).
inline ValueKind valueKind(const OptionParser::Option& option) noexcept {
    if (!option.needArg) {
        return ValueKind::none;
    }
    return option.description().value == ValueKind::optional ? ValueKind::optional
                                                             : ValueKind::required;
}

/// Records that `option` takes `kind`, mirrored in `needArg`.
inline void setValueKind(OptionParser::Option::Description& described, bool& needArg,
                         ValueKind kind) noexcept {
    described.value = kind;
    needArg = kind != ValueKind::none;
}

/// True when the gnu syntax reads "--no-NAME" for `option`: it is negatable
/// and takes no value.
inline bool hasNegatedForm(const OptionParser::Option& option) noexcept {
    return option.description().negatable && valueKind(option) == ValueKind::none;
}

} // namespace conkit::detail
