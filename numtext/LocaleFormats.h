// The process-wide number settings of the user's locale, read by every
// conversion between numbers and text at the moment of the call.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/core/Locale.h"

namespace cvcalc {

extern char LocaleDecimalSeparator;
extern char LocaleThousandSeparator;
extern std::string LocaleCurrencySymbol;
extern std::uint8_t LocaleCurrencyFormat, LocaleNegCurrencyFormat;

// Where the settings come from: the user's locale in the program, a table
// in the tests.
using LocaleInfoQuery = std::optional<std::string> (*)(LocaleItem item);

// Fills the settings from `query`; every item the query does not answer
// keeps its default ('.', ',', "", 0, 0).
void LoadLocaleFormatsFrom(LocaleInfoQuery query);

// Fills the settings from the user's locale.
void LoadLocaleFormats();

}  // namespace cvcalc
