// The catalogue where folder and file names lie outside the ANSI code page or name devices:
// the program installed in a folder named in Chinese on a Western system, and connection
// files named like devices.
#include "tests/e2e/skiffdesk_fixture.h"

#include <commctrl.h>

#include "tests/support/records.h"
#include "tests/support/remote_list_view.h"
#include "tests/support/window_control.h"

namespace e2e {
namespace {

constexpr int kConnect = 32776;
constexpr char kNameNotFound[] = "Error, Do not find the APP name!";

using CataloguePathsTest = SandboxTest;

// Files made by paths that the system takes as they are, and removed the same way: by their
// names alone they would be the devices.
class DeviceNamedFiles {
public:
    explicit DeviceNamedFiles(const std::wstring& folder) : m_folder(L"\\\\?\\" + folder + L"\\") {}
    ~DeviceNamedFiles() {
        for (const std::wstring& name : m_names)
            DeleteFileW((m_folder + name).c_str());
    }
    bool Write(const std::wstring& name, const std::wstring& appName) {
        m_names.push_back(name);
        return WriteConnectionFileAt(m_folder + name, appName);
    }

private:
    std::wstring m_folder;
    std::vector<std::wstring> m_names;
};

TEST_F(CataloguePathsTest, AProgramInAFolderNamedInChineseListsAndStartsItsApps) {
    const std::wstring folder = WideSandbox() + L"\\\u7528\u6237\\\u7A0B\u5E8F";
    const std::wstring exe = InstallProgramIn(folder);
    ASSERT_FALSE(exe.empty());
    const std::wstring paint = folder + L"\\apps\\\u5E94\u7528\\\u753B\u56FE.rdp";
    ASSERT_TRUE(WriteConnectionFileAt(folder + L"\\apps\\\u8BB0\u4E8B\u672C.rdp", L"Notepad"));
    ASSERT_TRUE(WriteConnectionFileAt(paint, L"Paint \u753B"));
    Program& program = StartProgramAt(exe);
    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    HWND list = ListOf(main);
    // Shown in the code page, as the system converts what it lacks.
    EXPECT_EQ(support::ListItemTexts(list), (std::vector<std::string>{"Notepad", "Paint ?"}));
    EXPECT_TRUE(support::MessageBoxesOf(program.process.Id()).empty());
    ASSERT_TRUE(support::SetListItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED));
    ASSERT_TRUE(support::PostCommand(main, kConnect));
    const std::vector<std::string> launched = WaitForRecord(kRemoteDesktopDouble);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(support::ArgumentsOf(launched[0]), Utf8(L"\"" + paint + L"\""));
}

TEST_F(CataloguePathsTest, FilesNamedLikeDevicesAreNeverOpened) {
    ASSERT_TRUE(WriteConnectionFile("good.rdp", "Good"));
    DeviceNamedFiles files(WideSandbox() + L"\\apps");
    ASSERT_TRUE(files.Write(L"con.rdp", L"Console"));
    ASSERT_TRUE(files.Write(L"NUL.rdp", L"Nothing"));
    Program& program = StartProgram();
    for (const char* name : {"con.rdp", "NUL.rdp"}) {
        const std::optional<support::MessageBoxView> box = WaitForBoxPastSharedFolder(program);
        ASSERT_TRUE(box.has_value()) << name;
        EXPECT_EQ(box->caption, AppsFolder() + "\\" + name);
        EXPECT_EQ(box->text, kNameNotFound);
        support::AnswerMessageBox(*box, IDOK);
    }
    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(support::ListItemTexts(ListOf(main)), std::vector<std::string>{"Good"});
}

} // namespace
} // namespace e2e
