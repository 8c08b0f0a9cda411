// Fuzzes the number scanner: any bytes, with and without a decimal comma.
// A text must be accepted or rejected without a fault, reading only its own
// bytes, and an accepted text must give a finite value: to the bit the one
// of the stepwise arithmetic wherever the accumulator holds the mantissa.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "numtext/FloatParse.h"
#include "numtext/LocaleFormats.h"
#include "tests/numtext/StepwiseScanModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the decimal separator.
    cvcalc::LocaleDecimalSeparator = (data[0] & 1) != 0 ? ',' : '.';
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    long double value = 0;
    if (cvcalc::ScanFloatText(text.c_str(), value)) {
        if (!std::isfinite(value)) std::abort();
        // An accepted text is well formed; under a decimal comma its only
        // comma is the separator.
        std::string plain = text.substr(0, text.find('\0'));
        for (char& c : plain)
            if (c == ',') c = '.';
        const std::optional<long double> stepwise = cvcalc::testing::StepwiseScanValue(plain);
        if (stepwise && std::memcmp(&*stepwise, &value, 10) != 0) std::abort();
    }
    long double parsed = 0;
    const bool ok = cvcalc::TryParseFloat(text, parsed);
    double narrow = 0;
    if (cvcalc::TryParseFloat(text, narrow) && !ok) std::abort();
    return 0;
}
