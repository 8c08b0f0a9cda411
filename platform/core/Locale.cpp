// Locale queries through newlocale/nl_langinfo_l, so the process-wide C
// locale (which printf and Qt rely on) is never changed.
#include "platform/core/Locale.h"

#include <langinfo.h>
#include <locale.h>

#include <climits>

namespace cvcalc {

namespace {
class UserLocale {
public:
    UserLocale() : handle_(newlocale(LC_NUMERIC_MASK | LC_MONETARY_MASK, "", static_cast<locale_t>(nullptr))) {}
    ~UserLocale() {
        if (handle_ != static_cast<locale_t>(nullptr)) freelocale(handle_);
    }
    UserLocale(const UserLocale&) = delete;
    UserLocale& operator=(const UserLocale&) = delete;

    bool Valid() const { return handle_ != static_cast<locale_t>(nullptr); }
    std::string Text(nl_item item) const { return nl_langinfo_l(item, handle_); }
    int Flag(nl_item item) const { return static_cast<unsigned char>(*nl_langinfo_l(item, handle_)); }

private:
    locale_t handle_;
};

// The classic positive currency layouts: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
int CurrencyLayout(bool precedes, bool separated) { return (precedes ? 0 : 1) + (separated ? 2 : 0); }

// The classic negative currency layouts 0..15 from the POSIX sign position.
int NegativeCurrencyLayout(int signPosition, bool precedes, bool separated) {
    switch (signPosition) {
    case 0:  // parentheses
        return precedes ? (separated ? 14 : 0) : (separated ? 15 : 4);
    case 1:  // sign before everything
    case 3:  // sign just before the symbol
        if (precedes) return separated ? 9 : 1;
        if (signPosition == 1) return separated ? 8 : 5;
        return separated ? 13 : 6;
    case 2:  // sign after everything
        return precedes ? (separated ? 11 : 3) : (separated ? 10 : 7);
    default:  // 4: sign just after the symbol
        return precedes ? (separated ? 12 : 2) : (separated ? 10 : 7);
    }
}
}  // namespace

std::optional<std::string> QueryUserLocaleInfo(LocaleItem item) {
    const UserLocale locale;
    if (!locale.Valid()) return std::nullopt;
    std::string answer;
    switch (item) {
    case LocaleItem::DecimalSeparator:
        answer = locale.Text(RADIXCHAR);
        break;
    case LocaleItem::ThousandSeparator:
        answer = locale.Text(THOUSEP);
        break;
    case LocaleItem::CurrencySymbol:
        answer = locale.Text(CURRENCY_SYMBOL);
        break;
    case LocaleItem::CurrencyFormat:
    case LocaleItem::NegCurrencyFormat: {
        const bool negative = item == LocaleItem::NegCurrencyFormat;
        const int precedes = locale.Flag(negative ? N_CS_PRECEDES : P_CS_PRECEDES);
        const int separated = locale.Flag(negative ? N_SEP_BY_SPACE : P_SEP_BY_SPACE);
        if (precedes == CHAR_MAX || separated == CHAR_MAX) return std::nullopt;
        const int layout = negative ? NegativeCurrencyLayout(locale.Flag(N_SIGN_POSN), precedes != 0, separated != 0)
                                    : CurrencyLayout(precedes != 0, separated != 0);
        answer = std::to_string(layout);
        break;
    }
    }
    if (answer.empty()) return std::nullopt;
    return answer;
}

}  // namespace cvcalc
