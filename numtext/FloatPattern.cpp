// The pattern renderer: pick the section, measure its placeholders,
// decompose the value to fit, then walk the section writing digits.
#include "numtext/FloatPattern.h"

#include <algorithm>
#include <cmath>

#include "numtext/ConvertError.h"
#include "numtext/FloatDigits.h"
#include "numtext/FloatFormat.h"
#include "numtext/LocaleFormats.h"
#include "platform/core/MessageTable.h"

namespace cvcalc {

namespace {

constexpr std::size_t MaxPatternLength = 224;
constexpr int NoDecimalLimit = 9999;

bool IsQuote(char c) { return c == '\'' || c == '"'; }

// The index just past the quoted text that starts at `i`; an unterminated
// quote runs to the end.
std::size_t SkipQuoted(std::string_view pattern, std::size_t i) {
    const std::size_t close = pattern.find(pattern[i], i + 1);
    return close == std::string_view::npos ? pattern.size() : close + 1;
}

// An exponent is "E" or "e" with a sign after it; the run of "0" and "#"
// that follows the sign is the exponent's own digit field.  The "0"s
// directly after the sign give the minimum count of exponent digits; a "0"
// behind a "#" adds none.  Returns the index past that field, or 0 when `i`
// does not start an exponent.
std::size_t ExponentEnd(std::string_view pattern, std::size_t i, int& minDigits) {
    if ((pattern[i] != 'E' && pattern[i] != 'e') || i + 1 >= pattern.size()) return 0;
    if (pattern[i + 1] != '+' && pattern[i + 1] != '-') return 0;
    std::size_t end = i + 2;
    while (end < pattern.size() && pattern[end] == '0') ++end;
    minDigits = static_cast<int>(end - (i + 2));
    while (end < pattern.size() && (pattern[end] == '0' || pattern[end] == '#')) ++end;
    return end;
}

// One section, `pattern` cut at its ";" or the pattern's end.
struct Section {
    std::string_view text;
    int digitCount = 0;
    int firstZero = -1;
    int lastZero = 0;
    int decimalIndex = -1;
    bool thousands = false;
    bool scientific = false;

    int IntRequired() const { return firstZero < 0 ? 0 : std::max(0, decimalIndex - firstZero); }
    int FracRequired() const { return std::min(0, decimalIndex - lastZero); }
};

// The sections' bounds, counting ";" outside quotes.  `index` is 0..2; an
// absent section is empty.
std::string_view SectionText(std::string_view pattern, int index) {
    std::size_t start = 0;
    std::size_t i = 0;
    int current = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (IsQuote(c)) {
            i = SkipQuoted(pattern, i);
        } else if (c == ';') {
            if (current == index) return pattern.substr(start, i - start);
            ++current;
            start = ++i;
        } else {
            ++i;
        }
    }
    return current == index ? pattern.substr(start) : std::string_view();
}

Section Analyse(std::string_view text) {
    Section s;
    s.text = text;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        int minDigits = 0;
        if (IsQuote(c)) {
            i = SkipQuoted(text, i);
            continue;
        }
        if (const std::size_t end = ExponentEnd(text, i, minDigits)) {
            s.scientific = true;
            i = end;
            continue;
        }
        if (c == '0' || c == '#') {
            if (c == '0') {
                if (s.firstZero < 0) s.firstZero = s.digitCount;
                s.lastZero = s.digitCount + 1;
            }
            ++s.digitCount;
        } else if (c == '.') {
            if (s.decimalIndex < 0) s.decimalIndex = s.digitCount;
        } else if (c == ',') {
            s.thousands = true;
        }
        ++i;
    }
    if (s.decimalIndex < 0) s.decimalIndex = s.digitCount;
    return s;
}

// Walks one section, writing the digits of `d`.
class SectionWriter {
public:
    SectionWriter(const Section& section, const FloatDigits& d, std::string& text)
        : section_(section), d_(d), text_(text), next_(d.Digits) {
        decimal_ = LocaleDecimalSeparator;
        thousand_ = LocaleThousandSeparator;
        // Only a scientific decomposition with no digit places can round to
        // nothing above the units; such a value is a zero for a plain section
        // too, not a row of zeros as long as its exponent.
        const int exponent = d.Digits[0] != '\0' ? d.DecimalExponent : std::min<int>(d.DecimalExponent, 0);
        if (section.scientific) {
            place_ = section.decimalIndex;
            delta_ = 0;
        } else {
            place_ = std::max(exponent, section.decimalIndex);
            delta_ = exponent - section.decimalIndex;
        }
    }

