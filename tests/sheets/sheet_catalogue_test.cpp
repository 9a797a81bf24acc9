// Every sheet, driven from every one of its fields, checked against values
// computed here with exact rational arithmetic from the handbook's numbers,
// written out again below independently of the program's catalogue.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <string>
#include <vector>

#include "sheets/sheet_catalogue.h"
#include "sheets/sheet_routines.h"
#include "tests/support/headless_window.h"
#include "tests/support/shown_precision.h"

namespace vantrel {
namespace {

struct HandbookUnit {
    const char* field;
    int group;
    const char* scale;  // base units in one unit
};

struct HandbookSheet {
    const char* name;
    void (*recalc)(const FieldHost&);
    std::vector<HandbookUnit> units;
    std::vector<std::vector<mpq_class>> factors;  // [from group][to group]
};

// A decimal number text ("2,5E-3", "0.0167") as an exact rational.
mpq_class Exact(std::string text) {
    for (char& ch : text) {
        if (ch == ',') {
            ch = '.';
        }
    }
    long exponent = 0;
    if (const auto e = text.find_first_of("Ee"); e != std::string::npos) {
        exponent = std::stol(text.substr(e + 1));
        text.erase(e);
    }
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) {
        text.erase(0, 1);
    }
    if (const auto point = text.find('.'); point != std::string::npos) {
        exponent -= static_cast<long>(text.size() - point - 1);
        text.erase(point, 1);
    }
    mpq_class value(mpz_class(text, 10), 1);
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(exponent)));
    if (exponent >= 0) {
        value *= power;
    } else {
        value /= power;
    }
    value.canonicalize();
    return negative ? mpq_class(-value) : value;
}

std::vector<std::vector<mpq_class>> Factors(std::vector<std::vector<const char*>> rows) {
    std::vector<std::vector<mpq_class>> out;
    for (const auto& row : rows) {
        auto& outRow = out.emplace_back();
        for (const char* cell : row) {
            outRow.push_back(Exact(cell));
        }
    }
    return out;
}

// Pressure factors from the definitions of the base units in pascals.
std::vector<std::vector<mpq_class>> PressureFactors() {
    const std::vector<mpq_class> pascals{Exact("1"), Exact("9.80665"), Exact("133.322387415"),
                                         Exact("9.80665"), Exact("101325")};
    std::vector<std::vector<mpq_class>> out(pascals.size());
    for (std::size_t c = 0; c < pascals.size(); ++c) {
        for (const auto& to : pascals) {
            out[c].push_back(pascals[c] / to);
        }
    }
    return out;
}

const std::vector<HandbookSheet>& Handbook() {
    static const std::vector<HandbookSheet> sheets{
        {"VolumeFlow",
         RecalcVolumeFlow,
         {{"Edt_Gm_h", 0, "1000"},
          {"Edt_Gl_h", 0, "1"},
          {"Edt_Gm_m", 1, "1000"},
          {"Edt_Gl_m", 1, "1"},
          {"Edt_Gm_c", 2, "1000"},
          {"Edt_Gl_c", 2, "1"}},
         Factors({{"1", "0.0167", "0.000278"}, {"60", "1", "0.0167"}, {"3600", "60", "1"}})},
        {"SpecificHeat",
         RecalcSpecificHeat,
         {{"Edt_QGJ_k", 0, "1E9"},
          {"Edt_QMJ_k", 0, "1E6"},
          {"Edt_QkJ_k", 0, "1E3"},
          {"Edt_QJ_k", 0, "1"},
          {"Edt_QGk_k", 1, "1E9"},
          {"Edt_QMk_k", 1, "1E6"},
          {"Edt_Qkk_k", 1, "1E3"},
          {"Edt_Qk_k", 1, "1"}},
         Factors({{"1", "0.239"}, {"4.187", "1"}})},
        {"HeatFlow",
         RecalcHeatFlow,
         {{"Edt_QGW", 0, "1E9"},
          {"Edt_QMW", 0, "1E6"},
          {"Edt_QkW", 0, "1E3"},
          {"Edt_QW", 0, "1"},
          {"Edt_QGkh", 1, "1E9"},
          {"Edt_QMkh", 1, "1E6"},
          {"Edt_Qkkh", 1, "1E3"},
          {"Edt_Qkh", 1, "1"}},
         Factors({{"1", "860"}, {"0.001163", "1"}})},
        {"Heat",
         RecalcHeat,
         {{"Edt_QGJ", 0, "1E9"},
          {"Edt_QMJ", 0, "1E6"},
          {"Edt_QkJ", 0, "1E3"},
          {"Edt_QJ", 0, "1"},
          {"Edt_QGk", 1, "1E9"},
          {"Edt_QMk", 1, "1E6"},
          {"Edt_Qkk", 1, "1E3"},
          {"Edt_Qk", 1, "1"}},
         Factors({{"1", "0.239"}, {"4.187", "1"}})},
        {"Force",
         RecalcForce,
         {{"Edt_HGH", 0, "1E9"},
          {"Edt_HMH", 0, "1E6"},
          {"Edt_HkH", 0, "1E3"},
          {"Edt_HH", 0, "1"},
          {"Edt_HGg", 1, "1E9"},
          {"Edt_HMg", 1, "1E6"},
          {"Edt_Hkg", 1, "1E3"},
          {"Edt_Hg", 1, "1"}},
         Factors({{"1", "102"}, {"0.00981", "1"}})},
        {"Pressure",
         RecalcPressure,
         {{"Edt_PGPa", 0, "1E9"},
          {"Edt_PMPa", 0, "1E6"},
          {"Edt_PkPa", 0, "1E3"},
          {"Edt_PPa", 0, "1"},
          {"Edt_Pmvst", 1, "1E3"},
          {"Edt_Pmmvst", 1, "1"},
          {"Edt_Pmrtst", 2, "1E3"},
          {"Edt_Pmmrtst", 2, "1"},
          {"Edt_Pkg_mm", 3, "1E6"},
          {"Edt_Pkg_cm", 3, "1E4"},
          {"Edt_Pkg_m", 3, "1"},
          {"Edt_Patm", 4, "1"}},
         PressureFactors()},
    };
    return sheets;
}

