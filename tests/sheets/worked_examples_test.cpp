// The texts a user reads after typing the handbook's worked examples.
#include <gtest/gtest.h>

#include <ostream>

#include <utility>
#include <vector>

#include "sheets/sheet_catalogue.h"
#include "sheets/sheet_routines.h"
#include "tests/support/headless_window.h"

namespace vantrel {
namespace {

struct WorkedExample {
    const char* name;
    void (*recalc)(const FieldHost&);
    const char* source;
    const char* typed;
    std::vector<std::pair<const char*, const char*>> shown;  // field, text
};

void PrintTo(const WorkedExample& value, std::ostream* out) {
    *out << value.name;
}

class WorkedExamples : public testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, ShowTheHandbookTexts) {
    const WorkedExample& example = GetParam();
    HeadlessWindow window(AllFieldNames());
    window.Focus(example.source);
    window.Edit(example.source).Insert(example.typed);
    example.recalc(window);
    for (const auto& [field, text] : example.shown) {
        EXPECT_EQ(window.Text(field), text) << field;
    }
}

INSTANTIATE_TEST_SUITE_P(Handbook, WorkedExamples,
                         testing::Values(WorkedExample{"HeatFlow1kW",
                                                       RecalcHeatFlow,
                                                       "Edt_QkW",
                                                       "1",
                                                       {{"Edt_QGW", "1E-6"},
                                                        {"Edt_QMW", "0,001"},
                                                        {"Edt_QW", "1000"},
                                                        {"Edt_QGkh", "0,00086"},
                                                        {"Edt_QMkh", "0,86"},
                                                        {"Edt_Qkkh", "860"},
                                                        {"Edt_Qkh", "860000"}}},
                                         WorkedExample{"Heat1kcal",
                                                       RecalcHeat,
                                                       "Edt_Qkk",
                                                       "1",
                                                       {{"Edt_QJ", "4187"},
                                                        {"Edt_QkJ", "4,187"},
                                                        {"Edt_QMJ", "0,004187"},
                                                        {"Edt_QGJ", "4,187E-6"},
                                                        {"Edt_Qk", "1000"},
                                                        {"Edt_QMk", "0,001"},
                                                        {"Edt_QGk", "1E-6"}}},
                                         WorkedExample{"Force1kgf",
                                                       RecalcForce,
                                                       "Edt_Hkg",
                                                       "1",
                                                       {{"Edt_HH", "9,81"},
                                                        {"Edt_HkH", "0,00981"},
                                                        {"Edt_HMH", "9,81E-6"},
                                                        {"Edt_HGH", "9,81E-9"},
                                                        {"Edt_Hg", "1000"},
                                                        {"Edt_HMg", "0,001"},
                                                        {"Edt_HGg", "1E-6"}}},
                                         WorkedExample{"VolumeFlow1m3PerHour",
                                                       RecalcVolumeFlow,
                                                       "Edt_Gm_h",
                                                       "1",
                                                       {{"Edt_Gl_h", "1000"},
                                                        {"Edt_Gl_m", "16,7"},
                                                        {"Edt_Gm_m", "0,0167"},
                                                        {"Edt_Gl_c", "0,278"},
                                                        {"Edt_Gm_c", "0,000278"}}},
                                         WorkedExample{"VolumeFlow60m3PerHour",
                                                       RecalcVolumeFlow,
                                                       "Edt_Gm_h",
                                                       "60",
                                                       {{"Edt_Gm_m", "1,002"},
                                                        {"Edt_Gl_m", "1002"},
                                                        {"Edt_Gl_h", "60000"},
                                                        {"Edt_Gl_c", "16,68"},
                                                        {"Edt_Gm_c", "0,01668"}}},
                                         WorkedExample{"Pressure1MPa",
                                                       RecalcPressure,
                                                       "Edt_PMPa",
                                                       "1",
                                                       {{"Edt_PGPa", "0,001"},
                                                        {"Edt_PkPa", "1000"},
                                                        {"Edt_PPa", "1000000"},
                                                        {"Edt_Pmmvst", "101971,6213"},
                                                        {"Edt_Pmvst", "101,9716213"},
                                                        {"Edt_Pmmrtst", "7500,6157585"},
                                                        {"Edt_Pmrtst", "7,5006157585"},
                                                        {"Edt_Pkg_m", "101971,6213"},
                                                        {"Edt_Pkg_cm", "10,19716213"},
                                                        {"Edt_Pkg_mm", "0,1019716213"},
                                                        {"Edt_Patm", "9,8692326672"}}},
                                         WorkedExample{
                                             "WaterColumn1mIs1000mm",
                                             RecalcPressure,
                                             "Edt_Pmvst",
                                             "1",
                                             {{"Edt_Pmmvst", "1000"}, {"Edt_PPa", "9806,65"}}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantrel
