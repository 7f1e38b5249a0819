// Drives a running Skiffdesk from a script:
//   skiffctl close       closes the main window (WM_CLOSE) and waits for the program to end
//   skiffctl shot FILE   saves a screenshot of the desktop as a BMP file
//   skiffctl ok CAPTION  waits for a message box with that caption and answers it with OK
//   skiffctl command ID  sends the main window the command ID, as its menu would
//   skiffctl find TEXT   puts TEXT into the find box, as if it were typed
// A FILE starting with "/" is taken as a Linux path (drive Z: under Wine).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "tests/support/message_box.h"
#include "tests/support/process.h"
#include "tests/support/screenshot.h"
#include "tests/support/window_control.h"
#include "tests/support/window_find.h"

namespace {

constexpr char kMainWindowProperty[] = "skiffdesk";
constexpr support::Millis kCloseTimeout{30000};

int Close() {
    support::WindowQuery query;
    query.property = kMainWindowProperty;
    HWND main = support::FindTopLevelWindow(query);
    if (main == nullptr) {
        std::fprintf(stderr, "skiffctl: no Skiffdesk window\n");
        return 1;
    }
    support::Process program = support::Process::Open(support::ProcessOf(main));
    if (!program.Valid()) {
        std::fprintf(stderr, "skiffctl: %s\n", program.Error().c_str());
        return 1;
    }
    support::PostClose(main);
    if (!program.WaitForExit(kCloseTimeout)) {
        std::fprintf(stderr, "skiffctl: Skiffdesk did not end\n");
        return 1;
    }
    return 0;
}

int Shot(std::string path) {
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    if (!support::SaveScreenshot(path)) {
        std::fprintf(stderr, "skiffctl: cannot save %s\n", path.c_str());
        return 1;
    }
    return 0;
}

int Ok(const std::string& caption) {
    // A box found while it is still being made has no text or buttons yet: wait for it whole.
    const std::optional<support::MessageBoxView> box = support::WaitFor(
        [&]() -> std::optional<support::MessageBoxView> {
            const HWND window = FindWindowA(support::kDialogClass, caption.c_str());
            return window != nullptr ? support::ReadMessageBox(window) : std::nullopt;
        },
        kCloseTimeout);
    if (!box || !support::AnswerMessageBox(*box, IDOK)) {
        std::fprintf(stderr, "skiffctl: no box \"%s\" to answer\n", caption.c_str());
        return 1;
    }
    return 0;
}

int Command(int id) {
    support::WindowQuery query;
    query.property = kMainWindowProperty;
    HWND main = support::WaitForTopLevelWindow(query, kCloseTimeout);
    if (main == nullptr || !support::PostCommand(main, id)) {
        std::fprintf(stderr, "skiffctl: no Skiffdesk window\n");
        return 1;
    }
    return 0;
}

int Find(const std::string& text) {
    constexpr int kFindBoxId = 1014;
    support::WindowQuery query;
    query.property = kMainWindowProperty;
    HWND main = support::WaitForTopLevelWindow(query, kCloseTimeout);
    HWND box = main != nullptr ? support::FindChildById(main, kFindBoxId) : nullptr;
    if (box == nullptr || !support::SetWindowTextRemote(box, text)) {
        std::fprintf(stderr, "skiffctl: no find box\n");
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "close" && argc == 2)
        return Close();
    if (command == "shot" && argc == 3)
        return Shot(argv[2]);
    if (command == "ok" && argc == 3)
        return Ok(argv[2]);
    if (command == "command" && argc == 3)
        return Command(std::atoi(argv[2]));
    if (command == "find" && argc == 3)
        return Find(argv[2]);
    std::fprintf(stderr,
                 "usage: skiffctl close | shot FILE.bmp | ok CAPTION | command ID | find TEXT\n");
    return 2;
}
