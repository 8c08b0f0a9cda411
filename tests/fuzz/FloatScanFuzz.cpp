// Fuzzes the number scanner: any bytes, with and without a decimal comma.
// A text must be accepted or rejected without a fault, reading only its own
// bytes, and an accepted text must give a finite value.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "numtext/FloatParse.h"
#include "numtext/LocaleFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the decimal separator.
    cvcalc::LocaleDecimalSeparator = (data[0] & 1) != 0 ? ',' : '.';
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    long double value = 0;
    if (cvcalc::ScanFloatText(text.c_str(), value) && !std::isfinite(value)) std::abort();
    long double parsed = 0;
    const bool ok = cvcalc::TryParseFloat(text, parsed);
    double narrow = 0;
    if (cvcalc::TryParseFloat(text, narrow) && !ok) std::abort();
    return 0;
}
