// One recalculation of the pressure sheet (12 fields) through the headless
// window, against the floor it cannot go below: formatting the eleven results.
// Run: build/default/bench/vantrel_core_bench
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "sheets/sheet_catalogue.h"
#include "sheets/sheet_routines.h"
#include "tests/support/headless_window.h"
#include "toolkit/number_text.h"

namespace {

void RecalcPressureSheet(benchmark::State& state) {
    vantrel::HeadlessWindow window(vantrel::AllFieldNames());
    window.Focus("Edt_PMPa");
    vantrel::HeadlessField& source = window.Edit("Edt_PMPa");
    source.Insert("1,2345");
    for (auto _ : state) {
        // As after a keystroke: the sheet has not yet seen the source's text
        // (a text it has seen is not converted again).
        source.Settle({});
        vantrel::RecalcPressure(window);
        benchmark::ClobberMemory();
    }
    if (window.Text("Edt_PPa") != "1234500") {
        state.SkipWithError("the pressure sheet was not recalculated");
    }
}
BENCHMARK(RecalcPressureSheet);

// The eleven values the sheet writes for 1,2345 MPa, formatted and nothing else.
void FormatElevenValues(benchmark::State& state) {
    const std::array<long double, 11> values{
        0.0012345L,        1234.5L,           1234500.0L,        125883.166491400L,
        125.883166491400L, 9259.51013382460L, 9.25951013382460L, 0.125883166491400L,
        12.5883166491400L, 125883.166491400L, 12.1835677276342L,
    };
    for (auto _ : state) {
        for (const long double value : values) {
            std::string text = vantrel::FloatToStr(value);
            benchmark::DoNotOptimize(text);
        }
    }
}
BENCHMARK(FormatElevenValues);

}  // namespace

BENCHMARK_MAIN();
