#include "soak_harness.h"

#include <time.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string_view>
#include <vector>

namespace vantrel::stress {

namespace {

constexpr std::size_t kWarmKeystrokes = 1'000;

// Keystroke wall times in 10-microsecond steps up to 20 ms: a fixed array, so
// that keeping the distribution adds nothing to the memory being measured.
class Histogram {
public:
    void Add(std::int64_t ns) {
        ++counts_[std::min<std::size_t>(static_cast<std::size_t>(ns / kStepNs), kBuckets - 1)];
        ++total_;
    }
    // The upper edge of the step holding the given fraction of keystrokes, in ms.
    double Percentile(double fraction) const {
        std::size_t seen = 0;
        for (std::size_t b = 0; b < kBuckets; ++b) {
            seen += counts_[b];
            if (static_cast<double>(seen) >= fraction * static_cast<double>(total_)) {
                return static_cast<double>((b + 1) * kStepNs) / 1e6;
            }
        }
        return static_cast<double>(kBuckets * kStepNs) / 1e6;
    }

private:
    static constexpr std::int64_t kStepNs = 10'000;
    static constexpr std::size_t kBuckets = 2'000;
    std::array<std::size_t, kBuckets> counts_{};
    std::size_t total_ = 0;
};

bool UnderSanitizer() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

std::int64_t ThreadCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

}  // namespace

long ProcessStatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0) {
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
        }
    }
    return -1;
}

SoakOptions ParseSoakOptions(int argc, char** argv) {
    SoakOptions options;
    options.enforceLimits = !UnderSanitizer();
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto text = [&]() -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "%s needs a value\n", argv[i]);
                std::exit(2);
            }
            return argv[++i];
        };
        auto value = [&] { return std::strtoull(text(), nullptr, 10); };
        if (arg == "--keystrokes") {
            options.keystrokes = value();
        } else if (arg == "--check-every") {
            options.checkEvery = std::max<unsigned long long>(1, value());
        } else if (arg == "--seed") {
            options.seed = value();
        } else if (arg == "--max-ms") {
            options.maxKeystrokeMs = std::strtod(text(), nullptr);
        } else if (arg == "--no-time-limit") {
            options.enforceTime = false;
        } else if (arg == "--list-slow") {
            options.listSlow = true;
        } else if (arg == "--no-limits") {
            options.enforceLimits = false;
        }
    }
    return options;
}

int RunSoak(const std::string& name, const SoakOptions& options,
            const std::function<bool(std::size_t)>& keystroke,
            const std::function<std::string()>& check) {
    const auto noProgress = [](std::size_t) {};
    return RunSoak(name, options, keystroke, noProgress, check);
}

