// The automation library against windows on a thread of the test process: message boxes,
// edits, list views and posted accelerator keys. The e2e tests read the program through
// these calls, so a fault here would make them pass or fail for the wrong reason.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "tests/support/message_box.h"
#include "tests/support/remote_list_view.h"
#include "tests/support/window_control.h"
#include "tests/support/window_find.h"

namespace e2e {
namespace {

constexpr char kWindowClass[] = "SkiffAutomationTarget";
constexpr int kEditId = 10;
constexpr int kListId = 11;
constexpr WORD kNewCommand = 57600;
constexpr WORD kShiftCommand = 40001;
constexpr WORD kAltCommand = 40002;
constexpr WORD kPlainCommand = 40003;

// A top-level window with an edit and a report list, run by its own thread with an accelerator
// table in its message loop, as the program's main window would be.
class TargetWindow {
public:
    TargetWindow() {
        std::promise<HWND> created;
        std::future<HWND> window = created.get_future();
        m_thread = std::thread([this, &created] { Run(created); });
        m_hWnd = window.get();
    }
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;
    ~TargetWindow() {
        PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        m_thread.join();
    }

    HWND Window() const { return m_hWnd; }
    HWND Edit() const { return GetDlgItem(m_hWnd, kEditId); }
    HWND List() const { return GetDlgItem(m_hWnd, kListId); }
    std::vector<WORD> Commands() const {
        std::lock_guard lock(m_mutex);
        return m_commands;
    }

private:
    static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TargetWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (message == WM_COMMAND && self != nullptr && lParam == 0) {
            std::lock_guard lock(self->m_mutex);
            self->m_commands.push_back(LOWORD(wParam));
            return 0;
        }
        if (message == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }

    void Run(std::promise<HWND>& created) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kWindowClass;
        RegisterClassA(&windowClass);
        HWND window = CreateWindowA(kWindowClass, "Automation target", WS_OVERLAPPEDWINDOW, 0, 0,
                                    400, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        CreateWindowA("Edit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 200, 20, window,
                      reinterpret_cast<HMENU>(kEditId), windowClass.hInstance, nullptr);
        HWND list =
            CreateWindowA(WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 30, 300, 200,
                          window, reinterpret_cast<HMENU>(kListId), windowClass.hInstance, nullptr);
        FillList(list);
        ShowWindow(window, SW_SHOW);

        ACCEL keys[] = {
            {FVIRTKEY | FCONTROL, 'N', kNewCommand},
            {FVIRTKEY | FSHIFT, VK_F10, kShiftCommand},
            {FVIRTKEY | FALT, 'X', kAltCommand},
            {FVIRTKEY, VK_F5, kPlainCommand},
        };
        HACCEL table = CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys)));
        created.set_value(window);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (TranslateAcceleratorA(window, table, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DestroyAcceleratorTable(table);
        UnregisterClassA(kWindowClass, windowClass.hInstance);
    }

    static void FillList(HWND list) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 100;
        for (const char* title : {"Name", "Path"}) {
            column.pszText = const_cast<char*>(title);
            SendMessageA(list, LVM_INSERTCOLUMNA, column.iSubItem++,
                         reinterpret_cast<LPARAM>(&column));
        }
        const char* rows[][2] = {{"Paint", "C:\\apps\\Paint.rdp"},
                                 {"", "C:\\apps\\empty name.rdp"},
                                 {"Word processor", "C:\\apps\\sub\\Word.rdp"}};
        for (int i = 0; i < 3; ++i) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = const_cast<char*>(rows[i][0]);
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            item.iSubItem = 1;
            item.pszText = const_cast<char*>(rows[i][1]);
            SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        }
    }

    std::thread m_thread;
    HWND m_hWnd = nullptr;
    mutable std::mutex m_mutex;
    std::vector<WORD> m_commands;
};

