#include "toolkit/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale>
#include <random>
#include <string>

#include "tests/support/shown_precision.h"
#include "toolkit/exceptions.h"

namespace vantrel {
namespace {

// A locale whose decimal point is ',' and one whose decimal point is '.', as
// the C library names them. The Windows build's C++ library knows no named
// locales (only "C"), so there the C library's locale alone changes.
#ifdef _WIN32
constexpr const char* kCommaLocale = "Russian_Russia.1251";
constexpr const char* kPointLocale = "English_United States.1252";
#else
constexpr const char* kCommaLocale = "ru_RU.UTF-8";
constexpr const char* kPointLocale = "en_US.UTF-8";
#endif

// Every number-text case runs under both: the texts must not depend on them.
class NumberTextUnderLocale : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        previous_ = std::setlocale(LC_ALL, nullptr);
        ASSERT_NE(std::setlocale(LC_ALL, GetParam()), nullptr)
            << GetParam() << " is not installed; tools/setup.sh generates it";
#ifndef _WIN32
        std::locale::global(std::locale(GetParam()));
#endif
        ASSERT_STREQ(std::localeconv()->decimal_point, IsCommaLocale() ? "," : ".");
    }
    void TearDown() override {
        std::setlocale(LC_ALL, previous_.c_str());
        std::locale::global(std::locale::classic());
    }
    bool IsCommaLocale() const {
        const std::string locale = GetParam();
        return locale == kCommaLocale;
    }

private:
    std::string previous_;
};

struct ParseCase {
    const char* text;
    long double value;
};

TEST_P(NumberTextUnderLocale, ReadsEveryTextAUserCanTypeOnTheWayToANumber) {
    const ParseCase cases[] = {
        {"1", 1.0L},       {"1,5", 1.5L},       {",5", 0.5L},           {"1,", 1.0L},
        {"1E", 1.0L},      {"1E-", 1.0L},       {"1E5", 1e5L},          {"1E-5", 1e-5L},
        {"-1E5", -1e5L},   {"2,5E-3", 2.5e-3L}, {"1e3", 1e3L},          {"+2", 2.0L},
        {" 12 ", 12.0L},   {"0", 0.0L},         {"0,1", 0.1L},          {"007", 7.0L},
        {"1E400", 1e400L}, {"1,E2", 100.0L},    {"1E0000000003", 1e3L},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(StrToFloat(text), value) << text;
    }
}

TEST_P(NumberTextUnderLocale, RefusesTextsThatAreNotNumbers) {
    const std::string refused[] = {
        "",      ",",    "E",    "-",    "E5",  "-E5",  ",E",   "1,,2",
        "1,2,3", "abc",  "1 2",  "nan",  "inf", "-inf", "1E5,", "--1",
        "1E--2", "1E5E", "0x10", "12кг", "٣",   "1\t2", "1E 5", "+-1",
    };
    for (const auto& text : refused) {
        EXPECT_THROW(StrToFloat(text), EConvertError) << text;
    }
}

