// A stand-in for a program the client starts (remote desktop client, subst, web browser): it
// shows nothing, appends its command line to its record file and exits 0. The same source is
// built under each program's name; the name picks the record file (see record_format.h).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "tests/support/record_format.h"

namespace {

// Several copies may start at once (one per application launched); they take turns.
constexpr auto kLockDeadline = std::chrono::seconds(10);
constexpr auto kLockRetry = std::chrono::milliseconds(10);

std::string OwnPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string Environment(const char* name) {
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0)
        return {};
    std::string value(size, '\0');
    const DWORD n = GetEnvironmentVariableA(name, value.data(), size);
    value.resize(n < size ? n : 0);
    return value;
}

std::string RecordPath() {
    const std::string self = OwnPath();
    const std::size_t slash = self.find_last_of("\\/");
    const std::string folder =
        slash == std::string::npos ? std::string(".") : self.substr(0, slash);
    std::string name = slash == std::string::npos ? self : self.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.resize(dot);
    std::string recordFolder = Environment(support::kRecordFolderVariable);
    if (recordFolder.empty())
        recordFolder = folder;
    return recordFolder + "\\" + name + support::kRecordExtension;
}

bool AppendLine(const std::string& path, const std::string& line) {
    const auto deadline = std::chrono::steady_clock::now() + kLockDeadline;
    HANDLE file = INVALID_HANDLE_VALUE;
    // No sharing: a writer has the file to itself, so lines never interleave.
    while ((file = CreateFileA(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr)) == INVALID_HANDLE_VALUE) {
        if (GetLastError() != ERROR_SHARING_VIOLATION ||
            std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kLockRetry);
    }
    DWORD written = 0;
    const bool ok =
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
        written == line.size();
    CloseHandle(file);
    return ok;
}

std::string CreationStamp() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    char stamp[support::kStampDigits + 1];
    std::snprintf(stamp, sizeof stamp, "%08lX%08lX", created.dwHighDateTime, created.dwLowDateTime);
    return stamp;
}

// The command line as it was given, in UTF-8: a path may hold characters the ANSI code page
// lacks.
std::string CommandLine() {
    const wchar_t* wide = GetCommandLineW();
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(size - 1));
    return text;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string line = CreationStamp() + " " + CommandLine() + "\r\n";
    return AppendLine(RecordPath(), line) ? 0 : 1;
}
