// Runs a keystroke soak and judges it: times every keystroke, reads the
// process's peak resident memory after the first 1,000 keystrokes and at the
// end, runs a checker at regular checkpoints, and prints what it measured and
// how to rerun it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace vantrel::stress {

struct SoakOptions {
    std::size_t keystrokes = 100'000;
    std::size_t checkEvery = 1'000;
    std::uint64_t seed = 1;
    double maxKeystrokeMs = 2.0;
    double maxGrowthKb = 1024.0;
    // Off under sanitizers, whose allocators and instrumentation make both
    // figures meaningless; faults are still fatal.
    bool enforceLimits = true;
    // --no-time-limit: judge memory and faults only, for loaded shared machines.
    bool enforceTime = true;
    // --list-slow: print every keystroke over the limit, described by this.
    bool listSlow = false;
    std::function<std::string(std::size_t)> describe;
    // Starts the program under test and the keystroke stream afresh. When
    // set, keystrokes over the time limit are confirmed by typing the whole
    // stream again up to `confirmRuns` times: only a keystroke that is slow in
    // every run counts. A shared machine preempts a keystroke at random (and a
    // virtual machine bills the lost time to the thread's CPU clock too); a
    // slow keystroke of the program is slow again from the same state.
    std::function<void()> restart;
    std::size_t confirmRuns = 2;
};

// Reads --keystrokes N, --check-every N, --seed N, --max-ms X, --no-limits,
// --no-time-limit and --list-slow.
SoakOptions ParseSoakOptions(int argc, char** argv);

// A memory figure of this process from /proc/self/status, in kB ("VmRSS",
// or "VmHWM": the kernel's high-water mark of resident memory); -1 if absent.
long ProcessStatusKb(const char* field);

// Runs `keystroke(i)` for i in [0, keystrokes) and `check()` every checkEvery
// keystrokes and after the last; a non-empty string from `check` is a fault.
// A keystroke that returns true raised a conversion-error box: its time holds
// the box's whole life, up to the Enter that closed it, so it is reported on
// its own line and not judged against the keystroke limit.
// Returns the process exit status: 0 when no fault and the limits hold.
int RunSoak(const std::string& name, const SoakOptions& options,
            const std::function<bool(std::size_t)>& keystroke,
            const std::function<std::string()>& check);
// The same, with `untimed(i)` run after each timed keystroke: bookkeeping
// such as a reference model that must not count against the window.
int RunSoak(const std::string& name, const SoakOptions& options,
            const std::function<bool(std::size_t)>& keystroke,
            const std::function<void(std::size_t)>& untimed,
            const std::function<std::string()>& check);

}  // namespace vantrel::stress
