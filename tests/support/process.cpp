#include "tests/support/process.h"

#include <vector>

namespace support {

std::string ErrorText(DWORD error) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = "error " + std::to_string(error);
    if (n > 0 && text != nullptr) {
        std::string message(text, n);
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
            message.pop_back();
        result += ": " + message;
    }
    LocalFree(text);
    return result;
}

Process Process::Start(const std::string& exe, const std::string& arguments,
                       const std::string& folder) {
    Process process;
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    // CreateProcessA may write into the command line, so it gets a copy it owns.
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        process.m_strError = "cannot start " + exe + ": " + ErrorText(GetLastError());
        return process;
    }
    CloseHandle(info.hThread);
    process.m_hProcess = info.hProcess;
    process.m_dwId = info.dwProcessId;
    return process;
}

Process Process::Start(const std::wstring& exe, const std::wstring& arguments,
                       const std::wstring& folder) {
    Process process;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        process.m_strError = "cannot start the program: " + ErrorText(GetLastError());
        return process;
    }
    CloseHandle(info.hThread);
    process.m_hProcess = info.hProcess;
    process.m_dwId = info.dwProcessId;
    return process;
}

Process Process::Open(DWORD processId) {
    Process process;
    process.m_hProcess = OpenProcess(
        SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, processId);
    if (process.m_hProcess == nullptr)
        process.m_strError =
            "cannot open process " + std::to_string(processId) + ": " + ErrorText(GetLastError());
    else
        process.m_dwId = processId;
    return process;
}

Process::Process(Process&& other) noexcept
    : m_hProcess(other.m_hProcess), m_dwId(other.m_dwId), m_strError(std::move(other.m_strError)) {
    other.m_hProcess = nullptr;
    other.m_dwId = 0;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Close();
        m_hProcess = other.m_hProcess;
        m_dwId = other.m_dwId;
        m_strError = std::move(other.m_strError);
        other.m_hProcess = nullptr;
        other.m_dwId = 0;
    }
    return *this;
}

Process::~Process() {
    Close();
}

void Process::Close() {
    if (m_hProcess != nullptr)
        CloseHandle(m_hProcess);
    m_hProcess = nullptr;
}

bool Process::IsRunning() const {
    return m_hProcess != nullptr && WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitForExit(Millis timeout) const {
    if (m_hProcess == nullptr)
        return std::nullopt;
    if (WaitForSingleObject(m_hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(m_hProcess, &code))
        return std::nullopt;
    return code;
}

void Process::Terminate() const {
    if (m_hProcess == nullptr)
        return;
    TerminateProcess(m_hProcess, 1);
    WaitForSingleObject(m_hProcess, static_cast<DWORD>(kDefaultTimeout.count()));
}

} // namespace support
