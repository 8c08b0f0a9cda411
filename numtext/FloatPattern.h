// Rendering of a number under a format pattern such as "#,##0.0##" or
// "0.###E-00": digit placeholders, grouping, scientific notation, quoted text
// and up to three sections (positive; negative; zero).
#pragma once

#include <string>
#include <string_view>

namespace cvcalc {

// Raises EConvertError for a pattern of more than 224 characters.
std::string FormatFloatPattern(std::string_view pattern, long double value);

}  // namespace cvcalc