    void Write() {
        const std::string_view s = section_.text;
        std::size_t i = 0;
        while (i < s.size()) {
            const char c = s[i];
            int minDigits = 0;
            if (c == '0' || c == '#') {
                Placeholder();
                ++i;
            } else if (c == '.' || c == ',') {
                ++i;
            } else if (IsQuote(c)) {
                const std::size_t close = s.find(c, i + 1);
                if (close == std::string_view::npos) {
                    text_.append(s.substr(i + 1));
                    return;
                }
                text_.append(s.substr(i + 1, close - i - 1));
                i = close + 1;
            } else if (const std::size_t end = ExponentEnd(s, i, minDigits)) {
                const int exponent = d_.Digits[0] != '\0' ? d_.DecimalExponent - section_.decimalIndex : 0;
                AppendExponentSuffix(text_, c, exponent, s[i + 1] == '+', minDigits);
                i = end;
            } else {
                text_ += c;
                ++i;
            }
        }
    }

private:
    void Placeholder() {
        if (delta_ > 0) {
            for (int k = delta_ + 1; k > 0; --k) WriteDigit(NextDigit());
            delta_ = 0;
        } else if (delta_ < 0) {
            ++delta_;
            if (place_ <= section_.IntRequired())
                WriteDigit('0');
            else
                --place_;
        } else if (*next_ != '\0') {
            WriteDigit(*next_++);
        } else if (place_ > section_.FracRequired()) {
            WriteDigit('0');
        } else {
            --place_;
        }
    }

    char NextDigit() { return *next_ != '\0' ? *next_++ : '0'; }

    void WriteDigit(char digit) {
        if (place_ == 0) {
            if (decimal_ != '\0') text_ += decimal_;
            text_ += digit;
        } else {
            text_ += digit;
            if (section_.thousands && place_ > 1 && place_ % 3 == 1 && thousand_ != '\0') text_ += thousand_;
        }
        --place_;
    }

    const Section& section_;
    const FloatDigits& d_;
    std::string& text_;
    const char* next_;
    char decimal_;
    char thousand_;
    int place_;
    int delta_;
};

}  // namespace

std::string FormatFloatPattern(std::string_view pattern, long double value) {
    if (pattern.size() > MaxPatternLength) throw EConvertError(LoadMessage(msg::FormatTooLong));

    const std::string_view first = SectionText(pattern, 0);
    if (first.empty()) return FloatToGeneralText(value);
    // The sign bit chooses, so a negative zero asks for the negative section.
    const auto pick = [&](int index) {
        const std::string_view text = index == 0 ? first : SectionText(pattern, index);
        return text.empty() ? std::pair{first, 0} : std::pair{text, index};
    };
    auto [text, index] = pick(std::signbit(value) ? 1 : value == 0 ? 2 : 0);

    Section section = Analyse(text);
    const FloatDigits d = section.scientific ? DecomposeFloat(value, section.digitCount, NoDecimalLimit)
                                             : DecomposeFloat(value, 18, section.digitCount - section.decimalIndex);
    if (d.DecimalExponent == FloatDigitsInfinity || d.DecimalExponent == FloatDigitsNaN ||
        (!section.scientific && d.DecimalExponent > 18))
        return FloatToGeneralText(value);

    // A value that rounds to nothing is written by the zero section, with
    // the decomposition made for the section first chosen.
    if (d.Digits[0] == '\0') {
        const auto [zeroText, zeroIndex] = pick(2);
        if (zeroIndex != index) {
            section = Analyse(zeroText);
            index = zeroIndex;
        }
    }

    std::string result;
    result.reserve(pattern.size() + 32);
    if (d.Negative && index == 0) result += '-';
    SectionWriter(section, d, result).Write();
    return result;
}

}  // namespace cvcalc
