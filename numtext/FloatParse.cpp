// The number scanner.  Digits enter an 80-bit accumulator one at a time, ten
// times the accumulator plus the digit with each step rounded, and the
// decimal exponent is applied at the end through the power-of-ten tables.
// The last bit of a long or far-scaled number is therefore that arithmetic's,
// which is not always the correctly rounded one.
#include "numtext/FloatParse.h"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "numtext/ConvertError.h"
#include "numtext/LocaleFormats.h"
#include "numtext/PowersOfTen.h"
#include "platform/core/FloatControl.h"
#include "platform/core/MessageTable.h"

namespace cvcalc {

namespace {

// An exponent stops growing once it reaches this; a further digit is left
// over and makes the text no number.
constexpr int ExponentCutOff = 500;
// Above this, ten times the accumulator lies beyond the 80-bit range: the
// mantissa has some 4,932 digits after its leading zeros.
constexpr long double AccumulatorLimit = std::numeric_limits<long double>::max() / 10;
// Scaling by 10^n with |n| at this or more gives an infinity or a zero, so
// a decimal exponent further out changes nothing.
constexpr long long ScaleLimit = 5120;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What the syntax pass found.  A mantissa too long for the accumulator is
// no fault of the text: its value is formed again from `mantissa` by
// ExactValue.
struct ScannedNumber {
    long double accumulator = 0;
    long long fractionDigits = 0;
    int exponent = 0;
    bool negative = false;
    bool overlong = false;
    const char* mantissa = nullptr;
};

// The syntax and the accumulation: returns false when the text is no
// number.
bool ReadNumber(const char* p, char decimal, ScannedNumber& n) {
    while (*p == ' ') ++p;
    if (*p == '+' || *p == '-') n.negative = *p++ == '-';
    n.mantissa = p;
    long double acc = 0;
    for (; IsDigit(*p); ++p) {
        if (acc > AccumulatorLimit) {
            n.overlong = true;
            break;
        }
        acc = acc * 10 + (*p - '0');
    }
    while (IsDigit(*p)) ++p;
    // A NUL separator would match the terminator and step past it.
    if (decimal != '\0' && *p == decimal) {
        ++p;
        long long count = 0;
        for (; !n.overlong && IsDigit(*p); ++p) {
            if (acc > AccumulatorLimit) {
                n.overlong = true;
                break;
            }
            acc = acc * 10 + (*p - '0');
            ++count;
        }
        while (IsDigit(*p)) ++p;
        n.fractionDigits = count;
    }
    if (p == n.mantissa) return false;
    if ((*p & ~0x20) == 'E') {
        ++p;
        bool negativeExponent = false;
        if (*p == '+' || *p == '-') negativeExponent = *p++ == '-';
        int e = 0;
        while (IsDigit(*p) && e < ExponentCutOff) e = e * 10 + (*p++ - '0');
        n.exponent = negativeExponent ? -e : e;
    }
    while (*p == ' ') ++p;
    n.accumulator = acc;
    return *p == '\0';
}

// The value of a mantissa too long for the accumulator: its first 38
// significant digits as an exact integer, the rest only moving the decimal
// point, scaled with a single rounding.
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
    // An unsigned 128-bit integer holds any 38 decimal digits; the digits
    // after them are far below the 64-bit significand.
    static constexpr int KeptDigits = 38;

    unsigned __int128 significand_ = 0;
    int kept_ = 0;
    long long exponent_ = 0;
};

long double ExactValue(const ScannedNumber& n, char decimal) {
    DecimalAccumulator acc;
    const char* p = n.mantissa;
    for (; IsDigit(*p); ++p) acc.Add(*p - '0', false);
    if (decimal != '\0' && *p == decimal)
        for (++p; IsDigit(*p); ++p) acc.Add(*p - '0', true);
    acc.AddExponent(n.exponent);
    return acc.Value();
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
    const char decimal = LocaleDecimalSeparator;
    ScannedNumber n;
    if (!ReadNumber(text, decimal, n)) return false;
    long double result;
    if (n.overlong) {
        result = ExactValue(n, decimal);
    } else {
        const long long d = n.exponent - n.fractionDigits;
        // Within 31 decades the scaling is its first table step alone, done
        // here rather than through the call.
        if (d >= 0 && d < 32)
            result = n.accumulator * PowersOfTenUnits[static_cast<std::size_t>(d)];
        else if (d < 0 && d > -32)
            result = n.accumulator / PowersOfTenUnits[static_cast<std::size_t>(-d)];
        else
            result = ScaleByPowerOfTen(n.accumulator, static_cast<int>(d < -ScaleLimit ? -ScaleLimit : d));
    }
    if (n.negative) result = -result;
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
