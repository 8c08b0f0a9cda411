// Loading the locale settings: the C locale's answers, and the fallbacks for
// answers that cannot be one-byte separators or small numbers.
#include <gtest/gtest.h>

#include <map>

#include "numtext/LocaleFormats.h"
#include "tests/numtext/LocaleGuard.h"

namespace cvcalc {
namespace {

// The answers the fake locale gives; an absent item is no answer.
std::map<LocaleItem, std::string> FakeAnswers;

std::optional<std::string> FakeQuery(LocaleItem item) {
    const auto found = FakeAnswers.find(item);
    if (found == FakeAnswers.end()) return std::nullopt;
    return found->second;
}

class LocaleFormatsTest : public ::testing::Test {
protected:
    void TearDown() override {
        FakeAnswers.clear();
        LoadLocaleFormatsFrom(&FakeQuery);
    }
    testing::LocaleGuard guard_{'.', ','};
};

TEST_F(LocaleFormatsTest, CLocaleGivesTheDefaults) {
    LocaleDecimalSeparator = ',';
    LocaleThousandSeparator = '.';
    LocaleCurrencySymbol = std::string(3, 'x');
    LoadLocaleFormats();  // the tests run under LC_ALL=C.UTF-8
    EXPECT_EQ(LocaleDecimalSeparator, '.');
    EXPECT_EQ(LocaleThousandSeparator, ',');
    EXPECT_EQ(LocaleCurrencySymbol, "");
}

TEST_F(LocaleFormatsTest, AnswersAndFallbacks) {
    using I = LocaleItem;
    const struct {
        std::map<LocaleItem, std::string> answers;
        char decimal;
        char thousand;
        const char* currency;
        int format;
        int negFormat;
    } cases[] = {
        {{}, '.', ',', "", 0, 0},
        {{{I::DecimalSeparator, ","},
          {I::ThousandSeparator, "."},
          {I::CurrencySymbol, "€"},
          {I::CurrencyFormat, "3"},
          {I::NegCurrencyFormat, "8"}},
         ',',
         '.',
         "€",
         3,
         8},
        // Several bytes are no separator; the usual grouping spaces become a
        // space so that a decimal comma is not grouped with commas.
        {{{I::DecimalSeparator, "ab"}, {I::ThousandSeparator, "\xE2\x80\x99"}}, '.', ',', "", 0, 0},
        {{{I::DecimalSeparator, ","}, {I::ThousandSeparator, "\xE2\x80\xAF"}}, ',', ' ', "", 0, 0},
        {{{I::DecimalSeparator, ","}}, ',', ' ', "", 0, 0},
        {{{I::CurrencyFormat, "x"}, {I::NegCurrencyFormat, "300"}}, '.', ',', "", 0, 0},
        {{{I::CurrencyFormat, "255"}, {I::NegCurrencyFormat, "-1"}}, '.', ',', "", 255, 0},
    };
    for (const auto& c : cases) {
        FakeAnswers = c.answers;
        LoadLocaleFormatsFrom(&FakeQuery);
        EXPECT_EQ(LocaleDecimalSeparator, c.decimal);
        EXPECT_EQ(LocaleThousandSeparator, c.thousand);
        EXPECT_EQ(LocaleCurrencySymbol, c.currency);
        EXPECT_EQ(LocaleCurrencyFormat, c.format);
        EXPECT_EQ(LocaleNegCurrencyFormat, c.negFormat);
    }
}

}  // namespace
}  // namespace cvcalc
