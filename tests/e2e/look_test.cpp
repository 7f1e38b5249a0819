// The program's look on a current system: it runs with version 6 of the common controls, and
// at a higher DPI its hand-made sizes (the text pane's row, the list's column and pictures)
// grow with the DPI.
#include "tests/e2e/skiffdesk_fixture.h"

#include <commctrl.h>
#include <psapi.h>

#include "tests/support/registry.h"
#include "tests/support/remote_list_view.h"
#include "tests/support/window_control.h"
#include "tests/support/window_find.h"

namespace e2e {
namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kLogPixels[] = "LogPixels";
constexpr int kTextRowAt96 = 150;
constexpr int kColumnAt96 = 280;
constexpr int kSmallPictureAt96 = 16;
constexpr SIZE kButtonAt96{23, 22};
constexpr int kViewDetails = 32780;
constexpr int kFirstPaneId = 0xE900; // the list: the splitter's first pane

int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

// Where the process loaded comctl32.dll from, or nothing.
std::optional<std::string> CommonControlsOf(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr)
        return std::nullopt;
    std::optional<std::string> found;
    HMODULE modules[512];
    DWORD bytes = 0;
    if (EnumProcessModules(process, modules, sizeof modules, &bytes)) {
        const DWORD count = std::min<DWORD>(bytes / sizeof(HMODULE), std::size(modules));
        for (DWORD i = 0; i < count && !found; ++i) {
            char path[MAX_PATH];
            const DWORD n = GetModuleFileNameExA(process, modules[i], path, sizeof path);
            const std::string file(path, n < sizeof path ? n : 0);
            const std::size_t slash = file.find_last_of('\\');
            if (slash != std::string::npos &&
                _stricmp(file.c_str() + slash + 1, "comctl32.dll") == 0)
                found = file;
        }
    }
    CloseHandle(process);
    return found;
}

using LookTest = StartedTest;

TEST_F(LookTest, RunsWithVersionSixOfTheCommonControls) {
    ASSERT_NE(WaitForMainWindow(TheProgram()), nullptr);
    const std::optional<std::string> controls = CommonControlsOf(TheProgram().process.Id());
    ASSERT_TRUE(controls.has_value()) << "comctl32.dll is not loaded";
    // Version 6 lives in the side-by-side store, in the folder of its assembly and version;
    // version 5 in the system folder.
    std::string folder = *controls;
    CharLowerBuffA(folder.data(), static_cast<DWORD>(folder.size()));
    EXPECT_NE(folder.find("\\winsxs\\"), std::string::npos) << *controls;
    EXPECT_NE(folder.find("microsoft.windows.common-controls_6595b64144ccf1df_6."),
              std::string::npos)
        << *controls;
}

// Each start reads the DPI from the user's desktop settings; the test puts back what it found.
class DpiTest : public SandboxTest {
protected:
    void SetUp() override {
        m_previous = support::ReadRegistryDword(HKEY_CURRENT_USER, kDesktopKey, kLogPixels);
        SandboxTest::SetUp();
    }
    void TearDown() override {
        SandboxTest::TearDown();
        if (m_previous) {
            support::WriteRegistryDword(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, *m_previous);
            return;
        }
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key) ==
            ERROR_SUCCESS) {
            RegDeleteValueA(key, kLogPixels);
            RegCloseKey(key);
        }
    }

private:
    std::optional<DWORD> m_previous;
};

// The text row, the list's column and its pictures, and the toolbar's buttons are sized by
// hand at 96 DPI and scaled.
TEST_F(DpiTest, HandMadeSizesGrowWithTheDpi) {
    ASSERT_TRUE(WriteConnectionFile("a.rdp", "Calculator"));
    for (const DWORD dpi : {96u, 144u, 192u}) {
        SCOPED_TRACE(dpi);
        const auto scaled = [dpi](int pixels96) {
            return MulDiv(pixels96, static_cast<int>(dpi), 96);
        };
        ASSERT_TRUE(support::WriteRegistryDword(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, dpi));
        Program& program = StartProgram();
        HWND main = WaitForMainWindow(program);
        ASSERT_NE(main, nullptr);
        HWND pane = support::FindChild(main, "Edit");
        ASSERT_NE(pane, nullptr);
        HWND list = GetDlgItem(GetParent(pane), kFirstPaneId);
        ASSERT_NE(list, nullptr);
        RECT client{};
        RECT listRect{};
        ASSERT_TRUE(GetClientRect(main, &client));
        ASSERT_TRUE(GetWindowRect(list, &listRect));
        // The frame keeps the size it was created with, so the list still has the height it
        // was given then: the client height less the text row.
        EXPECT_EQ(Height(client) - Height(listRect), scaled(kTextRowAt96));

        ASSERT_TRUE(support::PostCommand(main, kViewDetails));
        ASSERT_TRUE(support::WaitFor(
            [&] { return (support::StyleOf(list) & LVS_TYPEMASK) == LVS_REPORT; }));
        EXPECT_EQ(support::SendWithTimeout(list, LVM_GETCOLUMNWIDTH, 0).value_or(0),
                  scaled(kColumnAt96));
        const RECT icon = support::ListItemRect(list, 0, LVIR_ICON).value_or(RECT{});
        const RECT row = support::ListItemRect(list, 0, LVIR_BOUNDS).value_or(RECT{});
        EXPECT_EQ(icon.right - icon.left, scaled(kSmallPictureAt96));
        EXPECT_GE(Height(row), scaled(kSmallPictureAt96));
        // The toolbar's pixel pictures grow by whole factors only, to stay crisp; the buttons
        // may grow taller, to the find box's line.
        const LRESULT button =
            support::SendWithTimeout(support::FindChild(main, TOOLBARCLASSNAMEA), TB_GETBUTTONSIZE)
                .value_or(0);
        const int factor = static_cast<int>(dpi) / 96;
        EXPECT_EQ(LOWORD(button), kButtonAt96.cx * factor);
        EXPECT_GE(HIWORD(button), kButtonAt96.cy * factor);
        PostMessageA(main, WM_CLOSE, 0, 0);
        ASSERT_TRUE(program.process.WaitForExit().has_value());
    }
}

} // namespace
} // namespace e2e
