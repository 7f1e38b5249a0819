#include "tests/e2e/skiffdesk_fixture.h"

#include <filesystem>
#include <iostream>

#include "tests/support/record_format.h"
#include "tests/support/records.h"
#include "tests/support/registry.h"
#include "tests/support/screenshot.h"
#include "tests/support/window_control.h"
#include "tests/support/window_find.h"

namespace e2e {

namespace {

using support::Millis;

constexpr char kSettingsRoot[] = "Software\\SKIFFDESK";
constexpr char kSettingsKey[] = "Software\\SKIFFDESK\\Skiffdesk";
constexpr char kWineOverrides[] = "Software\\Wine\\DllOverrides";
// Where the shell reads the user's folders before its built-in defaults.
constexpr char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr char kDocumentsValue[] = "Personal";
// A program asked to close gets this long before the server goes away under it, and as long
// again before it is killed.
constexpr Millis kCloseTimeout{5000};

std::string SandboxName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':')
            c = '_';
    return name;
}

std::string SystemFolder() {
    char folder[MAX_PATH];
    const UINT n = GetSystemDirectoryA(folder, sizeof folder);
    return n > 0 && n < sizeof folder ? std::string(folder, n) : std::string();
}

std::string WithoutExtension(const std::string& fileName) {
    const std::size_t dot = fileName.find_last_of('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

::testing::AssertionResult CopyOver(const std::string& from, const std::string& to) {
    if (CopyFileA(from.c_str(), to.c_str(), FALSE))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "cannot copy " << from << " to " << to << ": " << support::ErrorText(GetLastError());
}

// Puts the doubles where Wine's shell finds them; the same for every test, so once per run.
::testing::AssertionResult InstallDoubles() {
    static bool installed = false;
    if (installed)
        return ::testing::AssertionSuccess();
    const std::string doubles = SKIFF_E2E_DOUBLES;
    // Wine's own subst.exe is a stub in system32, found before a copy anywhere else; and Wine
    // runs its built-in program of that name unless told to prefer the file.
    ::testing::AssertionResult copied =
        CopyOver(doubles + "\\subst.exe", SystemFolder() + "\\subst.exe");
    if (!copied)
        return copied;
    if (!support::WriteRegistryString(HKEY_CURRENT_USER, kWineOverrides, "subst.exe", "native"))
        return ::testing::AssertionFailure() << "cannot write HKCU\\" << kWineOverrides;
    // The shell opens web addresses with the command of their protocol's class; Wine's class
    // root is the machine's alone (a per-user class is not seen).
    const std::string browser = "\"" + doubles + "\\browser.exe\" \"%1\"";
    for (const char* protocol : {"http", "https"}) {
        const std::string key = std::string(protocol) + "\\shell\\open\\command";
        if (!support::WriteRegistryString(HKEY_CLASSES_ROOT, key, "", browser))
            return ::testing::AssertionFailure() << "cannot write HKCR\\" << key;
    }
    installed = true;
    return ::testing::AssertionSuccess();
}

// The program starts the remote desktop client from the system folder when it is there.
// A test may take it away, so every test puts it back.
std::string SystemClientPath() {
    return SystemFolder() + "\\mstsc.exe";
}

::testing::AssertionResult InstallRemoteDesktopDouble() {
    const std::string client = SystemClientPath();
    if (GetFileAttributesA(client.c_str()) != INVALID_FILE_ATTRIBUTES)
        return ::testing::AssertionSuccess();
    return CopyOver(std::string(SKIFF_E2E_DOUBLES) + "\\mstsc.exe", client);
}

} // namespace

// A value as stored (its type kept: the shell's folders are often REG_EXPAND_SZ); a missing
// value is recorded as REG_NONE and deleted again on restore.
std::optional<RawValue> ReadRawValue(HKEY root, const std::string& subKey,
                                     const std::string& name) {
    RawValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        value.bytes.resize(size);
        result =
            RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.bytes.data(), &size);
        value.bytes.resize(size);
    }
    RegCloseKey(key);
    if (result == ERROR_FILE_NOT_FOUND)
        return RawValue{};
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool WriteRawValue(HKEY root, const std::string& subKey, const std::string& name,
                   const RawValue& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = ERROR_SUCCESS;
    if (value.type == REG_NONE)
        result = RegDeleteValueA(key, name.c_str());
    else
        result = RegSetValueExA(key, name.c_str(), 0, value.type, value.bytes.data(),
                                static_cast<DWORD>(value.bytes.size()));
    RegCloseKey(key);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

void SandboxTest::SetUp() {
    ASSERT_TRUE(InstallDoubles());
    ASSERT_TRUE(InstallRemoteDesktopDouble());

    m_strSandbox = std::string(SKIFF_E2E_SANDBOXES) + "\\" + SandboxName();
    std::error_code error;
    std::filesystem::remove_all(m_strSandbox, error);
    ASSERT_FALSE(std::filesystem::exists(m_strSandbox)) << "cannot clear " << m_strSandbox;
    std::filesystem::create_directories(AppsFolder(), error);
    ASSERT_TRUE(std::filesystem::is_directory(AppsFolder())) << "cannot create " << AppsFolder();
    ASSERT_FALSE(CopyProgram(kProgramFile).empty());
    // Planted beside the program, where the shell would look first for the bare name: the
    // program must start only the system's copy.
    ASSERT_TRUE(
        CopyOver(std::string(SKIFF_E2E_DOUBLES) + "\\mstsc.exe", m_strSandbox + "\\mstsc.exe"));
    // Inherited by the program and by the doubles it starts.
    ASSERT_TRUE(SetEnvironmentVariableA(support::kRecordFolderVariable, m_strSandbox.c_str()));

    ASSERT_TRUE(support::DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsRoot));
    if (!m_bWithoutAccount) {
        ASSERT_TRUE(WriteStoredAccount());
    }
    ASSERT_TRUE(RedirectDocuments());

    if (m_serve == Serve::nothing)
        return;
    m_pServer = std::make_unique<support::ScriptedServer>();
    ASSERT_TRUE(m_pServer->Start()) << m_pServer->Error();
}