TEST(Automation, ReadsAndAnswersMessageBoxes) {
    const struct {
        UINT type;
        std::vector<int> buttons;
        int answer;
    } cases[] = {
        {MB_OK, {IDOK}, IDOK},
        {MB_YESNO | MB_ICONQUESTION, {IDYES, IDNO}, IDNO},
        {MB_YESNO, {IDYES, IDNO}, IDYES},
        {MB_OKCANCEL | MB_ICONEXCLAMATION, {IDOK, IDCANCEL}, IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        std::future<int> result = std::async(std::launch::async, [&] {
            return MessageBoxA(nullptr, "Failed to connect to server\nTry again?", "Skiffdesk",
                               c.type);
        });
        const std::optional<support::MessageBoxView> box =
            support::WaitForMessageBox(GetCurrentProcessId());
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->caption, "Skiffdesk");
        EXPECT_EQ(box->text, "Failed to connect to server\nTry again?");
        EXPECT_EQ(box->buttons, c.buttons);
        ASSERT_TRUE(support::AnswerMessageBox(*box, c.answer));
        EXPECT_EQ(result.get(), c.answer);
    }
}

TEST(Automation, FindsWindowsAndReadsAndSetsTheirText) {
    TargetWindow target;
    support::WindowQuery query;
    query.processId = GetCurrentProcessId();
    query.className = kWindowClass;
    EXPECT_EQ(support::FindTopLevelWindow(query), target.Window());
    query.title = "Automation target";
    EXPECT_EQ(support::FindTopLevelWindow(query), target.Window());
    query.title = "Automation";
    EXPECT_EQ(support::FindTopLevelWindow(query), nullptr) << "captions match whole";

    EXPECT_EQ(support::FindChild(target.Window(), "Edit"), target.Edit());
    EXPECT_EQ(support::FindChild(target.Window(), "Edit", 1), nullptr);
    const std::string longText(3000, 'x');
    for (const std::string& text : {std::string("Skiffdesk"), std::string(), longText}) {
        ASSERT_TRUE(support::SetWindowTextRemote(target.Edit(), text));
        EXPECT_EQ(support::WindowText(target.Edit()), text);
    }
    EXPECT_EQ(support::StyleOf(target.List()) & LVS_TYPEMASK, LVS_REPORT);
}

TEST(Automation, ReadsListViewItemsThroughTheOwnersMemory) {
    TargetWindow target;
    EXPECT_EQ(support::ListItemCount(target.List()), 3);
    EXPECT_EQ(support::ListItemTexts(target.List()),
              (std::vector<std::string>{"Paint", "", "Word processor"}));
    EXPECT_EQ(support::ListItemText(target.List(), 2, 1), "C:\\apps\\sub\\Word.rdp");
    EXPECT_TRUE(support::SelectedListItems(target.List()).empty());

    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    for (int item : {0, 2})
        SendMessageA(target.List(), LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(support::SelectedListItems(target.List()), (std::vector<int>{0, 2}));
    EXPECT_EQ(support::ListItemState(target.List(), 2, LVIS_SELECTED), UINT{LVIS_SELECTED});
    EXPECT_EQ(support::ListItemState(target.List(), 1, LVIS_SELECTED), 0u);
}

TEST(Automation, KeysReachAcceleratorsWithExactlyTheirModifiers) {
    TargetWindow target;
    const struct {
        UINT vk;
        unsigned modifiers;
    } typed[] = {
        {'N', support::kCtrl},     {'N', support::kNoModifier}, {VK_F5, support::kCtrl},
        {VK_F10, support::kShift}, {'X', support::kAlt},
    };
    for (const auto& key : typed)
        ASSERT_TRUE(support::PressKey(target.Window(), key.vk, key.modifiers));
    // Typed keys arrive in order, so the plain N and Ctrl+F5 have been handled by the time
    // Alt+X has: neither may have fired anything.
    std::vector<WORD> expected{kNewCommand, kShiftCommand, kAltCommand};
    EXPECT_TRUE(support::WaitFor([&] { return target.Commands().size() >= expected.size(); }));
    EXPECT_EQ(target.Commands(), expected);

    ASSERT_TRUE(support::PostKey(target.Window(), VK_F5));
    expected.push_back(kPlainCommand);
    EXPECT_TRUE(support::WaitFor([&] { return target.Commands().size() >= expected.size(); }));
    EXPECT_EQ(target.Commands(), expected);
}

} // namespace
} // namespace e2e