// True when `shown` is `exact` rounded to the digits the text shows (the
// trailing zeros it dropped included), give or take the round-off of the
// computation: the source value and the factors held as doubles, the
// arithmetic in extended precision, within 1E-15 of the value.
testing::AssertionResult AgreesAtTheDigitsShown(const std::string& shown, const mpq_class& exact) {
    const mpq_class got = Exact(shown);
    if (exact == 0) {
        return got == 0 && shown == "0" ? testing::AssertionSuccess()
                                        : testing::AssertionFailure() << shown << " is not 0";
    }
    const stress::ShownPrecision precision = stress::PrecisionShown(shown);
    const mpq_class halfUnit = Exact("5E" + std::to_string(precision.lastPlace - 1));
    const mpq_class roundOff = abs(exact) * Exact("1E-15");
    const mpq_class error = abs(got - exact);
    if (error <= halfUnit + roundOff) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << shown << " differs from " << exact.get_d() << " by " << error.get_d()
           << ", more than half a unit in the last of " << precision.digits << " digits";
}

void PrintTo(const HandbookSheet& value, std::ostream* out) {
    *out << value.name;
}

class EverySourceField : public testing::TestWithParam<HandbookSheet> {};

TEST_P(EverySourceField, FillsEveryOtherFieldWithTheExactConversion) {
    const HandbookSheet& sheet = GetParam();
    const char* typed[] = {"1", "60", "2,5", "-7,25E2", "1E-3", "123456789", "0,000123", "0"};
    HeadlessWindow window(AllFieldNames());
    for (const HandbookUnit& source : sheet.units) {
        for (const char* text : typed) {
            window.Focus(source.field);
            window.Edit(source.field).Insert(text);
            sheet.recalc(window);
            const mpq_class inBase = Exact(text) * Exact(source.scale);
            for (const HandbookUnit& target : sheet.units) {
                if (&target == &source) {
                    EXPECT_EQ(window.Text(target.field), text);
                    continue;
                }
                const mpq_class expected =
                    inBase * sheet.factors[source.group][target.group] / Exact(target.scale);
                EXPECT_TRUE(AgreesAtTheDigitsShown(window.Text(target.field), expected))
                    << text << " in " << source.field << " -> " << target.field;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, EverySourceField, testing::ValuesIn(Handbook()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SheetCatalogue, HoldsFiftyDistinctFieldsInSixSheets) {
    const auto names = AllFieldNames();
    EXPECT_EQ(names.size(), 50u);
    EXPECT_EQ(AllSheets().size(), 6u);
    EXPECT_NO_THROW(HeadlessWindow{names});  // throws on a duplicate name
    std::size_t handbookUnits = 0;
    for (const auto& sheet : Handbook()) {
        handbookUnits += sheet.units.size();
    }
    EXPECT_EQ(handbookUnits, names.size());
}

TEST(SheetCatalogue, PressureFactorsAreTheNearestDoublesToTheDefinitions) {
    const auto exact = PressureFactors();
    for (std::size_t c = 0; c < exact.size(); ++c) {
        for (std::size_t j = 0; j < exact.size(); ++j) {
            const double stored = kPressure.Factor(c, j);
            // The nearest double lies within half an ulp of the exact ratio.
            const double ulp = std::nextafter(stored, 1e300) - stored;
            EXPECT_LE(abs(mpq_class(stored) - exact[c][j]), mpq_class(ulp) / 2)
                << "pressure factor [" << c << "][" << j << "]";
        }
    }
}

}  // namespace
}  // namespace vantrel
