// Start-up bench: starts skiffdesk.exe and a bare Win32 program in turn, many times, and
// measures for each the time from CreateProcess to its main window being visible; prints the
// medians and their ratio. Skiffdesk runs with its settings present (an account, so no sign-up
// dialog; a shared folder of the bench's own) against a scripted server that answers the
// handshake at once. A "Shared folder message" box shown before the window is answered with
// OK as soon as it shows, and counts in the program's time.
//
// Usage: startup_bench FOLDER [RUNS]   FOLDER holds skiffdesk.exe, bare_window.exe and apps\.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/message_box.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"
#include "tests/support/scripted_server.h"
#include "tests/support/window_control.h"
#include "tests/support/window_find.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kSettingsKey[] = "Software\\SKIFFDESK\\Skiffdesk";
constexpr char kSharedFolderCaption[] = "Shared folder message";
constexpr auto kWindowTimeout = std::chrono::seconds(30);
constexpr support::Millis kExitTimeout{10000};

struct Subject {
    const char* label;
    std::string exe;
    std::string property; // the main window carries it; empty: any visible window will do
};

struct Run {
    double millis = 0;
    int boxesAnswered = 0;
};

bool WriteSettings(const std::string& folder) {
    const std::string setup = std::string(kSettingsKey) + "\\Setup";
    const std::string option = std::string(kSettingsKey) + "\\Option";
    return support::WriteRegistryDword(HKEY_CURRENT_USER, setup, "reg", 1) &&
           support::WriteRegistryString(HKEY_CURRENT_USER, option, "AccountName", "bench") &&
           support::WriteRegistryString(HKEY_CURRENT_USER, option, "EmailAdress",
                                        "bench@skiffdesk.example") &&
           support::WriteRegistryString(HKEY_CURRENT_USER, option, "Password", "bench-password") &&
           support::WriteRegistryString(HKEY_CURRENT_USER, option, "skiffdesk",
                                        folder + "\\shared");
}

// Starts the subject and polls (about every millisecond) for its visible main window.
std::optional<Run> Measure(const Subject& subject, const std::string& folder) {
    Run run;
    const Clock::time_point start = Clock::now();
    support::Process process = support::Process::Start(subject.exe, "", folder);
    if (!process.Valid()) {
        std::fprintf(stderr, "cannot start %s: %s\n", subject.exe.c_str(), process.Error().c_str());
        return std::nullopt;
    }
    support::WindowQuery query;
    query.processId = process.Id();
    query.property = subject.property;
    query.visibleOnly = true;
    HWND window = nullptr;
    while (window == nullptr && Clock::now() - start < kWindowTimeout) {
        window = support::FindTopLevelWindow(query);
        if (window != nullptr)
            break;
        for (const support::MessageBoxView& box : support::MessageBoxesOf(process.Id()))
            if (box.caption == kSharedFolderCaption && support::AnswerMessageBox(box, IDOK))
                ++run.boxesAnswered;
        Sleep(1);
    }
    run.millis = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (window != nullptr)
        support::PostClose(window);
    if (!process.WaitForExit(kExitTimeout)) {
        process.Terminate();
        process.WaitForExit(kExitTimeout);
    }
    if (window == nullptr) {
        std::fprintf(stderr, "%s showed no main window\n", subject.label);
        return std::nullopt;
    }
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench FOLDER [RUNS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;

    if (!WriteSettings(folder)) {
        std::fprintf(stderr, "cannot write the settings under HKCU\\%s\n", kSettingsKey);
        return 1;
    }
    support::ScriptedServer server;
    if (!server.Start()) {
        std::fprintf(stderr, "scripted server: %s\n", server.Error().c_str());
        return 1;
    }

    const Subject bare{"bare window", folder + "\\bare_window.exe", ""};
    const Subject program{"skiffdesk", folder + "\\skiffdesk.exe", "skiffdesk"};
    // One start of each first, not counted: the first start of a program reads it from disk.
    if (!Measure(bare, folder) || !Measure(program, folder))
        return 1;

    std::vector<double> bareTimes;
    std::vector<double> programTimes;
    int boxes = 0;
    for (int i = 0; i < runs; ++i) {
        // Taken in turn, so that a slow moment of the machine weighs on both alike.
        const std::optional<Run> b = Measure(bare, folder);
        const std::optional<Run> p = Measure(program, folder);
        if (!b || !p)
            return 1;
        bareTimes.push_back(b->millis);
        programTimes.push_back(p->millis);
        boxes += p->boxesAnswered;
        std::printf("run %2d: bare window %7.1f ms, skiffdesk %7.1f ms\n", i + 1, b->millis,
                    p->millis);
    }
    const double bareMedian = Median(bareTimes);
    const double programMedian = Median(programTimes);
    std::printf("median of %d runs: bare window %.1f ms, skiffdesk %.1f ms\n", runs, bareMedian,
                programMedian);
    if (boxes > 0)
        std::printf("(skiffdesk's time includes answering %d shared-folder message box(es))\n",
                    boxes);
    std::printf("ratio skiffdesk / bare window: %.2f\n", programMedian / bareMedian);
    return 0;
}
