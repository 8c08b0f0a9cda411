// The user's locale, as the number conversions need it: the items are those
// of the classic locale-information query, answered from the POSIX locale
// that the environment selects (LC_ALL, LC_NUMERIC, LC_MONETARY, LANG).
#pragma once

#include <optional>
#include <string>

namespace cvcalc {

enum class LocaleItem {
    DecimalSeparator = 14,   // LOCALE_SDECIMAL
    ThousandSeparator = 15,  // LOCALE_STHOUSAND
    CurrencySymbol = 20,     // LOCALE_SCURRENCY
    CurrencyFormat = 27,     // LOCALE_ICURRENCY, a number as text
    NegCurrencyFormat = 28,  // LOCALE_INEGCURR, a number as text
};

// The locale's answer, or nothing when the locale gives none (an unknown
// locale, or an item it leaves empty such as the C locale's thousands
// separator).
std::optional<std::string> QueryUserLocaleInfo(LocaleItem item);

}  // namespace cvcalc
