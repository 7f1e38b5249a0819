// The program on a system whose ANSI code page has double-byte characters (932, Japanese):
// this whole test program runs under it, and so do the programs it starts. In that code page
// U+8868 is the bytes 0x95 0x5C, the second of which is a backslash's.
#include "tests/e2e/skiffdesk_fixture.h"

#include <commctrl.h>

#include "tests/support/records.h"
#include "tests/support/remote_list_view.h"
#include "tests/support/window_control.h"

namespace e2e {
namespace {

constexpr int kConnect = 32776;

bool WriteSharedFolderSetting(const std::wstring& folder) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\SKIFFDESK\\Skiffdesk\\Option", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result =
        RegSetValueExW(key, L"skiffdesk", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

using DoubleByteTest = SandboxTest;

TEST_F(DoubleByteTest, NamesEndingInByte5CAreListedStartedAndMappedWhole) {
    if (GetACP() != 932)
        GTEST_SKIP() << "this system does not give the test program code page 932";
    const std::wstring folder = WideSandbox() + L"\\\u8868";
    // Its name is its mutex's and its window property's.
    const std::wstring exe = InstallProgramIn(folder, L"\u8868.exe");
    ASSERT_FALSE(exe.empty());
    const std::wstring file = folder + L"\\apps\\\u8868\\\u8868.rdp";
    ASSERT_TRUE(WriteConnectionFileAt(file, L"\u8868\u793A"));
    const std::wstring shared = WideSandbox() + L"\\\u5171\u6709\u8868";
    ASSERT_TRUE(WriteSharedFolderSetting(shared));

    Program& program = StartProgramAt(exe);
    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    const std::vector<std::string> mapped = WaitForRecord(kSubstDouble);
    ASSERT_EQ(mapped.size(), 1u);
    EXPECT_EQ(support::ArgumentsOf(mapped[0]), Utf8(L"z: \"" + shared + L"\""));

    HWND list = ListOf(main);
    EXPECT_EQ(support::ListItemTexts(list), std::vector<std::string>{"\x95\x5C\x8E\xA6"});
    ASSERT_TRUE(support::SetListItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED));
    ASSERT_TRUE(support::PostCommand(main, kConnect));
    const std::vector<std::string> launched = WaitForRecord(kRemoteDesktopDouble);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(support::ArgumentsOf(launched[0]), Utf8(L"\"" + file + L"\""));
}

} // namespace
} // namespace e2e