void SandboxTest::TearDown() {
    if (HasFailure() && !m_strSandbox.empty()) {
        const std::string shot = m_strSandbox + "\\failure.bmp";
        if (support::SaveScreenshot(shot))
            std::cout << "screenshot: " << shot << "\n";
        for (const auto& program : m_programs)
            if (program->process.IsRunning())
                std::cout << support::DescribeMessageBoxes(program->process.Id());
    }
    EndPrograms();
    RestoreDocuments();
    SetEnvironmentVariableA(support::kRecordFolderVariable, nullptr);
}

::testing::AssertionResult SandboxTest::RedirectDocuments() {
    std::error_code error;
    std::filesystem::create_directories(DocumentsFolder(), error);
    if (!std::filesystem::is_directory(DocumentsFolder()))
        return ::testing::AssertionFailure() << "cannot create " << DocumentsFolder();
    if (!m_documentsBefore)
        m_documentsBefore = ReadRawValue(HKEY_CURRENT_USER, kUserShellFolders, kDocumentsValue);
    if (!support::WriteRegistryString(HKEY_CURRENT_USER, kUserShellFolders, kDocumentsValue,
                                      DocumentsFolder()))
        return ::testing::AssertionFailure() << "cannot write HKCU\\" << kUserShellFolders;
    return ::testing::AssertionSuccess();
}

void SandboxTest::RestoreDocuments() {
    if (m_documentsBefore)
        WriteRawValue(HKEY_CURRENT_USER, kUserShellFolders, kDocumentsValue, *m_documentsBefore);
    m_documentsBefore.reset();
}

std::string SandboxTest::DoublesFolder() {
    return SKIFF_E2E_DOUBLES;
}

