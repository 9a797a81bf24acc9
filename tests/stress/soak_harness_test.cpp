// The soak's judgement of keystroke times: a keystroke counts as slow only
// when it is slow again after a fresh start; without a way to start afresh,
// one slow keystroke is enough; a keystroke that raised an error box and a
// fault found by the checker are judged as the soak promises.
#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <ostream>
#include <set>
#include <string>
#include <thread>

#include "soak_harness.h"

namespace vantrel::stress {
namespace {

constexpr auto kSlow = std::chrono::milliseconds(4);  // twice the 2 ms limit

struct Case {
    const char* name;
    std::set<std::size_t> slowEveryRun;  // keystrokes slow in every run
    std::set<std::size_t> slowFirstRun;  // slow in the first run only, as if preempted
    std::set<std::size_t> raiseBox;      // keystrokes that raise an error box
    bool canRestart;
    int expectedStatus;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// Whether a keystroke that the soak judges (one without an error box) was slow.
bool AnyJudgedSlow(const Case& c) {
    for (const auto* slow : {&c.slowEveryRun, &c.slowFirstRun}) {
        for (const std::size_t i : *slow) {
            if (c.raiseBox.count(i) == 0) {
                return true;
            }
        }
    }
    return false;
}

class SoakJudgement : public testing::TestWithParam<Case> {};

TEST_P(SoakJudgement, CountsOnlyKeystrokesSlowEveryTime) {
    const Case& c = GetParam();
    SoakOptions options;
    options.keystrokes = 30;
    options.checkEvery = 10;
    std::size_t runs = 1;
    if (c.canRestart) {
        options.restart = [&] { ++runs; };
    }
    const int status = RunSoak(
        c.name, options,
        [&](std::size_t i) {
            if (c.slowEveryRun.count(i) > 0 || (runs == 1 && c.slowFirstRun.count(i) > 0)) {
                std::this_thread::sleep_for(kSlow);
            }
            return c.raiseBox.count(i) > 0;
        },
        [] { return std::string(); });
    EXPECT_EQ(status, c.expectedStatus);
    if (c.canRestart && AnyJudgedSlow(c)) {
        EXPECT_GT(runs, 1U) << "slow keystrokes must be typed again";
    } else {
        EXPECT_EQ(runs, 1U);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SoakJudgement,
    testing::Values(Case{"all_fast", {}, {}, {}, true, 0},
                    Case{"slow_every_run", {5}, {}, {}, true, 1},
                    Case{"preempted_once", {}, {7, 21}, {}, true, 0},
                    Case{"one_slow_among_preempted", {21}, {3, 7}, {}, true, 1},
                    Case{"no_fresh_start_possible", {}, {7}, {}, false, 1},
                    Case{"error_box_not_judged", {12}, {}, {12}, true, 0}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(SoakJudgement, CheckerFaultFailsTheRun) {
    SoakOptions options;
    options.keystrokes = 30;
    options.checkEvery = 10;
    std::size_t checks = 0;
    const int status = RunSoak(
        "fault", options, [](std::size_t) { return false; },
        [&] { return ++checks == 2 ? std::string("field differs") : std::string(); });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(checks, 2U) << "the run stops at the first fault";
}

TEST(SoakJudgement, NoTimeLimitIgnoresSlowKeystrokes) {
    SoakOptions options;
    options.keystrokes = 5;
    options.enforceTime = false;
    const int status = RunSoak(
        "untimed", options,
        [](std::size_t i) {
            if (i == 2) {
                std::this_thread::sleep_for(kSlow);
            }
            return false;
        },
        [] { return std::string(); });
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace vantrel::stress
