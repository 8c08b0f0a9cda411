// Truncation of an extended value to a 32-bit count or index, as the
// processor's integer store does it: a value that is not finite or lies
// outside the 32-bit range is an invalid operation.
#pragma once

#include <cstdint>

namespace cvcalc {

// Rounds towards zero; raises EInvalidOp for NaN, infinities and values
// whose integer part does not fit a 32-bit signed integer.
std::int32_t TruncateToInt32(long double value);

}  // namespace cvcalc