void SandboxTest::EndPrograms() {
    for (const auto& program : m_programs)
        if (HWND main = FindMainWindow(*program))
            support::PostClose(main);
    for (const auto& program : m_programs)
        program->process.WaitForExit(kCloseTimeout);
    // A program still waiting on a connection is released by the server going away.
    if (m_pServer)
        m_pServer->Stop();
    for (const auto& program : m_programs)
        if (program->process.IsRunning() && !program->process.WaitForExit(kCloseTimeout))
            program->process.Terminate();
}

std::string SandboxTest::CopyProgram(const std::string& fileName) {
    const std::string path = m_strSandbox + "\\" + fileName;
    const ::testing::AssertionResult copied = CopyOver(SKIFF_E2E_PROGRAM, path);
    if (!copied) {
        ADD_FAILURE() << copied.message();
        return {};
    }
    return path;
}

Program& SandboxTest::StartProgram(const std::string& arguments, const std::string& fileName) {
    auto program = std::make_unique<Program>();
    program->name = WithoutExtension(fileName);
    program->process =
        support::Process::Start(m_strSandbox + "\\" + fileName, arguments, m_strSandbox);
    EXPECT_TRUE(program->process.Valid()) << program->process.Error();
    m_programs.push_back(std::move(program));
    return *m_programs.back();
}

HWND SandboxTest::FindMainWindow(const Program& program) {
    if (!program.process.Valid())
        return nullptr;
    support::WindowQuery query;
    query.processId = program.process.Id();
    query.property = program.name;
    return support::FindTopLevelWindow(query);
}

HWND SandboxTest::WaitForMainWindow(const Program& program, Millis timeout) {
    HWND main = support::WaitFor(
        [&]() -> HWND {
            if (HWND window = FindMainWindow(program))
                return window;
            for (const support::MessageBoxView& box : support::MessageBoxesOf(program.process.Id()))
                if (box.caption == kSharedFolderCaption)
                    support::AnswerMessageBox(box, IDOK);
            return nullptr;
        },
        timeout);
    if (main == nullptr)
        ADD_FAILURE() << "no main window of " << program.name
                      << (program.process.IsRunning() ? "" : " (the program has ended)") << "\n"
                      << support::DescribeMessageBoxes(program.process.Id());
    return main;
}

std::optional<support::MessageBoxView> SandboxTest::WaitForMessageBox(const Program& program,
                                                                      Millis timeout) {
    if (!program.process.Valid())
        return std::nullopt;
    return support::WaitForMessageBox(program.process.Id(), timeout);
}

std::optional<support::MessageBoxView>
SandboxTest::WaitForBoxPastSharedFolder(const Program& program, Millis timeout) {
    if (!program.process.Valid())
        return std::nullopt;
    return support::WaitFor(
        [&]() -> std::optional<support::MessageBoxView> {
            for (support::MessageBoxView& box : support::MessageBoxesOf(program.process.Id())) {
                if (box.caption != kSharedFolderCaption)
                    return std::move(box);
                support::AnswerMessageBox(box, IDOK);
            }
            return std::nullopt;
        },
        timeout);
}

std::string SandboxTest::TextPane(HWND mainWindow) {
    return support::WindowText(support::FindChild(mainWindow, "Edit"));
}

std::vector<std::string> SandboxTest::Record(const std::string& doubleName) const {
    return support::ReadRecord(m_strSandbox, doubleName);
}

std::vector<std::string> SandboxTest::WaitForRecord(const std::string& doubleName,
                                                    std::size_t count, Millis timeout) {
    return support::WaitForRecord(m_strSandbox, doubleName, count, timeout);
}

bool SandboxTest::WriteSetting(const std::string& section, const std::string& name, DWORD value) {
    return support::WriteRegistryDword(HKEY_CURRENT_USER,
                                       std::string(kSettingsKey) + "\\" + section, name, value);
}

bool SandboxTest::WriteSetting(const std::string& section, const std::string& name,
                               const std::string& value) {
    return support::WriteRegistryString(HKEY_CURRENT_USER,
                                        std::string(kSettingsKey) + "\\" + section, name, value);
}

