// The number scanner.  Digits are gathered into an exact integer significand
// and a decimal exponent, and the value is formed with one rounding.
#include "numtext/FloatParse.h"

#include <cfenv>
#include <cmath>
#include <cstdint>

#include "numtext/ConvertError.h"
#include "numtext/LocaleFormats.h"
#include "numtext/PowersOfTen.h"
#include "platform/core/FloatControl.h"
#include "platform/core/MessageTable.h"

namespace cvcalc {

namespace {

// An unsigned 128-bit integer holds any 38 decimal digits; the digits after
// them are far below the 64-bit significand and only move the exponent.
constexpr int KeptDigits = 38;
// An exponent stops growing once it reaches this; a further digit is left
// over and makes the text no number.
constexpr int ExponentCutOff = 500;
// Up to 10^27 the power of ten is exact, so a significand of at most 64
// bits is scaled with one correctly rounded multiplication or division.
constexpr long long ExactPowerLimit = 27;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class DecimalAccumulator {
public:
    void Add(int digit, bool fraction) {
        if (significand_ == 0 && digit == 0) {
            // A leading zero only shifts the point.
            if (fraction) --exponent_;
        } else if (kept_ < KeptDigits) {
            significand_ = significand_ * 10 + static_cast<unsigned>(digit);
            ++kept_;
            if (fraction) --exponent_;
        } else if (!fraction) {
            ++exponent_;
        }
    }
    void AddExponent(long long e) { exponent_ += e; }

    long double Value() const {
        if (significand_ <= UINT64_MAX && exponent_ >= -ExactPowerLimit && exponent_ <= ExactPowerLimit) {
            const long double x = static_cast<long double>(static_cast<std::uint64_t>(significand_));
            const int n = static_cast<int>(exponent_);
            return n >= 0 ? x * PowersOfTenUnits[n] : x / PowersOfTenUnits[-n];
        }
        const long long clamped = exponent_ < -100000 ? -100000 : exponent_ > 100000 ? 100000 : exponent_;
        // The binary128 arithmetic may raise its flags in either unit;
        // whatever it leaves behind is undone here.
        std::fenv_t outer;
        std::fegetenv(&outer);
        std::fesetenv(FE_DFL_ENV);
        long double x = ScaleDecimalSignificand(significand_, static_cast<int>(clamped));
        FloatBarrier(x);
        std::fesetenv(&outer);
        return x;
    }

private:
    unsigned __int128 significand_ = 0;
    int kept_ = 0;
    long long exponent_ = 0;
};

// The syntax: returns false when the text is no number.
bool ReadNumber(const char* p, DecimalAccumulator& acc, bool& negative) {
    while (*p == ' ') ++p;
    negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    const char* const mantissa = p;
    for (; IsDigit(*p); ++p) acc.Add(*p - '0', false);
    // A NUL separator would match the terminator and step past it.
    const char decimal = LocaleDecimalSeparator;
    if (decimal != '\0' && *p == decimal) {
        for (++p; IsDigit(*p); ++p) acc.Add(*p - '0', true);
    }
    if (p == mantissa) return false;
    if ((*p & ~0x20) == 'E') {
        ++p;
        bool negativeExponent = false;
        if (*p == '+' || *p == '-') negativeExponent = *p++ == '-';
        int e = 0;
        while (IsDigit(*p) && e < ExponentCutOff) e = e * 10 + (*p++ - '0');
        acc.AddExponent(negativeExponent ? -e : e);
    }
    while (*p == ' ') ++p;
    return *p == '\0';
}

constexpr std::uint16_t X87Invalid = 0x01;
constexpr std::uint16_t X87Overflow = 0x08;
constexpr std::uint16_t X87Flags = 0x3F;
// All faults masked, 64-bit significand, round to nearest.
constexpr std::uint16_t ScanControlWord = 0x037F;
constexpr std::uint16_t ControlBits = 0x0F3F;

// The scan's floating-point environment.  The common text costs no more
// than reading the control and status words: the control word is loaded
// only when the caller's differs from the scan's, and the caller's sticky
// flags are put back only when the scan raised new ones.  The arithmetic of
// the fast path is x87 only, so the SSE state is never touched there.
class ScanEnvironment {
public:
    ScanEnvironment() noexcept {
        asm volatile("fnstcw %0" : "=m"(control_) : : "memory");
        asm volatile("fnstsw %0" : "=m"(status_) : : "memory");
        if ((control_ & ControlBits) != (ScanControlWord & ControlBits)) {
            const std::uint16_t ours = ScanControlWord;
            asm volatile("fldcw %0" : : "m"(ours) : "memory");
        }
    }
    ~ScanEnvironment() {
        std::uint16_t now;
        asm volatile("fnstsw %0" : "=m"(now) : : "memory");
        if ((now & X87Flags) != (status_ & X87Flags)) {
            // The x87 environment image: control word, then status word.
            struct {
                std::uint16_t control, pad0, status, pad1;
                std::uint32_t rest[5];
            } image;
            asm volatile("fnstenv %0" : "=m"(image) : : "memory");
            image.status = static_cast<std::uint16_t>((image.status & ~(X87Flags | 0x80 | 0x8000)) |
                                                      (status_ & (X87Flags | 0x80 | 0x8000)));
            asm volatile("fldenv %0" : : "m"(image) : "memory");
        }
        if ((control_ & ControlBits) != (ScanControlWord & ControlBits))
            asm volatile("fldcw %0" : : "m"(control_) : "memory");
    }
    ScanEnvironment(const ScanEnvironment&) = delete;
    ScanEnvironment& operator=(const ScanEnvironment&) = delete;

