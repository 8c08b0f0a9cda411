// The locale settings and their loading from the user's locale.
#include "numtext/LocaleFormats.h"

#include <string_view>

namespace cvcalc {

char LocaleDecimalSeparator = '.';
char LocaleThousandSeparator = ',';
std::string LocaleCurrencySymbol;
std::uint8_t LocaleCurrencyFormat = 0;
std::uint8_t LocaleNegCurrencyFormat = 0;

namespace {

// A separator is one byte.  An answer of several bytes cannot be one, so the
// default stands -- except for the space characters that many locales group
// thousands with (no-break, narrow no-break and thin space), which become a
// plain space rather than a comma that could be mistaken for the decimal
// separator.
char SeparatorFrom(const std::optional<std::string>& answer, char fallback) {
    if (!answer || answer->empty()) return fallback;
    if (answer->size() == 1) return (*answer)[0];
    static constexpr std::string_view SpaceLikes[] = {"\xC2\xA0", "\xE2\x80\xAF", "\xE2\x80\x89"};
    for (std::string_view space : SpaceLikes)
        if (*answer == space) return ' ';
    return fallback;
}

// A plain decimal integer; anything else, or a number that does not fit the
// byte, gives 0.
std::uint8_t SmallNumberFrom(const std::optional<std::string>& answer) {
    const std::string text = answer.value_or("0");
    if (text.empty() || text.size() > 3) return 0;
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        number = number * 10 + (c - '0');
    }
    return number <= 255 ? static_cast<std::uint8_t>(number) : 0;
}

}  // namespace

void LoadLocaleFormatsFrom(LocaleInfoQuery query) {
    const char decimal = SeparatorFrom(query(LocaleItem::DecimalSeparator), '.');
    char thousand = SeparatorFrom(query(LocaleItem::ThousandSeparator), ',');
    // A locale whose decimal separator is the default thousands separator
    // and which names no usable thousands separator of its own would write
    // 1234.5 as "1,234,5"; group with a space instead.
    if (thousand == decimal) thousand = decimal == ' ' ? ',' : ' ';
    LocaleDecimalSeparator = decimal;
    LocaleThousandSeparator = thousand;
    LocaleCurrencySymbol = query(LocaleItem::CurrencySymbol).value_or(std::string());
    LocaleCurrencyFormat = SmallNumberFrom(query(LocaleItem::CurrencyFormat));
    LocaleNegCurrencyFormat = SmallNumberFrom(query(LocaleItem::NegCurrencyFormat));
}

void LoadLocaleFormats() { LoadLocaleFormatsFrom(&QueryUserLocaleInfo); }

}  // namespace cvcalc