std::optional<DWORD> SandboxTest::ReadSettingDword(const std::string& section,
                                                   const std::string& name) {
    return support::ReadRegistryDword(HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\" + section,
                                      name);
}

std::optional<std::string> SandboxTest::ReadSettingString(const std::string& section,
                                                          const std::string& name) {
    return support::ReadRegistryString(HKEY_CURRENT_USER,
                                       std::string(kSettingsKey) + "\\" + section, name);
}

bool SandboxTest::WriteStoredAccount() {
    return WriteSetting("Setup", "reg", 1) && WriteSetting("Option", "AccountName", "tester") &&
           WriteSetting("Option", "EmailAdress", "tester@skiffdesk.example") &&
           WriteSetting("Option", "Password", "Secret1");
}

std::string SandboxTest::SystemRemoteDesktopClient() {
    return SystemClientPath();
}

bool SandboxTest::RemoveSystemRemoteDesktopClient() {
    return DeleteFileA(SystemRemoteDesktopClient().c_str());
}

namespace {

// The bytes into a file just made, which is then closed; false when they are not written whole.
bool WriteAndClose(HANDLE file, const std::string& bytes) {
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(file);
    return ok;
}

} // namespace

bool SandboxTest::WriteAppsFile(const std::string& relativePath, const std::string& bytes) const {
    const std::filesystem::path path = AppsFolder() + "\\" + relativePath;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return WriteAndClose(CreateFileA(path.string().c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr),
                         bytes);
}

bool SandboxTest::WriteConnectionFile(const std::string& relativePath,
                                      const std::string& name) const {
    const std::string text = "screen mode id:i:2\r\nfull address:s:apps.example\r\n"
                             "remoteapplicationname:s:" +
                             name + "\r\nremoteapplicationmode:i:1\r\n";
    std::string bytes = "\xFF\xFE";
    for (char c : text) { // ASCII names only
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return WriteAppsFile(relativePath, bytes);
}

namespace {
// The folder and its parents, by the system's wide calls alone.
void MakeFolders(const std::wstring& folder) {
    for (std::size_t at = folder.find(L'\\', 3); at != std::wstring::npos;
         at = folder.find(L'\\', at + 1))
        CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
}
} // namespace

std::wstring SandboxTest::InstallProgramIn(const std::wstring& folder,
                                           const std::wstring& fileName) {
    MakeFolders(folder + L"\\apps");
    const std::string program = SKIFF_E2E_PROGRAM;
    const std::wstring exe = folder + L"\\" + fileName;
    if (!CopyFileW(std::wstring(program.begin(), program.end()).c_str(), exe.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy the program: " << support::ErrorText(GetLastError());
        return {};
    }
    return exe;
}

Program& SandboxTest::StartProgramAt(const std::wstring& exe) {
    auto program = std::make_unique<Program>();
    const std::wstring fileName = exe.substr(exe.find_last_of(L'\\') + 1);
    char name[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, fileName.c_str(), -1, name, sizeof name, nullptr, nullptr);
    program->name = WithoutExtension(name);
    program->process = support::Process::Start(exe, L"", exe.substr(0, exe.find_last_of(L'\\')));
    EXPECT_TRUE(program->process.Valid()) << program->process.Error();
    m_programs.push_back(std::move(program));
    return *m_programs.back();
}

bool WriteConnectionFileAt(const std::wstring& path, const std::wstring& name) {
    MakeFolders(path.substr(0, path.find_last_of(L'\\')));
    const std::wstring text = L"full address:s:apps.example\r\nremoteapplicationname:s:" + name +
                              L"\r\nremoteapplicationmode:i:1\r\n";
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8 & 0xFF));
    }
    return WriteAndClose(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr),
                         bytes);
}

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

HWND SandboxTest::ListOf(HWND mainWindow) {
    return support::FindChild(mainWindow, "SysListView32");
}

void StartedTest::SetUp() {
    SandboxTest::SetUp();
    if (HasFatalFailure())
        return;
    m_pProgram = &StartProgram();
    ASSERT_TRUE(m_pProgram->process.Valid());
}

} // namespace e2e
