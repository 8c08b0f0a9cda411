// Comparison of names with ASCII letters folded, as the framework compares
// resource, property, component and class names.
#pragma once

#include <string_view>

namespace cvcalc {

constexpr char FoldAscii(char c) noexcept { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

constexpr bool SameTextAscii(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

}  // namespace cvcalc
