// A second, deliberately plain account of the scanner's arithmetic for the
// tests: digits accumulated as ten times the value plus the digit, each step
// rounded to the 80-bit format, then the decimal exponent applied through
// three table steps whose powers of ten come from strtold.
#pragma once

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

namespace cvcalc::testing {

inline long double TablePowerOfTen(unsigned k) { return std::strtold(("1e" + std::to_string(k)).c_str(), nullptr); }

// The value of a well-formed text ("." as decimal separator, an exponent of
// at most four digits), or nothing where an overflow of the accumulator or
// of the scaling rejects it.
inline std::optional<long double> StepwiseScanValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long double acc = 0;
    long n = 0;
    bool point = false;
    for (; i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            point = true;
            continue;
        }
        acc = acc * 10 + (text[i] - '0');
        if (point) --n;
    }
    if (std::isinf(acc)) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) n += std::atoi(text.c_str() + i + 1);
    if (n >= 5120) return std::nullopt;
    if (n <= -5120) {
        acc = 0;
    } else {
        const unsigned m = static_cast<unsigned>(std::labs(n));
        const long double steps[3] = {TablePowerOfTen(m % 32), TablePowerOfTen(32 * ((m / 32) % 16)),
                                      TablePowerOfTen(512 * (m / 512))};
        for (const long double step : steps) acc = n > 0 ? acc * step : acc / step;
    }
    if (std::isinf(acc)) return std::nullopt;
    return negative ? -acc : acc;
}

}  // namespace cvcalc::testing
