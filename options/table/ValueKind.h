// What an option takes after its name: the one place that reads it from the
// option's fields.
#pragma once

#include "options/OptionParser.h"

namespace conkit::detail {

/// What a word that names an option takes after it.
enum class ValueKind : unsigned char {
    /// Nothing: the next word is a word of its own.
    none,
    /// A value: attached, or else the next word.
    required,
    /// A value only when attached (gnu); named alone, the implicit value.
    optional
};

/// What `option` takes: nothing without `needArg`, an optional value when it
/// was described so, else a value.
inline ValueKind valueKind(const OptionParser::Option& option) noexcept {
    if (!option.needArg) {
        return ValueKind::none;
    }
    return option.description().optionalValue ? ValueKind::optional : ValueKind::required;
}

/// True when the gnu syntax reads "--no-NAME" for `option`: it is negatable
/// and takes no value.
inline bool hasNegatedForm(const OptionParser::Option& option) noexcept {
    return option.description().negatable && valueKind(option) == ValueKind::none;
}

} // namespace conkit::detail
