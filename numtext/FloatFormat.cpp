// The renderers behind FormatFloatKind, reading the locale's separators once
// per call.
#include "numtext/FloatFormat.h"

#include <algorithm>
#include <cstring>

#include "numtext/FloatDigits.h"
#include "numtext/LocaleFormats.h"

namespace cvcalc {

namespace {

constexpr int NoDecimalLimit = 9999;

struct Separators {
    char decimal;
    char thousand;
};

// A NUL separator means "none": the text never carries a NUL character.
void AppendSeparator(std::string& text, char separator) {
    if (separator != '\0') text += separator;
}

// The digits of `d` one at a time, zeros once they run out.
class DigitReader {
public:
    explicit DigitReader(const FloatDigits& d) : next_(d.Digits) {}
    char Next() { return *next_ != '\0' ? *next_++ : '0'; }
    bool Exhausted() const { return *next_ == '\0'; }
    const char* Rest() const { return next_; }

private:
    const char* next_;
};

bool AppendSpecial(std::string& text, const FloatDigits& d) {
    if (d.DecimalExponent == FloatDigitsInfinity) {
        text += d.Negative ? "-INF" : "INF";
        return true;
    }
    if (d.DecimalExponent == FloatDigitsNaN) {
        text += "NAN";
        return true;
    }
    return false;
}

void AppendGeneral(std::string& text, const FloatDigits& d, int precision, int digits, Separators sep) {
    if (d.Negative) text += '-';
    const int exponent = d.DecimalExponent;
    const std::size_t count = std::strlen(d.Digits);
    if (exponent > precision || exponent < -3) {
        text += d.Digits[0] != '\0' ? d.Digits[0] : '0';
        if (count > 1) {
            AppendSeparator(text, sep.decimal);
            text.append(d.Digits + 1, count - 1);
        }
        AppendExponentSuffix(text, 'E', exponent - 1, false, digits >= 0 && digits <= 4 ? digits : 1);
    } else if (exponent <= 0) {
        text += '0';
        if (count > 0) {
            AppendSeparator(text, sep.decimal);
            text.append(static_cast<std::size_t>(-exponent), '0');
            text.append(d.Digits, count);
        }
    } else {
        const std::size_t integerDigits = static_cast<std::size_t>(exponent);
        if (count <= integerDigits) {
            text.append(d.Digits, count);
            text.append(integerDigits - count, '0');
        } else {
            text.append(d.Digits, integerDigits);
            AppendSeparator(text, sep.decimal);
            text.append(d.Digits + integerDigits, count - integerDigits);
        }
    }
}

void AppendExponentForm(std::string& text, const FloatDigits& d, int precision, int digits, Separators sep) {
    if (d.Negative) text += '-';
    DigitReader reader(d);
    text += reader.Next();
    AppendSeparator(text, sep.decimal);
    for (int i = 1; i < precision; ++i) text += reader.Next();
    const int exponent = d.Digits[0] != '\0' ? d.DecimalExponent - 1 : 0;
    AppendExponentSuffix(text, 'E', exponent, true, digits >= 0 && digits <= 4 ? digits : 1);
}

void AppendFixed(std::string& text, const FloatDigits& d, int decimals, bool grouped, Separators sep) {
    if (d.Negative) text += '-';
    const int exponent = d.DecimalExponent;
    DigitReader reader(d);
    if (exponent <= 0) {
        text += '0';
    } else {
        for (int place = exponent; place > 0; --place) {
            text += reader.Next();
            if (grouped && place > 1 && place % 3 == 1) AppendSeparator(text, sep.thousand);
        }
    }
    if (decimals <= 0) return;
    AppendSeparator(text, sep.decimal);
    int written = 0;
    if (exponent < 0) {
        const int zeros = std::min(-exponent, decimals);
        text.append(static_cast<std::size_t>(zeros), '0');
        written = zeros;
    }
    for (; written < decimals; ++written) text += reader.Next();
}

}  // namespace

void AppendExponentSuffix(std::string& text, char letter, int exponent, bool plusSign, int minDigits) {
    text += letter;
    if (exponent < 0)
        text += '-';
    else if (plusSign)
        text += '+';
    char buffer[12];
    int length = 0;
    unsigned magnitude = exponent < 0 ? 0u - static_cast<unsigned>(exponent) : static_cast<unsigned>(exponent);
    do {
        buffer[length++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    for (int pad = std::clamp(minDigits, 0, 4) - length; pad > 0; --pad) text += '0';
    while (length > 0) text += buffer[--length];
}

std::string FormatFloatKind(long double value, FloatTextKind kind, int precision, int digits) {
    const Separators sep{LocaleDecimalSeparator, LocaleThousandSeparator};
    precision = std::clamp(precision, 2, 18);
    const bool fixed = kind == FloatTextKind::Fixed || kind == FloatTextKind::Number;
    if (fixed) digits = std::clamp(digits, 0, 18);
    const FloatDigits d = DecomposeFloat(value, precision, fixed ? digits : NoDecimalLimit);

    std::string text;
    if (AppendSpecial(text, d)) return text;
    if (kind == FloatTextKind::Exponent) {
        AppendExponentForm(text, d, precision, digits, sep);
    } else if (fixed && d.DecimalExponent <= precision) {
        AppendFixed(text, d, digits, kind == FloatTextKind::Number, sep);
    } else {
        AppendGeneral(text, d, precision, digits, sep);
    }
    return text;
}

std::string FloatToGeneralText(long double value) { return FormatFloatKind(value, FloatTextKind::General, 15, 0); }

}  // namespace cvcalc