    // The x87 flags the scan raised that the caller did not have.
    std::uint16_t NewFlags() const noexcept {
        std::uint16_t now;
        asm volatile("fnstsw %0" : "=m"(now) : : "memory");
        return static_cast<std::uint16_t>(now & ~status_ & X87Flags);
    }

private:
    std::uint16_t control_;
    std::uint16_t status_;
};

bool HasInnerNul(const std::string& text) { return text.find('\0') != std::string::npos; }

// Rounds to the narrower type without leaving flags in the caller's
// environment; false when the value does not fit.
template <typename Narrow>
bool NarrowInto(long double wide, Narrow& value) {
    std::fenv_t caller;
    std::feholdexcept(&caller);
    volatile Narrow narrowed = static_cast<Narrow>(wide);
    const Narrow result = narrowed;
    std::fesetenv(&caller);
    if (std::isinf(result) && !std::isinf(wide)) return false;
    value = result;
    return true;
}

}  // namespace

bool ScanFloatText(const char* text, long double& value) noexcept {
    if (text == nullptr) return false;
    const ScanEnvironment environment;
    DecimalAccumulator acc;
    bool negative = false;
    if (!ReadNumber(text, acc, negative)) return false;
    long double result = acc.Value();
    if (negative) result = -result;
    FloatBarrier(result);
    // An overflow is the only fault digits can cause; its infinity shows it
    // even when the caller's overflow flag was already set.
    if ((environment.NewFlags() & (X87Invalid | X87Overflow)) != 0 || std::isinf(result)) return false;
    value = result;
    return true;
}

long double ParseFloat(const std::string& text) {
    long double value = 0;
    if (HasInnerNul(text) || !ScanFloatText(text.c_str(), value))
        throw EConvertError(LoadMessageFormatted(msg::InvalidFloat, {text}));
    return value;
}

bool TryParseFloat(const std::string& text, long double& value) {
    long double wide = 0;
    if (HasInnerNul(text) || !ScanFloatText(text.c_str(), wide)) return false;
    value = wide;
    return true;
}

bool TryParseFloat(const std::string& text, double& value) {
    long double wide = 0;
    if (HasInnerNul(text) || !ScanFloatText(text.c_str(), wide)) return false;
    return NarrowInto(wide, value);
}

bool TryParseFloat(const std::string& text, float& value) {
    long double wide = 0;
    if (HasInnerNul(text) || !ScanFloatText(text.c_str(), wide)) return false;
    return NarrowInto(wide, value);
}

}  // namespace cvcalc
