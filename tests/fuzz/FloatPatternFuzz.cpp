// Fuzzes the pattern renderer: the first ten bytes make the value (an 80-bit
// image, so NaNs, infinities and denormals come up too), the rest is the
// pattern.  Too long a pattern must raise the conversion error; nothing
// else may fail.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "numtext/ConvertError.h"
#include "numtext/FloatPattern.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 10) return 0;
    long double value = 0;
    std::memcpy(&value, data, 10);
    const std::string_view pattern(reinterpret_cast<const char*>(data + 10), size - 10);
    try {
        const std::string text = cvcalc::FormatFloatPattern(pattern, value);
        if (text.size() > 4 * pattern.size() + 64) std::abort();
    } catch (const cvcalc::EConvertError&) {
        if (pattern.size() <= 224) std::abort();
    }
    return 0;
}
