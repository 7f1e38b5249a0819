// The installer as a user meets it, run silently into a folder of the test's own: it installs
// the program with its apps folder, a Start menu shortcut and an Apps & features entry; the
// installed program starts and talks to the server; the uninstaller then takes away all it
// installed and nothing of the user's.
#include "tests/e2e/skiffdesk_fixture.h"

#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "tests/support/file_version.h"
#include "tests/support/registry.h"
#include "tests/support/window_control.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using support::Millis;

constexpr char kVersion[] = "1.0.0.0";
constexpr char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Skiffdesk";
constexpr char kWineOverrides[] = "Software\\Wine\\DllOverrides";
constexpr Millis kSetupTimeout{60000};

// Relative path -> bytes of every file below folder.
std::map<std::string, std::string> FilesBelow(const fs::path& folder) {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[fs::relative(entry.path(), folder).generic_string()] =
            std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

std::string StartMenuShortcut() {
    char folder[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return {};
    return std::string(folder) + "\\Skiffdesk.lnk";
}

std::optional<std::string> UninstallValue(const std::string& name) {
    return support::ReadRegistryString(HKEY_CURRENT_USER, kUninstallKey, name);
}

class PackageTest : public SandboxTest {
protected:
    void SetUp() override {
        SandboxTest::SetUp();
        // Wine would mirror the Start menu shortcut into the desktop's menus outside the prefix.
        ASSERT_TRUE(support::WriteRegistryString(HKEY_CURRENT_USER, kWineOverrides,
                                                 "winemenubuilder.exe", ""));
        ASSERT_TRUE(support::DeleteRegistryTree(HKEY_CURRENT_USER, kUninstallKey));
        ASSERT_FALSE(StartMenuShortcut().empty());
        DeleteFileA(StartMenuShortcut().c_str());
    }

    std::string InstallFolder() const { return Sandbox() + "\\Programs\\Skiffdesk"; }
};

TEST_F(PackageTest, SilentInstallRunsAndSilentUninstallLeavesOnlyTheUsersThings) {
    support::Process setup =
        support::Process::Start(SKIFF_E2E_INSTALLER, "/S /D=" + InstallFolder(), Sandbox());
    ASSERT_TRUE(setup.Valid()) << setup.Error();
    const std::optional<DWORD> setupCode = setup.WaitForExit(kSetupTimeout);
    ASSERT_EQ(setupCode, std::optional<DWORD>(0));

    const std::string exe = InstallFolder() + "\\skiffdesk.exe";
    const std::string uninstaller = InstallFolder() + "\\uninstall.exe";
    EXPECT_EQ(FilesBelow(InstallFolder() + "\\apps"), FilesBelow(SKIFF_E2E_PACKAGED_APPS));
    EXPECT_FALSE(FilesBelow(SKIFF_E2E_PACKAGED_APPS).empty());
    EXPECT_TRUE(fs::is_regular_file(StartMenuShortcut()));
    const struct {
        std::string name;
        std::optional<std::string> value;
    } entries[] = {
        {"DisplayName", "Skiffdesk"},
        {"DisplayVersion", kVersion},
        {"InstallLocation", InstallFolder()},
        {"UninstallString", "\"" + uninstaller + "\""},
    };
    for (const auto& entry : entries)
        EXPECT_EQ(UninstallValue(entry.name), entry.value) << entry.name;
    EXPECT_EQ(support::FileVersion(exe), kVersion);

    // The installed copy runs as any other: its window, its handshake, a clean close.
    Program installed;
    installed.name = "skiffdesk";
    installed.process = support::Process::Start(exe, "", InstallFolder());
    ASSERT_TRUE(installed.process.Valid()) << installed.process.Error();
    HWND main = WaitForMainWindow(installed);
    EXPECT_TRUE(main != nullptr && IsWindowVisible(main));
    EXPECT_TRUE(Server().WaitForMessages(0, 1));
    if (main != nullptr)
        support::PostClose(main);
    if (installed.process.WaitForExit() != std::optional<DWORD>(0)) {
        installed.process.Terminate();
        FAIL() << "the installed program did not end cleanly on WM_CLOSE";
    }

    // The user's own: a setting and a connection file added to the apps folder.
    ASSERT_TRUE(WriteSetting("Option", "AccountName", "someone"));
    const std::string own = InstallFolder() + "\\apps\\mine.rdp";
    std::ofstream(own) << "remoteapplicationname:s:Mine\n";

    support::Process uninstall = support::Process::Start(uninstaller, "/S", Sandbox());
    ASSERT_TRUE(uninstall.Valid()) << uninstall.Error();
    // It runs on from a copy of itself, so its own end says nothing: wait for its work.
    EXPECT_TRUE(support::WaitFor(
        [&] { return !fs::exists(uninstaller) && !UninstallValue("DisplayName"); }, kSetupTimeout));
    EXPECT_EQ(UninstallValue("DisplayName"), std::nullopt);
    EXPECT_FALSE(fs::exists(StartMenuShortcut()));
    std::vector<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(InstallFolder()))
        left.push_back(fs::relative(entry.path(), InstallFolder()).generic_string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"apps", "apps/mine.rdp"}));
    EXPECT_EQ(ReadSettingString("Option", "AccountName"), std::optional<std::string>("someone"));
}

} // namespace
} // namespace e2e
