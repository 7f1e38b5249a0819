// A program started by a test: its handles, its end with a deadline and its exit code.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "tests/support/wait.h"

namespace support {

class Process {
public:
    // Starts exe (a full path) with arguments in folder; on failure Valid() is false and
    // Error() says why.
    static Process Start(const std::string& exe, const std::string& arguments,
                         const std::string& folder);
    // The same for paths that may lie outside the ANSI code page.
    static Process Start(const std::wstring& exe, const std::wstring& arguments,
                         const std::wstring& folder);
    // Opens a running process by id (to wait for it or end it).
    static Process Open(DWORD processId);

    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process(); // closes the handles; a running program is left running

    bool Valid() const { return m_hProcess != nullptr; }
    const std::string& Error() const { return m_strError; }
    DWORD Id() const { return m_dwId; }
    bool IsRunning() const;
    // The exit code once the process has ended within timeout; nothing while it runs on.
    std::optional<DWORD> WaitForExit(Millis timeout = kDefaultTimeout) const;
    void Terminate() const;

private:
    void Close();

    HANDLE m_hProcess = nullptr;
    DWORD m_dwId = 0;
    std::string m_strError;
};

// Text of a Win32 error code, for failure messages.
std::string ErrorText(DWORD error);

} // namespace support
