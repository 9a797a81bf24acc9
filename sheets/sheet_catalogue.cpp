#include "sheets/sheet_catalogue.h"

#include <array>

namespace vantrel {

namespace {

// The tables, and the sheets made of them, are rows to read against a units
// handbook, one unit or group to a line; naming every member in every row
// would bury the numbers.
// NOLINTBEGIN(modernize-use-designated-initializers)

// ---- Volume flow: groups by time unit, members by volume unit --------------
constexpr std::array kPerHour{
    CatalogueUnit{"Edt_Gm_h", "m3/h", 1000},
    CatalogueUnit{"Edt_Gl_h", "l/h", 1},
};
constexpr std::array kPerMinute{
    CatalogueUnit{"Edt_Gm_m", "m3/min", 1000},
    CatalogueUnit{"Edt_Gl_m", "l/min", 1},
};
constexpr std::array kPerSecond{
    CatalogueUnit{"Edt_Gm_c", "m3/s", 1000},
    CatalogueUnit{"Edt_Gl_c", "l/s", 1},
};
constexpr std::array kVolumeFlowGroups{
    CatalogueGroup{"l/h", kPerHour},
    CatalogueGroup{"l/min", kPerMinute},
    CatalogueGroup{"l/s", kPerSecond},
};
// The engineering time factors users know from their handbooks; the two
// directions are deliberately not exact reciprocals.
constexpr std::array kVolumeFlowFactors{
    //  to l/h   to l/min  to l/s
    1.0,    0.0167, 0.000278,  // from l/h
    60.0,   1.0,    0.0167,    // from l/min
    3600.0, 60.0,   1.0,       // from l/s
};

// ---- Specific heat capacity ------------------------------------------------
constexpr std::array kJoulePerKgDegree{
    CatalogueUnit{"Edt_QGJ_k", "GJ/(kg*C)", 1000000000},
    CatalogueUnit{"Edt_QMJ_k", "MJ/(kg*C)", 1000000},
    CatalogueUnit{"Edt_QkJ_k", "kJ/(kg*C)", 1000},
    CatalogueUnit{"Edt_QJ_k", "J/(kg*C)", 1},
};
constexpr std::array kCaloriePerKgDegree{
    CatalogueUnit{"Edt_QGk_k", "Gcal/(kg*C)", 1000000000},
    CatalogueUnit{"Edt_QMk_k", "Mcal/(kg*C)", 1000000},
    CatalogueUnit{"Edt_Qkk_k", "kcal/(kg*C)", 1000},
    CatalogueUnit{"Edt_Qk_k", "cal/(kg*C)", 1},
};
constexpr std::array kSpecificHeatGroups{
    CatalogueGroup{"J/(kg*C)", kJoulePerKgDegree},
    CatalogueGroup{"cal/(kg*C)", kCaloriePerKgDegree},
};

// Joules and calories, shared by the specific-heat and the heat sheets.
constexpr std::array kJouleCalorieFactors{
    //  to J    to cal
    1.0, 0.239,  // from J
    4.187, 1.0,  // from cal
};

// ---- Heat flow -------------------------------------------------------------
constexpr std::array kWatt{
    CatalogueUnit{"Edt_QGW", "GW", 1000000000},
    CatalogueUnit{"Edt_QMW", "MW", 1000000},
    CatalogueUnit{"Edt_QkW", "kW", 1000},
    CatalogueUnit{"Edt_QW", "W", 1},
};
constexpr std::array kCaloriePerHour{
    CatalogueUnit{"Edt_QGkh", "Gcal/h", 1000000000},
    CatalogueUnit{"Edt_QMkh", "Mcal/h", 1000000},
    CatalogueUnit{"Edt_Qkkh", "kcal/h", 1000},
    CatalogueUnit{"Edt_Qkh", "cal/h", 1},
};
constexpr std::array kHeatFlowGroups{
    CatalogueGroup{"W", kWatt},
    CatalogueGroup{"cal/h", kCaloriePerHour},
};
constexpr std::array kHeatFlowFactors{
    //  to W      to cal/h
    1.0, 860.0,     // from W
    0.001163, 1.0,  // from cal/h
};

// ---- Quantity of heat ------------------------------------------------------
constexpr std::array kJoule{
    CatalogueUnit{"Edt_QGJ", "GJ", 1000000000},
    CatalogueUnit{"Edt_QMJ", "MJ", 1000000},
    CatalogueUnit{"Edt_QkJ", "kJ", 1000},
    CatalogueUnit{"Edt_QJ", "J", 1},
};
constexpr std::array kCalorie{
    CatalogueUnit{"Edt_QGk", "Gcal", 1000000000},
    CatalogueUnit{"Edt_QMk", "Mcal", 1000000},
    CatalogueUnit{"Edt_Qkk", "kcal", 1000},
    CatalogueUnit{"Edt_Qk", "cal", 1},
};
constexpr std::array kHeatGroups{
    CatalogueGroup{"J", kJoule},
    CatalogueGroup{"cal", kCalorie},
};

// ---- Force -----------------------------------------------------------------
constexpr std::array kNewton{
    CatalogueUnit{"Edt_HGH", "GN", 1000000000},
    CatalogueUnit{"Edt_HMH", "MN", 1000000},
    CatalogueUnit{"Edt_HkH", "kN", 1000},
    CatalogueUnit{"Edt_HH", "N", 1},
};
constexpr std::array kGramForce{
    CatalogueUnit{"Edt_HGg", "Ggf", 1000000000},
    CatalogueUnit{"Edt_HMg", "Mgf", 1000000},
    CatalogueUnit{"Edt_Hkg", "kgf", 1000},
    CatalogueUnit{"Edt_Hg", "gf", 1},
};
constexpr std::array kForceGroups{
    CatalogueGroup{"N", kNewton},
    CatalogueGroup{"gf", kGramForce},
};
constexpr std::array kForceFactors{
    //  to N     to gf
    1.0, 102.0,    // from N
    0.00981, 1.0,  // from gf
};

// ---- Pressure --------------------------------------------------------------
constexpr std::array kPascal{
    CatalogueUnit{"Edt_PGPa", "GPa", 1000000000},
    CatalogueUnit{"Edt_PMPa", "MPa", 1000000},
    CatalogueUnit{"Edt_PkPa", "kPa", 1000},
    CatalogueUnit{"Edt_PPa", "Pa", 1},
};
constexpr std::array kWaterColumn{
    CatalogueUnit{"Edt_Pmvst", "m H2O", 1000},
    CatalogueUnit{"Edt_Pmmvst", "mm H2O", 1},
};
constexpr std::array kMercuryColumn{
    CatalogueUnit{"Edt_Pmrtst", "m Hg", 1000},
    CatalogueUnit{"Edt_Pmmrtst", "mm Hg", 1},
};
// The technical atmosphere is kgf/cm2; it lives here, not in the next group.
constexpr std::array kKgfPerArea{
    CatalogueUnit{"Edt_Pkg_mm", "kgf/mm2", 1000000},
    CatalogueUnit{"Edt_Pkg_cm", "kgf/cm2", 10000},
    CatalogueUnit{"Edt_Pkg_m", "kgf/m2", 1},
};
constexpr std::array kStandardAtmosphere{
    CatalogueUnit{"Edt_Patm", "atm", 1},
};
constexpr std::array kPressureGroups{
    CatalogueGroup{"Pa", kPascal},
    CatalogueGroup{"mm H2O", kWaterColumn},
    CatalogueGroup{"mm Hg", kMercuryColumn},
    CatalogueGroup{"kgf/m2", kKgfPerArea},
    CatalogueGroup{"atm", kStandardAtmosphere},
};
// [from][to] = P[from] / P[to] as the nearest double, where P is the base unit
// in pascals by definition: Pa 1, mm H2O 9.80665, mm Hg 133.322387415,
// kgf/m2 9.80665, atm 101325.
// clang-format off
constexpr std::array kPressureFactors{
    // to Pa         to mm H2O             to mm Hg               to kgf/m2             to atm
    1.0,             0.10197162129779283,  0.007500615758456564,  0.10197162129779283,  9.869232667160129e-06,   // from Pa
    9.80665,         1.0,                  0.07355591352766806,   1.0,                  9.678411053540587e-05,   // from mm H2O
    133.322387415,   13.5951,              1.0,                   13.5951,              0.0013157896611398965,   // from mm Hg
    9.80665,         1.0,                  0.07355591352766806,   1.0,                  9.678411053540587e-05,   // from kgf/m2
    101325.0,        10332.274527998858,   759.9998917256113,     10332.274527998858,   1.0,                     // from atm
};
// clang-format on

constexpr std::array<const SheetCatalogue*, 6> kAllSheets{
    &kVolumeFlow, &kSpecificHeat, &kHeatFlow, &kHeat, &kForce, &kPressure,
};

}  // namespace

const SheetCatalogue kVolumeFlow{"volume flow", kVolumeFlowGroups, kVolumeFlowFactors};
const SheetCatalogue kSpecificHeat{"specific heat capacity", kSpecificHeatGroups,
                                   kJouleCalorieFactors};
const SheetCatalogue kHeatFlow{"heat flow", kHeatFlowGroups, kHeatFlowFactors};
const SheetCatalogue kHeat{"quantity of heat", kHeatGroups, kJouleCalorieFactors};
const SheetCatalogue kForce{"force", kForceGroups, kForceFactors};
const SheetCatalogue kPressure{"pressure", kPressureGroups, kPressureFactors};
// NOLINTEND(modernize-use-designated-initializers)

std::span<const SheetCatalogue* const> AllSheets() {
    return kAllSheets;
}

std::vector<std::string_view> AllFieldNames() {
    std::vector<std::string_view> names;
    for (const SheetCatalogue* sheet : kAllSheets) {
        for (const CatalogueGroup& group : sheet->groups) {
            for (const CatalogueUnit& unit : group.units) {
                names.push_back(unit.field);
            }
        }
    }
    return names;
}

SheetTables MakeSheetTables(const SheetCatalogue& sheet, const FieldHost& host) {
    SheetTables tables;
    const std::size_t n = sheet.groups.size();
    tables.n = static_cast<int>(n);
    tables.GroupSizes.reserve(n);
    tables.FieldGrid.reserve(n);
    tables.UnitScales.reserve(n);
    tables.GroupFactors.reserve(n);
    for (std::size_t g = 0; g < n; ++g) {
        const CatalogueGroup& group = sheet.groups[g];
        tables.GroupSizes.push_back(static_cast<std::int32_t>(group.units.size()));
        auto& fields = tables.FieldGrid.emplace_back();
        auto& scales = tables.UnitScales.emplace_back();
        fields.reserve(group.units.size());
        scales.reserve(group.units.size());
        for (const CatalogueUnit& unit : group.units) {
            fields.push_back(&host.Field(unit.field));
            scales.push_back(unit.scale);
        }
        const auto row = sheet.factors.subspan(g * n, n);
        tables.GroupFactors.emplace_back(row.begin(), row.end());
    }
    return tables;
}

}  // namespace vantrel