// Beyond what a user types: numbers as a pasted spreadsheet cell or a line of
// a document brings them, and the neighbouring texts that must stay refused.
TEST_P(NumberTextUnderLocale, ReadsNumbersAsDocumentsAndSpreadsheetsWriteThem) {
    // Zero however written; 1E-400, which a long double holds (a double not).
    const ParseCase read[] = {
        {"12,5\n", 12.5L},
        {"\t 12,5\r\n", 12.5L},
        {"\u00A012,5\u202F", 12.5L},
        {"101.325", 101.325L},
        {".5", 0.5L},
        {"1 000 000", 1e6L},
        {"1\u00A0250,75", 1250.75L},
        {"2\u202F500\u202F000", 2.5e6L},
        {"12\u2009345.5", 12345.5L},
        {"\u22125,5", -5.5L},
        {"+5,5", 5.5L},
        {"1,5\u04153", 1500.0L},
        {"\u22122\u0435\u22123", -0.002L},
        {"-0", -0.0L},
        {"0,000E-99999", 0.0L},
        {"1E-400", 1e-400L},
    };
    for (const auto& [text, value] : read) {
        EXPECT_EQ(StrToFloat(text), value) << text;
        EXPECT_EQ(std::signbit(StrToFloat(text)), std::signbit(value)) << text;
    }
    const auto refusal = [](std::string_view text) -> std::string {
        try {
            StrToFloat(text);
        } catch (const EConvertError& error) {
            return error.what();
        }
        return "read as a number";
    };
    // With both ',' and '.' it could be a thousand or one.
    for (const char* text :
         {"1.000,5", "1,000.5", "1.000.000", "1 00", "1 0000", "1234 567", "1  000", "0,123 456",
          "12,5\n13", "12,5\t13", "- 5", "\u2212\u22125", "5\u2212", "\u00A0"}) {
        EXPECT_EQ(refusal(text), QuoteForMessage(text) + " не является числом");
    }
    for (const char* text : {"1E99999", "1 000E4930"}) {
        EXPECT_EQ(refusal(text), TooLargeError(text).what());
    }
    for (const char* text : {"1E-5000", "\u22121\u0435\u22125000"}) {
        EXPECT_EQ(refusal(text), TooSmallError(text).what());
    }
}

