// The value of a variant-typed property: unassigned, null, or one of the
// scalar values a stream can carry.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace cvcalc {

struct TVariantNull {
    bool operator==(const TVariantNull&) const = default;
};

// Alternatives in order: unassigned, null, Boolean, 64-bit integer, float,
// 8-bit text, wide text.
using TVariant =
    std::variant<std::monostate, TVariantNull, bool, std::int64_t, long double, std::string, std::u16string>;

}  // namespace cvcalc
