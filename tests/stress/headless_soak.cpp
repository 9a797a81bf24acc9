// The keystroke soak against the headless window: the same keystroke stream
// the window soak types, through the keystroke filter and the sheet routines,
// with every sheet checked against the engine's rules at each checkpoint.
#include <cstddef>
#include <cstdio>
#include <optional>
#include <vector>

#include "keystroke_plan.h"
#include "sheets/sheet_catalogue.h"
#include "soak_harness.h"
#include "tests/support/typing_session.h"

int main(int argc, char** argv) {
    using namespace vantrel;
    using namespace vantrel::stress;
    SoakOptions options = ParseSoakOptions(argc, argv);

    const SheetFieldCounts sheets = CountSheetFields();

    // The session refers to its own window, so a fresh start builds it anew.
    std::optional<TypingSession> session;
    session.emplace();
    KeystrokePlan plan(sheets.fields, options.seed);
    std::optional<std::size_t> firstRunRefusals;
    options.restart = [&] {
        firstRunRefusals = firstRunRefusals.value_or(session->Refusals());
        session.emplace();
        plan = KeystrokePlan(sheets.fields, options.seed);
    };
    const int status = RunSoak(
        "headless_soak", options,
        [&](std::size_t) {
            TypeInto(*session, plan.Next(), sheets);
            return false;  // the headless window shows no error box
        },
        [&] { return session->Check(); });
    std::printf("  %zu keystrokes refused with a conversion error\n",
                firstRunRefusals.value_or(session->Refusals()));
    return status;
}