TEST_P(NumberTextUnderLocale, WritesAsManyDigitsAsFitAValueField) {
    const std::pair<long double, const char*> cases[] = {
        {1.0L, "1"},
        {1000.0L, "1000"},
        {860000.0L, "860000"},
        {0.00086L, "0,00086"},  // a tie in digits: fixed from 1E-5 up
        {1e-5L, "0,00001"},
        {9.81e-6L, "9,81E-6"},
        {1e-6L, "1E-6"},
        {-2.5L, "-2,5"},
        {0.0L, "0"},
        {-0.0L, "0"},
        {1.0L / 3.0L, "0,3333333333"},
        {-1.0L / 3.0L, "-0,333333333"},
        {1000.0L * 0.001163, "1,163"},  // binary noise of the factor stays hidden
        {1e6L / 101325, "9,8692326672"},
        {12345678901.0L, "12345678901"},
        {12345678901.5L, "12345678902"},  // halfway rounds to even
        {12345678902.5L, "12345678902"},
        // Integer digits that do not fit move into the exponent.
        {123456789012.0L, "1,2345679E11"},
        {-12345678901.0L, "-1,234568E10"},
        {860000000000000.0L, "8,6E14"},
        // The exponent form shows more digits than fixed would ("0,0001234568").
        {0.000123456789L, "1,2345679E-4"},
        {0.0123456789L, "0,0123456789"},
        {9.869232667160e-6L, "9,8692327E-6"},
        {-1.4358124560712e-10L, "-1,43581E-10"},
        // A carry adds a digit after the layout was chosen.
        {9.99999999996L, "10"},
        {99999999999.7L, "1E11"},
        {999999999999999.0L, "1E15"},
        {9.9999999999e99L, "1E100"},
        {-9.9999999999e-100L, "-1E-99"},
        {std::numeric_limits<double>::max(), "1,797693E308"},
        {-std::numeric_limits<double>::max(), "-1,79769E308"},
        {1e400L, "1E400"},
        {-4.5e-300L, "-4,5E-300"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(FloatToStr(value), text) << static_cast<double>(value);
    }
}

// Values of 1 to 19 significant digits (random ones, and nines that carry),
// both signs, from 1E-300 to 1E300 and a few only extended precision holds.
TEST_P(NumberTextUnderLocale, EveryTextFitsTheFieldWithTheDigitsThatFit) {
    const int exponents[] = {-4900, -300, -100, -99, -11, -10, -6, -5, -4,  -1,  0,
                             1,     5,    9,    10,  11,  14,  15, 99, 100, 300, 4900};
    std::mt19937 random(20260301);
    std::uniform_int_distribution<int> digit(0, 9);
    for (const int exponent : exponents) {
        for (int digits = 1; digits <= 19; ++digits) {
            for (const bool nines : {false, true}) {
                for (const char* sign : {"", "-"}) {
                    std::string mantissa = nines ? "9" : std::to_string(1 + digit(random) % 9);
                    for (int i = 1; i < digits; ++i) {
                        mantissa += nines ? '9' : static_cast<char>('0' + digit(random));
                    }
                    const std::string typed = sign + mantissa.substr(0, 1) + "," +
                                              mantissa.substr(1) + "E" + std::to_string(exponent);
                    const long double value = StrToFloat(typed);
                    const std::string text = FloatToStr(value);
                    SCOPED_TRACE(typed + " -> " + text);

                    EXPECT_LE(NumberTextWidth(text), kNumberTextBudget);
                    EXPECT_EQ(FloatToStr(StrToFloat(text)), text);
                    // Within half a unit of the last digit the field had room
                    // for: no digit left out that would have fit, and no
                    // integer digit or exponent hidden.
                    const long double shown = StrToFloat(text);
                    EXPECT_LE(std::fabs(shown - value),
                              stress::HalfUnitShown(text) + std::fabs(value) * 1e-18L);
                    // At least 7 significant digits (6 when negative) are
                    // right while the exponent has two digits at most.
                    if (std::abs(exponent) < 99) {
                        const int kept = *sign == '-' ? 6 : 7;
                        EXPECT_LE(std::fabs(shown - value),
                                  0.5L * std::pow(10.0L, exponent - kept + 1) +
                                      std::fabs(value) * 1e-18L);
                    }
                }
            }
        }
    }
}

TEST_P(NumberTextUnderLocale, EveryWrittenTextReadsBackToTheSameText) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<long double> mantissa(1.0L, 10.0L);
    std::uniform_int_distribution<int> exponent(-320, 320);
    for (int i = 0; i < 20000; ++i) {
        long double x = mantissa(random);
        for (int e = exponent(random); e != 0; e += e > 0 ? -1 : 1) {
            x = e > 0 ? x * 10 : x / 10;
        }
        if (i % 2 == 1) {
            x = -x;
        }
        const std::string text = FloatToStr(x);
        ASSERT_EQ(FloatToStr(StrToFloat(text)), text) << static_cast<double>(x);
        ASSERT_LE(NumberTextWidth(text), kNumberTextBudget) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberTextUnderLocale,
                         testing::Values(kCommaLocale, kPointLocale), [](const auto& info) {
                             return std::string(info.param) == kCommaLocale ? "CommaLocale"
                                                                            : "PointLocale";
                         });

TEST(ConversionErrorMessage, QuotesAtMostFortyCharactersOfTheText) {
    const std::string megabyte(1 << 20, 'x');
    try {
        StrToFloat(megabyte);
        FAIL() << "a megabyte of letters was read as a number";
    } catch (const EConvertError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("«" + std::string(40, 'x') + "…»"), std::string::npos) << message;
        EXPECT_LT(message.size(), 120u);
    }
    // Cyrillic is cut on a character boundary, never inside one.
    const std::string cyrillic = std::string(45, 'a').replace(38, 7, "жжжжжжж");
    EXPECT_EQ(QuoteForMessage(cyrillic), "«" + std::string(38, 'a') + "жж…»");
    EXPECT_EQ(QuoteForMessage("abc"), "«abc»");
}

TEST(ConversionErrorMessage, TooLargeForExtendedPrecisionIsRefused) {
    EXPECT_THROW(StrToFloat("1E99999"), EConvertError);
    EXPECT_THROW(StrToFloat(std::string(1 << 20, '9')), EConvertError);
}

TEST(AnsiPos, FindsTheFirstOccurrenceCaseSensitively) {
    EXPECT_EQ(AnsiPos(",", "1,5,"), 2);
    EXPECT_EQ(AnsiPos("E", "1e5"), 0);
    EXPECT_EQ(AnsiPos("e", "1e5"), 2);
    EXPECT_EQ(AnsiPos("-", ""), 0);
}

}  // namespace
}  // namespace vantrel
