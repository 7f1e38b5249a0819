// The e2e fixture. Each test gets a sandbox folder of its own (a copy of skiffdesk.exe, an
// empty "apps" folder, the mstsc.exe double), a clean settings key, the doubles of subst.exe
// and the web browser installed in the prefix, and a scripted server on 127.0.0.1:10101 that
// answers the handshake with "SKDV1". The doubles record into the sandbox.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/message_box.h"
#include "tests/support/process.h"
#include "tests/support/scripted_server.h"
#include "tests/support/wait.h"

namespace e2e {

inline constexpr char kProgramFile[] = "skiffdesk.exe";
inline constexpr char kSharedFolderCaption[] = "Shared folder message";
// Names of the recording doubles, as given to Record().
inline constexpr char kRemoteDesktopDouble[] = "mstsc";
inline constexpr char kSubstDouble[] = "subst";
inline constexpr char kBrowserDouble[] = "browser";

struct Program {
    support::Process process;
    std::string name; // the executable's name without ".exe": its mutex and window property
};

// A registry value as stored, with its type; REG_NONE stands for a missing value.
struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};
std::optional<RawValue> ReadRawValue(HKEY root, const std::string& subKey, const std::string& name);
// Writes the value back as it was (deletes it for REG_NONE).
bool WriteRawValue(HKEY root, const std::string& subKey, const std::string& name,
                   const RawValue& value);

// A connection file at path (its folders made) naming the application name.
bool WriteConnectionFileAt(const std::wstring& path, const std::wstring& name);
std::string Utf8(const std::wstring& text); // the doubles record in UTF-8

// Prepares the sandbox and the server; the test starts the program when it is ready.
class SandboxTest : public ::testing::Test {
protected:
    enum class Serve { scripted, nothing }; // nothing: the test brings its own server or none
    explicit SandboxTest(Serve serve = Serve::scripted) : m_serve(serve) {}

    void SetUp() override;
    void TearDown() override; // ends programs still running, stops the server

    const std::string& Sandbox() const { return m_strSandbox; }
    std::string AppsFolder() const { return m_strSandbox + "\\apps"; }
    support::ScriptedServer& Server() { return *m_pServer; }

    // Copies skiffdesk.exe into the sandbox under another file name; returns its path.
    std::string CopyProgram(const std::string& fileName);
    // Starts <sandbox>\<fileName> in the sandbox folder; fails the test if it cannot start.
    Program& StartProgram(const std::string& arguments = "",
                          const std::string& fileName = kProgramFile);

    // The top-level window of the program carrying the property named after its executable.
    // Waiting answers, with OK, the shared-folder message shown before the window exists.
    HWND WaitForMainWindow(const Program& program,
                           support::Millis timeout = support::kDefaultTimeout);
    static HWND FindMainWindow(const Program& program);
    std::optional<support::MessageBoxView>
    WaitForMessageBox(const Program& program, support::Millis timeout = support::kDefaultTimeout);
    // The first box that is not the shared-folder message, answering that one with OK: every
    // start shows it before the session's own boxes.
    std::optional<support::MessageBoxView>
    WaitForBoxPastSharedFolder(const Program& program,
                               support::Millis timeout = support::kDefaultTimeout);
    // Text of the lower pane (the edit control of the main window).
    static std::string TextPane(HWND mainWindow);

    // Lines the double wrote in this test (kRemoteDesktopDouble...), oldest first.
    std::vector<std::string> Record(const std::string& doubleName) const;
    std::vector<std::string> WaitForRecord(const std::string& doubleName, std::size_t count = 1,
                                           support::Millis timeout = support::kDefaultTimeout);

    // The program's settings: HKCU\Software\SKIFFDESK\Skiffdesk\<section>.
    static bool WriteSetting(const std::string& section, const std::string& name, DWORD value);
    static bool WriteSetting(const std::string& section, const std::string& name,
                             const std::string& value);
    static std::optional<DWORD> ReadSettingDword(const std::string& section,
                                                 const std::string& name);
    static std::optional<std::string> ReadSettingString(const std::string& section,
                                                        const std::string& name);

    // Sign-up: by default a test starts with an account stored, so the sign-up dialog does
    // not open by itself; a test of the first start calls this in its constructor.
    void StartWithoutAccount() { m_bWithoutAccount = true; }
    static bool WriteStoredAccount();
    // The catalogue. Writes apps\<relativePath> (making its folders) as the remote desktop
    // client writes a connection file: byte-order mark, UTF-16LE, CR LF lines, the key line
    // with name; or with the given bytes as they are.
    bool WriteConnectionFile(const std::string& relativePath, const std::string& name) const;
    bool WriteAppsFile(const std::string& relativePath, const std::string& bytes) const;
    // The remote desktop client double lives where the system's client does; this takes it
    // away for the rest of the test (the copy planted beside the program stays).
    static std::string SystemRemoteDesktopClient();
    static bool RemoveSystemRemoteDesktopClient();
    // The application list of the main window.
    static HWND ListOf(HWND mainWindow);

    // Paths that may lie outside the ANSI code page. A copy of skiffdesk.exe named fileName with
    // an empty "apps" beside it in folder (made with its parents); returns the copy's path.
    std::wstring InstallProgramIn(const std::wstring& folder,
                                  const std::wstring& fileName = L"skiffdesk.exe");
    // Starts exe (from InstallProgramIn) in its own folder.
    Program& StartProgramAt(const std::wstring& exe);
    std::wstring WideSandbox() const {
        return std::wstring(m_strSandbox.begin(), m_strSandbox.end());
    }

    // The documents folder of this test's programs: a plain folder in the sandbox, never the
    // home folder that a fresh prefix links it to.
    std::string DocumentsFolder() const { return m_strSandbox + "\\Documents"; }
    // Where the recording doubles are built.
    static std::string DoublesFolder();

private:
    void EndPrograms();
    // Points the user's documents folder at DocumentsFolder() for the test, and back after.
    ::testing::AssertionResult RedirectDocuments();
    void RestoreDocuments();

    bool m_bWithoutAccount = false;
    Serve m_serve;
    std::string m_strSandbox;
    std::unique_ptr<support::ScriptedServer> m_pServer;
    std::vector<std::unique_ptr<Program>> m_programs; // stable addresses for the tests
    std::optional<RawValue> m_documentsBefore;
};

// The usual test: the sandbox prepared and skiffdesk.exe started without arguments.
class StartedTest : public SandboxTest {
protected:
    void SetUp() override;
    Program& TheProgram() { return *m_pProgram; }

private:
    Program* m_pProgram = nullptr;
};

} // namespace e2e
