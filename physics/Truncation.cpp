// Checked truncation for the counts and indices of the junction model.
#include "physics/Truncation.h"

#include <cmath>

#include "platform/core/RuntimeFaults.h"

namespace cvcalc {

std::int32_t TruncateToInt32(long double value) {
    const long double whole = std::trunc(value);
    // The comparisons are false for NaN, so NaN falls through to the error.
    if (whole >= -2147483648.0L && whole <= 2147483647.0L) return static_cast<std::int32_t>(whole);
    throw EInvalidOp();
}

}  // namespace cvcalc