int RunSoak(const std::string& name, const SoakOptions& options,
            const std::function<bool(std::size_t)>& keystroke,
            const std::function<void(std::size_t)>& untimed,
            const std::function<std::string()>& check) {
    using Clock = std::chrono::steady_clock;
    std::int64_t slowestWallNs = 0;
    std::int64_t slowestCpuNs = 0;
    std::size_t slowestAt = 0;
    std::size_t checkpoints = 0;
    std::size_t boxes = 0;
    std::size_t overLimit = 0;
    static Histogram wallTimes;  // static: not on the stack, allocated before the first reading
    wallTimes = Histogram();
    std::int64_t slowestBoxWallNs = 0;
    std::int64_t slowestBoxCpuNs = 0;
    const auto limitNs = static_cast<std::int64_t>(options.maxKeystrokeMs * 1e6);
    // Keystrokes over the limit, in order; reserved before the first memory
    // reading so that keeping them does not count as growth.
    std::vector<std::size_t> slow;
    slow.reserve(4'096);
    long warmPeakKb = ProcessStatusKb("VmHWM");
    const auto started = Clock::now();

    for (std::size_t i = 0; i < options.keystrokes; ++i) {
        const std::int64_t cpu = ThreadCpuNs();
        const auto t = Clock::now();
        const bool raisedBox = keystroke(i);
        const std::int64_t wallNs =
            std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - t).count();
        const std::int64_t cpuNs = ThreadCpuNs() - cpu;
        untimed(i);
        if (raisedBox) {
            ++boxes;
            slowestBoxWallNs = std::max(slowestBoxWallNs, wallNs);
            slowestBoxCpuNs = std::max(slowestBoxCpuNs, cpuNs);
        } else {
            if (wallNs > slowestWallNs) {
                slowestWallNs = wallNs;
                slowestAt = i;
            }
            slowestCpuNs = std::max(slowestCpuNs, cpuNs);
            wallTimes.Add(wallNs);
            if (wallNs > limitNs) {
                ++overLimit;
                if (slow.size() < slow.capacity()) {
                    slow.push_back(i);
                }
                if (options.listSlow) {
                    std::printf("  slow keystroke %zu: %.3f ms wall, %.3f ms CPU: %s\n", i + 1,
                                wallNs / 1e6, cpuNs / 1e6,
                                options.describe ? options.describe(i).c_str() : "");
                }
            }
        }
        if (i + 1 == kWarmKeystrokes) {
            warmPeakKb = ProcessStatusKb("VmHWM");
        }
        if ((i + 1) % options.checkEvery == 0 || i + 1 == options.keystrokes) {
            ++checkpoints;
            if (const std::string fault = check(); !fault.empty()) {
                std::printf("%s: FAULT after keystroke %zu: %s\n", name.c_str(), i + 1,
                            fault.c_str());
                return 1;
            }
        }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    const long endPeakKb = ProcessStatusKb("VmHWM");
    const long growthKb = endPeakKb - warmPeakKb;

    std::printf("%s: %zu keystrokes in %.2f s, %zu checkpoints passed (seed %llu)\n", name.c_str(),
                options.keystrokes, seconds, checkpoints,
                static_cast<unsigned long long>(options.seed));
    std::printf("  slowest keystroke: %.3f ms wall (keystroke %zu), %.3f ms CPU; %zu over %g ms\n",
                slowestWallNs / 1e6, slowestAt + 1, slowestCpuNs / 1e6, overLimit,
                options.maxKeystrokeMs);
    std::printf("  keystroke wall time: median %.2f ms, 99%% %.2f ms, 99.9%% %.2f ms\n",
                wallTimes.Percentile(0.5), wallTimes.Percentile(0.99), wallTimes.Percentile(0.999));
    if (boxes > 0) {
        std::printf(
            "  %zu keystrokes raised an error box: slowest %.3f ms wall, %.3f ms CPU"
            " from the key press to the Enter that closed the box\n",
            boxes, slowestBoxWallNs / 1e6, slowestBoxCpuNs / 1e6);
    }
    std::printf("  peak RSS: %ld kB after %zu keystrokes, %ld kB at the end: growth %ld kB\n",
                warmPeakKb, kWarmKeystrokes, endPeakKb, growthKb);

    // Types the stream again from a fresh start, as many times as allowed,
    // keeping only the keystrokes that are over the limit every time.
    std::size_t confirmRuns = 0;
    // Too many slow keystrokes to keep is a miss without confirmation.
    const bool confirmable = overLimit == slow.size();
    if (options.enforceLimits && options.enforceTime && options.restart && confirmable) {
        for (; confirmRuns < options.confirmRuns && !slow.empty(); ++confirmRuns) {
            options.restart();
            std::size_t next = 0;  // the first keystroke of `slow` not yet passed
            std::size_t kept = 0;
            for (std::size_t i = 0; i < options.keystrokes && next < slow.size(); ++i) {
                const auto t = Clock::now();
                const bool raisedBox = keystroke(i);
                const std::int64_t wallNs =
                    std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - t).count();
                untimed(i);
                if (i == slow[next]) {
                    if (!raisedBox && wallNs > limitNs) {
                        slow[kept++] = i;
                    }
                    ++next;
                }
            }
            slow.resize(kept);
            // The stream is typed from the same seed, so a fault here is a
            // fault of the program, as in the first run.
            if (const std::string fault = check(); !fault.empty()) {
                std::printf("%s: FAULT in confirmation run %zu: %s\n", name.c_str(),
                            confirmRuns + 1, fault.c_str());
                return 1;
            }
        }
        if (confirmRuns > 0) {
            std::printf(
                "  typed again from a fresh start %zu time(s): %zu of the %zu keystrokes"
                " over %g ms were over it every time\n",
                confirmRuns, slow.size(), overLimit, options.maxKeystrokeMs);
            for (const std::size_t i : slow) {
                std::printf("  keystroke %zu is slow every time\n", i + 1);
            }
        }
    }
    std::printf("  rerun: %s --keystrokes %zu --seed %llu\n", name.c_str(), options.keystrokes,
                static_cast<unsigned long long>(options.seed));
    if (!options.enforceLimits) {
        std::printf("  limits not enforced (sanitizer build or --no-limits)\n");
        return 0;
    }
    bool ok = true;
    if (options.enforceTime && (!slow.empty() || !confirmable)) {
        std::printf("  MISSED: keystrokes took more than %g ms\n", options.maxKeystrokeMs);
        ok = false;
    }
    if (options.keystrokes > kWarmKeystrokes && growthKb >= options.maxGrowthKb) {
        std::printf("  MISSED: peak memory grew by %ld kB (limit %.0f kB)\n", growthKb,
                    options.maxGrowthKb);
        ok = false;
    }
    return ok ? 0 : 1;
}

}  // namespace vantrel::stress
