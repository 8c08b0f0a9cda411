// Restores the locale separators that a test changes.
#pragma once

#include "numtext/LocaleFormats.h"

namespace cvcalc::testing {

class LocaleGuard {
public:
    LocaleGuard(char decimal, char thousand) {
        LocaleDecimalSeparator = decimal;
        LocaleThousandSeparator = thousand;
    }
    ~LocaleGuard() {
        LocaleDecimalSeparator = decimal_;
        LocaleThousandSeparator = thousand_;
    }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

private:
    char decimal_ = LocaleDecimalSeparator;
    char thousand_ = LocaleThousandSeparator;
};

}  // namespace cvcalc::testing
