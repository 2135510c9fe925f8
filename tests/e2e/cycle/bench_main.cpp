// zenvoral-cycle-bench [--repetitions N] [--delay SECONDS]
//
// Times the convert-selection cycle against zenvoral-target (started beforehand, in
// the foreground) with the program's "Toggle layouts" request, for two schedules in
// turn: the fixed one of the original design, where every wait lasts its full time
// (4 x Delay + 0.2 s with a selection), and the early-ending one the program uses.
// Prints the median and the worst time of each, and how many runs gave the right
// result: the selection converted and the user's clipboard as it was. Exit code 1
// when a run gave a wrong result; times are only reported.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cwchar>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "capture/win32_capture.h"
#include "console_text.h"
#include "host_cycle.h"
#include "target_control.h"
#include "test_clipboard.h"

namespace {

constexpr DWORD kTargetReadyTimeoutMs = 10000;
constexpr DWORD kPasteResultTimeoutMs = 2000;
constexpr DWORD kPollIntervalMs = 1;
constexpr int kDefaultRepetitions = 30;

const std::wstring kTyped = L"hgsghl ugd;l";
const std::wstring kConverted =
    L"\u0627\u0644\u0633\u0644\u0627\u0645 \u0639\u0644\u064a\u0643\u0645";
const std::wstring kUsersText = L"the user's own text \u2713";

// The original design's schedule: every wait runs to its end, whatever has happened
// meanwhile. The wait for held modifier keys is no part of that design; it is
// passed through, and with no key held it ends at once in both schedules.
class FixedScheduleClock final : public CycleClock {
  public:
    explicit FixedScheduleClock(CycleClock& clock) : clock_(clock) {}

    void Wait(float seconds) override { clock_.Wait(seconds); }

    bool WaitUntil(float seconds, const std::function<bool()>& happened) override {
        if (seconds == kModifierReleaseLimit) {
            return clock_.WaitUntil(seconds, happened);
        }
        clock_.Wait(seconds);
        return happened && happened();
    }

  private:
    CycleClock& clock_;
};

struct Schedule {
    const wchar_t* name;
    CycleServices services;
    std::vector<double> seconds;
    int correct = 0;
};

bool WaitForTargetText(const TargetWindow& target, const std::wstring& expected) {
    const ULONGLONG deadline = GetTickCount64() + kPasteResultTimeoutMs;
    while (TargetText(target) != expected) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kPollIntervalMs);
    }
    return true;
}

// One cycle on a fresh selection and a fresh user's clipboard; nothing when the
// set-up itself failed.
std::optional<bool> RunOnce(Schedule& schedule, const TargetWindow& target,
                            const CycleRequest& request) {
    if (!SetTargetText(target, kTyped, 0, static_cast<int>(kTyped.size())) ||
        !PutUserText(kUsersText)) {
        return std::nullopt;
    }
    const std::optional<std::wstring> before = DescribeClipboard();
    CycleState state;
    const auto start = std::chrono::steady_clock::now();
    const bool ran = RunRequest(schedule.services, state, request);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    schedule.seconds.push_back(took.count());
    return ran && WaitForTargetText(target, kConverted) && before && DescribeClipboard() == before;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::wstring Summary(const Schedule& schedule) {
    std::wstring line(200, L'\0');
    const int length = std::swprintf(
        line.data(), line.size(), L"%-36ls median %.3f s, worst %.3f s, %d of %zu right\n",
        schedule.name, Median(schedule.seconds),
        *std::max_element(schedule.seconds.begin(), schedule.seconds.end()), schedule.correct,
        schedule.seconds.size());
    line.resize(static_cast<size_t>(std::max(length, 0)));
    return line;
}

struct BenchOptions {
    int repetitions = kDefaultRepetitions;
    float delay = kDefaultCycleDelay;
};

std::optional<BenchOptions> ParseOptions(const std::vector<std::wstring>& words) {
    BenchOptions options;
    if (words.size() % 2 == 0) {
        return std::nullopt;
    }
    for (size_t i = 1; i + 1 < words.size(); i += 2) {
        wchar_t* end = nullptr;
        if (words[i] == L"--repetitions") {
            options.repetitions = static_cast<int>(std::wcstol(words[i + 1].c_str(), &end, 10));
        } else if (words[i] == L"--delay") {
            options.delay = std::wcstof(words[i + 1].c_str(), &end);
        } else {
            return std::nullopt;
        }
        if (words[i + 1].empty() || *end != L'\0') {
            return std::nullopt;
        }
    }
    // A Delay equal to the modifier limit would make the fixed clock pass its waits
    // through.
    if (options.repetitions < 1 || !(options.delay >= 0.02f && options.delay < 1.0f)) {
        return std::nullopt;
    }
    return options;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    const std::optional<BenchOptions> options =
        ParseOptions(std::vector<std::wstring>(argv, argv + argc));
    if (!options) {
        PrintError(
            L"usage: zenvoral-cycle-bench [--repetitions N] [--delay SECONDS]\n"
            L"  SECONDS from 0.02 to below 1\n");
        return 2;
    }
    LayoutTable layouts;
    if (!LoadDefaultLayouts(ProgramFolder(), layouts)) {
        return 1;
    }
    const std::optional<TargetWindow> target = WaitForTargetReady(kTargetReadyTimeoutMs);
    if (!target) {
        PrintError(L"zenvoral-target is not in the foreground with its edit focused\n");
        return 1;
    }
    HostCycleSettings settings = HostCycleSettings::WithDelay(options->delay);
    Win32CaptureServices system;
    FixedScheduleClock fixedClock(system.Clock);
    const CycleRequest request = *RequestForMode(0);

    std::wstring fixedName(64, L'\0');
    fixedName.resize(static_cast<size_t>(std::swprintf(fixedName.data(), fixedName.size(),
                                                       L"fixed (4 x Delay + 0.2 s = %.3f s):",
                                                       4.0 * options->delay + 2.0 * kRestoreWait)));
    Schedule schedules[] = {
        {fixedName.c_str(),
         {system.Keys, fixedClock, system.Clipboard, system.Modifiers, settings, layouts},
         {},
         0},
        {L"early-ending:", system.For(settings, layouts), {}, 0},
    };
    // Taking turns spreads any change of the machine's load over both schedules.
    for (int i = 0; i < options->repetitions; ++i) {
        for (Schedule& schedule : schedules) {
            const std::optional<bool> right = RunOnce(schedule, *target, request);
            if (!right) {
                PrintError(L"the target or the clipboard could not be set up\n");
                return 1;
            }
            schedule.correct += *right ? 1 : 0;
        }
    }
    std::wstring report(100, L'\0');
    report.resize(static_cast<size_t>(
        std::swprintf(report.data(), report.size(),
                      L"cycle \"Toggle layouts\" with a selection, Delay %.3f s, %d runs each\n",
                      options->delay, options->repetitions)));
    PrintOutput(report);
    bool allRight = true;
    for (const Schedule& schedule : schedules) {
        PrintOutput(Summary(schedule));
        allRight = allRight && schedule.correct == static_cast<int>(schedule.seconds.size());
    }
    return allRight ? 0 : 1;
}
