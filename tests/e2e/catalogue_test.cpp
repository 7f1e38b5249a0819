// The application list as a user meets it: the catalogue read from the sandbox's "apps"
// folder, its messages, the four view types, the context menus, and starting applications in
// the remote desktop client double.
#include "tests/e2e/skiffdesk_fixture.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "tests/support/icon_bytes.h"
#include "tests/support/process.h"
#include "tests/support/records.h"
#include "tests/support/remote_list_view.h"
#include "tests/support/screenshot.h"
#include "tests/support/window_control.h"
#include "tests/support/window_find.h"

namespace e2e {
namespace {

constexpr int kConnect = 32776;
constexpr int kViewBigIcons = 32777;
constexpr int kViewSmallIcons = 32778;
constexpr int kViewList = 32779;
constexpr int kViewDetails = 32780;
constexpr int kFindApp = 32782;
constexpr int kViewToolbar = 59392;
constexpr int kFindBoxId = 1014;
constexpr char kNameNotFound[] = "Error, Do not find the APP name!";
constexpr char kLaunchFailed[] = "The Program does not launch your Microsoft Remote Desktop "
                                 "Connection.  Please update it at apps.skiffdesk.example.";
// Long enough for a box or a record that would come; used only where nothing must come.
constexpr support::Millis kQuietSpell{1500};

// A folder link named name in folder, leading to target (relative, '/' between names; by
// default the folder's parent). The system's call comes first; where it makes nothing (no
// right to, or a stub), the host's link tool behind drive Z: does.
class LinkUp {
public:
    LinkUp(const std::string& folder, const std::string& name, const std::string& target = "..")
        : m_folder(folder), m_name(name), m_path(folder + "\\" + name) {
        std::string windowsTarget = target;
        std::replace(windowsTarget.begin(), windowsTarget.end(), '/', '\\');
        CreateSymbolicLinkA(m_path.c_str(), windowsTarget.c_str(),
                            SYMBOLIC_LINK_FLAG_DIRECTORY |
                                SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
        if (!Exists()) {
            RunHostTool("Z:\\usr\\bin\\ln", "-s " + target + " " + m_name);
            support::WaitFor([&] { return Exists(); }, support::Millis(3000));
        }
    }
    ~LinkUp() {
        if (!RemoveDirectoryA(m_path.c_str())) {
            RunHostTool("Z:\\usr\\bin\\rm", m_name);
            support::WaitFor([&] { return !Exists(); }, support::Millis(3000));
        }
    }
    bool Exists() const { return GetFileAttributesA(m_path.c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    void RunHostTool(const std::string& tool, const std::string& arguments) const {
        const support::Process process = support::Process::Start(tool, arguments, m_folder);
        if (process.Valid())
            process.WaitForExit();
    }
    std::string m_folder, m_name, m_path;
};

class CatalogueTest : public SandboxTest {
protected:
    // Starts the program with an account stored, so no sign-up dialog comes in between, and
    // waits for its list.
    HWND StartAndFindList() {
        EXPECT_TRUE(WriteSetting("Setup", "reg", 1));
        m_pProgram = &StartProgram();
        m_main = WaitForMainWindow(*m_pProgram);
        return m_main != nullptr ? ListOf(m_main) : nullptr;
    }
    std::string AppPath(const std::string& relative) const {
        return AppsFolder() + "\\" + relative;
    }
    // A point on an item's label, in the list's client co-ordinates, packed for a mouse message.
    static LPARAM OnItem(HWND list, int item) {
        const std::optional<RECT> label = support::ListItemRect(list, item, LVIR_LABEL);
        EXPECT_TRUE(label.has_value());
        const RECT r = label.value_or(RECT{});
        return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // A point in the list's empty area, below its items.
    static LPARAM BelowItems(HWND list) {
        RECT client{};
        GetClientRect(list, &client);
        return MAKELPARAM(client.right / 2, client.bottom - 5);
    }
    support::WindowQuery PopupMenus() const {
        support::WindowQuery query;
        query.processId = m_pProgram->process.Id();
        query.className = "#32768";
        query.visibleOnly = true;
        return query;
    }
    HWND WaitForPopupMenu() { return support::WaitForTopLevelWindow(PopupMenus()); }
    // No menu open and the keyboard focus in window, so that keys pressed now reach it.
    bool WaitForKeyboardFocus(HWND window) const {
        return support::WaitFor([&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return support::FindTopLevelWindow(PopupMenus()) == nullptr &&
                   GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
                   info.hwndFocus == window;
        });
    }
    // Right-clicks at where, then picks the popup's item at position (from the top) by keys.
    void ChooseFromPopup(HWND list, LPARAM where, int position) {
        ASSERT_TRUE(PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, where));
        ASSERT_TRUE(PostMessageA(list, WM_RBUTTONUP, 0, where));
        PickFromPopup(position);
    }
    void PickFromPopup(int position) {
        HWND popup = WaitForPopupMenu();
        ASSERT_NE(popup, nullptr) << "no popup menu";
        for (int i = 0; i <= position; ++i)
            support::PostKey(popup, VK_DOWN);
        support::PostKey(popup, VK_RETURN);
    }
    std::vector<std::string> LaunchedFiles(std::size_t count) {
        std::vector<std::string> files;
        for (const std::string& line : WaitForRecord(kRemoteDesktopDouble, count))
            files.push_back(support::ArgumentsOf(line));
        return files;
    }

    Program* m_pProgram = nullptr;
    HWND m_main = nullptr;
};

TEST_F(CatalogueTest, NestedFoldersAreReadBreadthFirstInNameOrder) {
    ASSERT_TRUE(WriteConnectionFile("b.rdp", "Beta"));
    ASSERT_TRUE(WriteConnectionFile("A.RDP", "Alpha"));
    ASSERT_TRUE(WriteConnectionFile("same.rdp", "Alpha")); // duplicates stay two items
    ASSERT_TRUE(WriteConnectionFile("sub2\\x.rdp", "Second"));
    ASSERT_TRUE(WriteConnectionFile("Sub1\\deep\\z.rdp", "Deep"));
    ASSERT_TRUE(WriteConnectionFile("Sub1\\y.rdp", "First"));
    ASSERT_TRUE(WriteConnectionFile("Sub1\\y.rdp.bak", "Backup"));
    ASSERT_TRUE(WriteAppsFile("empty.rdp", ""));                                     // silently
    ASSERT_TRUE(WriteAppsFile("noname.rdp", std::string("\xFF\xFE", 2) + "r\0:\0")); // box
    HWND list = nullptr;
    EXPECT_TRUE(WriteSetting("Setup", "reg", 1));
    Program& program = StartProgram();
    const std::optional<support::MessageBoxView> box = WaitForBoxPastSharedFolder(program);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, AppPath("noname.rdp"));
    EXPECT_EQ(box->text, kNameNotFound);
    support::AnswerMessageBox(*box, IDOK);
    m_main = WaitForMainWindow(program);
    ASSERT_NE(m_main, nullptr);
    list = ListOf(m_main);
    EXPECT_EQ(support::ListItemTexts(list),
              (std::vector<std::string>{"Alpha", "Beta", "Alpha", "First", "Second", "Deep"}));
    EXPECT_TRUE(support::MessageBoxesOf(program.process.Id()).empty());
}

TEST_F(CatalogueTest, MissingAppsFolderGivesOneBoxAndAnEmptyList) {
    ASSERT_TRUE(RemoveDirectoryA(AppsFolder().c_str()));
    EXPECT_TRUE(WriteSetting("Setup", "reg", 1));
    Program& program = StartProgram();
    const std::optional<support::MessageBoxView> box = WaitForBoxPastSharedFolder(program);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Skiffdesk");
    EXPECT_EQ(box->text, AppsFolder() + "\\ occurs error!");
    support::AnswerMessageBox(*box, IDOK);
    m_main = WaitForMainWindow(program);
    ASSERT_NE(m_main, nullptr);
    EXPECT_EQ(support::ListItemCount(ListOf(m_main)), 0);
    EXPECT_TRUE(support::MessageBoxesOf(program.process.Id()).empty());
}

TEST_F(CatalogueTest, CapitalisedKeyIsNotFoundAndTheBoxNamesTheFile) {
    ASSERT_TRUE(WriteConnectionFile("good.rdp", "Good"));
    std::string bytes = "\xFF\xFE";
    for (char c : std::string("RemoteApplicationName:s:Calc\r\n")) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    ASSERT_TRUE(WriteAppsFile("sub\\caps.rdp", bytes));
    EXPECT_TRUE(WriteSetting("Setup", "reg", 1));
    Program& program = StartProgram();
    const std::optional<support::MessageBoxView> box = WaitForBoxPastSharedFolder(program);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, AppPath("sub\\caps.rdp"));
    EXPECT_EQ(box->text, kNameNotFound);
    support::AnswerMessageBox(*box, IDOK);
    m_main = WaitForMainWindow(program);
    ASSERT_NE(m_main, nullptr);
    EXPECT_EQ(support::ListItemTexts(ListOf(m_main)), std::vector<std::string>{"Good"});
}

TEST_F(CatalogueTest, ViewTypeCommandsSwitchTheListStyle) {
    const std::vector<std::string> names = {"Calculator", "Notepad",  "Paint", "Word processor",
                                            "Slides",     "Terminal", "Mail",  "Drawing"};
    for (const std::string& name : names)
        ASSERT_TRUE(WriteConnectionFile(name + ".rdp", name));
    HWND list = StartAndFindList();
    ASSERT_NE(list, nullptr);
    // The last details row lies below the one row of big icons: it must not stay on screen.
    const RECT lastRow = support::ListItemRect(list, 7, LVIR_LABEL).value_or(RECT{});
    const auto lastRowGone = [&] {
        for (int x = lastRow.left; x < lastRow.left + 40; ++x) {
            for (int y = lastRow.top + 2; y < lastRow.bottom - 2; ++y) {
                POINT at{x, y};
                ClientToScreen(list, &at);
                if (support::ScreenPixel(at) != GetSysColor(COLOR_WINDOW))
                    return false;
            }
        }
        return true;
    };
    ASSERT_TRUE(support::SetListItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED,
                                          LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(support::StyleOf(list) & (LVS_TYPEMASK | LVS_OWNERDRAWFIXED),
              LVS_REPORT | LVS_OWNERDRAWFIXED)
        << "the list starts in the details view";
    const struct {
        int command;
        LONG_PTR type;
        const char* shot;
    } cases[] = {
        {kViewBigIcons, LVS_ICON, "big_icons"}, {kViewSmallIcons, LVS_SMALLICON, "small_icons"},
        {kViewList, LVS_LIST, "list"},          {kViewDetails, LVS_REPORT, "details"},
        {kViewDetails, LVS_REPORT, "details"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shot);
        ASSERT_TRUE(support::PostCommand(m_main, c.command));
        EXPECT_TRUE(
            support::WaitFor([&] { return (support::StyleOf(list) & LVS_TYPEMASK) == c.type; }));
        if (c.type == LVS_ICON) {
            EXPECT_TRUE(support::WaitFor(lastRowGone, kQuietSpell));
        }
        // The README's pictures: drawn in full before they are taken.
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        support::SaveScreenshot(Sandbox() + "\\view_" + c.shot + ".bmp", m_main);
    }
    EXPECT_NE(support::StyleOf(list) & LVS_OWNERDRAWFIXED, 0);
    EXPECT_EQ(support::ListItemCount(list), 8);
}

TEST_F(CatalogueTest, ContextMenusOnAnItemAndOnTheEmptyArea) {
    ASSERT_TRUE(WriteConnectionFile("Notepad.rdp", "Notepad"));
    ASSERT_TRUE(WriteConnectionFile("Paint.rdp", "Paint"));
    HWND list = StartAndFindList();
    ASSERT_NE(list, nullptr);
    // On an item: "Connect" starts that item.
    ChooseFromPopup(list, OnItem(list, 1), 0);
    EXPECT_EQ(LaunchedFiles(1), std::vector<std::string>{"\"" + AppPath("Paint.rdp") + "\""});
    // On the empty area: the view types, "Big icons" first.
    ChooseFromPopup(list, BelowItems(list), 0);
    EXPECT_TRUE(
        support::WaitFor([&] { return (support::StyleOf(list) & LVS_TYPEMASK) == LVS_ICON; }));
    EXPECT_EQ(Record(kRemoteDesktopDouble).size(), 1u);
}

TEST_F(CatalogueTest, ConnectStartsEverySelectedItemInListOrder) {
    ASSERT_TRUE(WriteConnectionFile("a.rdp", "A"));
    ASSERT_TRUE(WriteConnectionFile("b.rdp", "B"));
    ASSERT_TRUE(WriteConnectionFile("c.rdp", "C"));
    ASSERT_TRUE(WriteConnectionFile("with spaces\\d e.rdp", "D"));
    HWND list = StartAndFindList();
    ASSERT_NE(list, nullptr);
    for (int item : {3, 0, 2})
        ASSERT_TRUE(support::SetListItemState(list, item, LVIS_SELECTED, LVIS_SELECTED));
    ASSERT_TRUE(support::PostCommand(m_main, kConnect));
    const std::vector<std::string> lines = WaitForRecord(kRemoteDesktopDouble, 3);
    ASSERT_EQ(lines.size(), 3u);
    std::vector<std::string> files;
    for (const std::string& line : lines) {
        files.push_back(support::ArgumentsOf(line));
        // The client in the system folder, never the copy in the program's own folder.
        EXPECT_NE(line.find(SystemRemoteDesktopClient()), std::string::npos) << line;
    }
    EXPECT_EQ(files, (std::vector<std::string>{"\"" + AppPath("a.rdp") + "\"",
                                               "\"" + AppPath("c.rdp") + "\"",
                                               "\"" + AppPath("with spaces\\d e.rdp") + "\""}));
}

TEST_F(CatalogueTest, DoubleClickStartsOnlyTheItemUnderThePointer) {
    ASSERT_TRUE(WriteConnectionFile("a.rdp", "A"));
    ASSERT_TRUE(WriteConnectionFile("b.rdp", "B"));
    ASSERT_TRUE(WriteConnectionFile("c.rdp", "C"));
    HWND list = StartAndFindList();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(support::SetListItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED));
    // The empty area first: were it to start anything, that start would come first.
    ASSERT_TRUE(PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, BelowItems(list)));
    ASSERT_TRUE(support::SetListItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED));
    ASSERT_TRUE(PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, OnItem(list, 1)));
    EXPECT_EQ(LaunchedFiles(1), std::vector<std::string>{"\"" + AppPath("b.rdp") + "\""});
    EXPECT_EQ(WaitForRecord(kRemoteDesktopDouble, 2, kQuietSpell).size(), 1u);
}

// Only the system's client is started: the copy planted beside the program never runs.
TEST_F(CatalogueTest, WithoutTheSystemClientEachItemGivesOneBox) {
    ASSERT_TRUE(RemoveSystemRemoteDesktopClient());
    ASSERT_TRUE(WriteConnectionFile("a.rdp", "A"));
    ASSERT_TRUE(WriteConnectionFile("b.rdp", "B"));
    HWND list = StartAndFindList();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(support::SetListItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED));
    ASSERT_TRUE(support::PostCommand(m_main, kConnect));
    for (int box = 0; box < 2; ++box) {
        SCOPED_TRACE(box);
        const std::optional<support::MessageBoxView> shown = WaitForMessageBox(*m_pProgram);
        ASSERT_TRUE(shown.has_value());
        EXPECT_EQ(shown->caption, "Unknown error");
        EXPECT_EQ(shown->text, kLaunchFailed);
        EXPECT_EQ(shown->buttons, std::vector<int>{IDOK});
        ASSERT_TRUE(support::AnswerMessageBox(*shown, IDOK));
    }
    EXPECT_FALSE(WaitForMessageBox(*m_pProgram, kQuietSpell).has_value());
    EXPECT_TRUE(Record(kRemoteDesktopDouble).empty());
}

TEST_F(CatalogueTest, EnterStartsEverySelectedItem) {
    for (const char* name : {"a", "b", "c"})
        ASSERT_TRUE(WriteConnectionFile(std::string(name) + ".rdp", name));
    HWND list = StartAndFindList();
    ASSERT_NE(list, nullptr);
    for (int item : {2, 0})
        ASSERT_TRUE(support::SetListItemState(list, item, LVIS_SELECTED, LVIS_SELECTED));
    ASSERT_TRUE(support::PostKey(list, VK_RETURN));
    EXPECT_EQ(LaunchedFiles(2), (std::vector<std::string>{"\"" + AppPath("a.rdp") + "\"",
                                                          "\"" + AppPath("c.rdp") + "\""}));
}

// The keyboard's context menus, each item chosen by its access key.
TEST_F(CatalogueTest, ContextMenuKeysOpenTheItemOrTheViewMenu) {
    ASSERT_TRUE(WriteConnectionFile("a.rdp", "A"));
    ASSERT_TRUE(WriteConnectionFile("b.rdp", "B"));
    HWND list = StartAndFindList();
    ASSERT_NE(list, nullptr);
    const struct {
        const char* name;
        int item; // focused and selected; -1: nothing selected
        UINT key;
        unsigned modifiers;
        UINT accessKey;
        LONG_PTR type;        // the view type after the choice
        std::size_t launched; // starts recorded after the choice
    } cases[] = {
        {"menu key, no selection", -1, VK_APPS, support::kNoModifier, 'B', LVS_ICON, 0},
        {"shift+f10, no selection", -1, VK_F10, support::kShift, 'S', LVS_SMALLICON, 0},
        {"shift+f10 on an item", 1, VK_F10, support::kShift, 'C', LVS_SMALLICON, 1},
        {"menu key on an item", 0, VK_APPS, support::kNoModifier, 'C', LVS_SMALLICON, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(support::SetListItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED));
        if (c.item != -1) {
            ASSERT_TRUE(support::SetListItemState(list, c.item, LVIS_SELECTED | LVIS_FOCUSED,
                                                  LVIS_SELECTED | LVIS_FOCUSED));
        }
        ASSERT_TRUE(WaitForKeyboardFocus(list));
        ASSERT_TRUE(support::PressKey(m_main, c.key, c.modifiers));
        HWND popup = WaitForPopupMenu();
        ASSERT_NE(popup, nullptr) << "no popup menu";
        // At the item's label, or at the list's corner.
        POINT at{};
        if (c.item != -1) {
            const RECT label = support::ListItemRect(list, c.item, LVIR_LABEL).value_or(RECT{});
            at = POINT{label.left, label.bottom};
        }
        ClientToScreen(list, &at);
        RECT shown{};
        GetWindowRect(popup, &shown);
        EXPECT_EQ(shown.left, at.x);
        EXPECT_EQ(shown.top, at.y);
        ASSERT_TRUE(support::PostKey(popup, c.accessKey));
        EXPECT_TRUE(
            support::WaitFor([&] { return (support::StyleOf(list) & LVS_TYPEMASK) == c.type; }));
        EXPECT_EQ(WaitForRecord(kRemoteDesktopDouble, c.launched).size(), c.launched);
    }
    EXPECT_EQ(LaunchedFiles(2), (std::vector<std::string>{"\"" + AppPath("b.rdp") + "\"",
                                                          "\"" + AppPath("a.rdp") + "\""}));
}

TEST_F(CatalogueTest, F5RebuildsTheListFromTheFolderInTheSameView) {
    ASSERT_TRUE(WriteConnectionFile("a.rdp", "A"));
    ASSERT_TRUE(WriteConnectionFile("b.rdp", "B"));
    HWND list = StartAndFindList();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(support::PostCommand(m_main, kViewList));
    ASSERT_TRUE(
        support::WaitFor([&] { return (support::StyleOf(list) & LVS_TYPEMASK) == LVS_LIST; }));
    ASSERT_TRUE(WriteConnectionFile("c.rdp", "C"));
    ASSERT_TRUE(DeleteFileA(AppPath("b.rdp").c_str()));
    ASSERT_TRUE(support::PostKey(list, VK_F5));
    EXPECT_TRUE(support::WaitFor([&] {
        return support::ListItemTexts(list) == std::vector<std::string>{"A", "C"};
    })) << support::ListItemTexts(list).size();
    EXPECT_EQ(support::StyleOf(list) & LVS_TYPEMASK, LVS_LIST);
    // The rebuilt catalogue is what starts.
    ASSERT_TRUE(support::SetListItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED));
    ASSERT_TRUE(support::PostCommand(m_main, kConnect));
    EXPECT_EQ(LaunchedFiles(1), std::vector<std::string>{"\"" + AppPath("c.rdp") + "\""});
}

TEST_F(CatalogueTest, AFolderLinkLeadingBackUpIsListedOnce) {
    ASSERT_TRUE(WriteConnectionFile("a.rdp", "Top"));
    ASSERT_TRUE(WriteConnectionFile("Sub\\b.rdp", "Inner"));
    const LinkUp link(AppPath("Sub"), "up");
    if (!link.Exists())
        GTEST_SKIP() << "no folder link can be made here";
    HWND list = StartAndFindList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(support::ListItemTexts(list), (std::vector<std::string>{"Top", "Inner"}));
}

// The find box in the main window's toolbar.
HWND FindBoxOf(HWND mainWindow) {
    return support::FindChildById(mainWindow, kFindBoxId);
}

// The status bar control, whose window text is its message pane's.
HWND StatusBarOf(HWND mainWindow) {
    constexpr int kStatusBarId = 59393;
    return FindWindowExA(GetDlgItem(mainWindow, kStatusBarId), nullptr, STATUSCLASSNAMEA, nullptr);
}

void TypeText(HWND window, const std::string& text) {
    for (const char c : text)
        PostMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
}

class FindTest : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        for (const auto& [file, name] : {std::pair{"a.rdp", "Word processor"},
                                         {"b.rdp", "Spreadsheet"},
                                         {"c.rdp", "WordPad"},
                                         {"d.rdp", "Paint"}})
            ASSERT_TRUE(WriteConnectionFile(file, name));
        m_list = StartAndFindList();
        ASSERT_NE(m_list, nullptr);
        m_box = FindBoxOf(m_main);
        ASSERT_NE(m_box, nullptr);
    }
    bool ListShows(const std::vector<std::string>& names) const {
        return support::WaitFor([&] { return support::ListItemTexts(m_list) == names; });
    }
    // The colour near the right end of an item's row, where only its highlight reaches.
    std::optional<COLORREF> RowEndColour(int item) const {
        const RECT row = support::ListItemRect(m_list, item, LVIR_BOUNDS).value_or(RECT{});
        RECT client{};
        GetClientRect(m_list, &client);
        POINT at{client.right - 10, (row.top + row.bottom) / 2};
        ClientToScreen(m_list, &at);
        return support::ScreenPixel(at);
    }
    std::string Quoted(const std::string& file) const { return "\"" + AppPath(file) + "\""; }

    HWND m_list = nullptr;
    HWND m_box = nullptr;
    const std::vector<std::string> m_all{"Word processor", "Spreadsheet", "WordPad", "Paint"};
};

TEST_F(FindTest, TypingNarrowsTheListAndEscBringsItAllBack) {
    ASSERT_TRUE(support::PressKey(m_main, 'F', support::kCtrl));
    ASSERT_TRUE(WaitForKeyboardFocus(m_box));
    TypeText(m_box, "wOR");
    EXPECT_TRUE(ListShows({"Word processor", "WordPad"}));
    // The first match is chosen, and shows so while the caret stays in the box.
    EXPECT_EQ(support::SelectedListItems(m_list), std::vector<int>{0});
    EXPECT_TRUE(support::WaitFor([&] { return RowEndColour(0) == GetSysColor(COLOR_HIGHLIGHT); }));
    EXPECT_TRUE(support::WaitFor([&] {
        return support::WindowText(StatusBarOf(m_main)) == "2 of 4 applications";
    })) << support::WindowText(StatusBarOf(m_main));
    // Enter starts the selected matches, each from its own file.
    ASSERT_TRUE(support::SetListItemState(m_list, -1, LVIS_SELECTED, LVIS_SELECTED));
    ASSERT_TRUE(support::PostKey(m_box, VK_RETURN));
    EXPECT_EQ(LaunchedFiles(2), (std::vector<std::string>{Quoted("a.rdp"), Quoted("c.rdp")}));
    ASSERT_TRUE(support::PostKey(m_box, VK_DOWN));
    EXPECT_TRUE(WaitForKeyboardFocus(m_list));
    ASSERT_TRUE(support::PostCommand(m_main, kFindApp));
    ASSERT_TRUE(WaitForKeyboardFocus(m_box));
    ASSERT_TRUE(support::PostKey(m_box, VK_ESCAPE));
    EXPECT_TRUE(ListShows(m_all));
    EXPECT_TRUE(WaitForKeyboardFocus(m_list));
    EXPECT_EQ(support::WindowText(StatusBarOf(m_main)), "Ready");
    // A letter typed in the list starts a search with it; a double-click starts the match.
    TypeText(m_list, "n");
    EXPECT_TRUE(ListShows({"Paint"}));
    EXPECT_EQ(support::WindowText(m_box), "n");
    ASSERT_TRUE(PostMessageA(m_list, WM_LBUTTONDBLCLK, MK_LBUTTON, OnItem(m_list, 0)));
    EXPECT_EQ(LaunchedFiles(3).back(), Quoted("d.rdp"));
    ASSERT_TRUE(support::SetWindowTextRemote(m_box, "zzz"));
    EXPECT_TRUE(ListShows({}));
    ASSERT_TRUE(support::SetWindowTextRemote(m_box, ""));
    EXPECT_TRUE(ListShows(m_all));
    // The box lives in the toolbar: with the toolbar hidden, Ctrl+F shows it again.
    ASSERT_TRUE(support::PostKey(m_box, VK_DOWN));
    ASSERT_TRUE(WaitForKeyboardFocus(m_list));
    ASSERT_TRUE(support::PostCommand(m_main, kViewToolbar));
    ASSERT_TRUE(support::WaitFor([&] { return !IsWindowVisible(m_box); }));
    ASSERT_TRUE(support::PressKey(m_main, 'F', support::kCtrl));
    EXPECT_TRUE(WaitForKeyboardFocus(m_box));
    EXPECT_TRUE(IsWindowVisible(m_box));
}

TEST_F(FindTest, ViewsMenusAndReloadWorkOnTheMatches) {
    ASSERT_TRUE(support::SetWindowTextRemote(m_box, "word"));
    ASSERT_TRUE(ListShows({"Word processor", "WordPad"}));
    for (const auto& [command, type] : {std::pair{kViewBigIcons, LVS_ICON},
                                        {kViewSmallIcons, LVS_SMALLICON},
                                        {kViewList, LVS_LIST},
                                        {kViewDetails, LVS_REPORT}}) {
        SCOPED_TRACE(type);
        ASSERT_TRUE(support::PostCommand(m_main, command));
        EXPECT_TRUE(
            support::WaitFor([&] { return (support::StyleOf(m_list) & LVS_TYPEMASK) == type; }));
        EXPECT_TRUE(ListShows({"Word processor", "WordPad"}));
    }
    ChooseFromPopup(m_list, OnItem(m_list, 1), 0);
    EXPECT_EQ(LaunchedFiles(1), std::vector<std::string>{Quoted("c.rdp")});
    // F5 reads the folder again and keeps the search.
    ASSERT_TRUE(WriteConnectionFile("aa.rdp", "Word art"));
    ASSERT_TRUE(support::PostKey(m_list, VK_F5));
    EXPECT_TRUE(ListShows({"Word processor", "Word art", "WordPad"}));
    ASSERT_TRUE(support::SetListItemState(m_list, -1, 0, LVIS_SELECTED));
    ASSERT_TRUE(support::SetListItemState(m_list, 2, LVIS_SELECTED, LVIS_SELECTED));
    ASSERT_TRUE(support::PostCommand(m_main, kConnect));
    EXPECT_EQ(LaunchedFiles(2).back(), Quoted("c.rdp"));
}

// An icon file of a 16 and a 32 pixel image, every pixel colour (opaque).
std::string SolidIcon(COLORREF colour) {
    const std::uint32_t argb =
        (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour) | 0xFF000000u;
    return support::IconFileBytes({16, 32}, [argb](std::uint32_t) { return argb; });
}

// Every pixel of an item's icon, as the screen shows it.
std::vector<COLORREF> IconPixels(HWND list, int item) {
    const RECT icon = support::ListItemRect(list, item, LVIR_ICON).value_or(RECT{});
    std::vector<COLORREF> pixels;
    for (int y = icon.top; y < icon.bottom; ++y) {
        for (int x = icon.left; x < icon.right; ++x) {
            POINT at{x, y};
            ClientToScreen(list, &at);
            pixels.push_back(support::ScreenPixel(at).value_or(CLR_INVALID));
        }
    }
    return pixels;
}

TEST_F(CatalogueTest, EachApplicationShowsItsOwnIconOrTheGlobe) {
    constexpr COLORREF kRed = RGB(255, 0, 0);
    const std::string good = SolidIcon(kRed);
    const struct {
        const char* file;
        std::string icon; // empty: no icon file
    } apps[] = {
        {"a", good},
        {"b", ""},
        {"c", "not an icon"},
        {"d", good.substr(0, good.size() / 2)},
    };
    for (const auto& app : apps) {
        ASSERT_TRUE(WriteConnectionFile(std::string(app.file) + ".rdp", app.file));
        if (!app.icon.empty()) {
            ASSERT_TRUE(WriteAppsFile(std::string(app.file) + ".ico", app.icon));
        }
    }
    HWND list = StartAndFindList();
    ASSERT_NE(list, nullptr);
    for (const int view : {kViewDetails, kViewBigIcons}) {
        SCOPED_TRACE(view);
        ASSERT_TRUE(support::PostCommand(m_main, view));
        const auto red = [&](int item) {
            const std::vector<COLORREF> pixels = IconPixels(list, item);
            return !pixels.empty() && std::count(pixels.begin(), pixels.end(), kRed) * 4 >
                                          static_cast<std::ptrdiff_t>(pixels.size());
        };
        EXPECT_TRUE(support::WaitFor([&] { return red(0); }));
        // A missing, a bad and a cut-short icon file all leave the very same globe.
        const std::vector<COLORREF> globe = IconPixels(list, 1);
        EXPECT_FALSE(red(1));
        EXPECT_EQ(IconPixels(list, 2), globe);
        EXPECT_EQ(IconPixels(list, 3), globe);
    }
    EXPECT_EQ(support::ListItemTexts(list), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_FALSE(WaitForMessageBox(*m_pProgram, kQuietSpell).has_value()) << "bad icons are silent";
}

TEST_F(CatalogueTest, AFolderLinkLeadingOutOfTheTreeIsNotWalked) {
    ASSERT_TRUE(WriteConnectionFile("a.rdp", "Top"));
    ASSERT_TRUE(WriteConnectionFile("..\\outside\\b.rdp", "Outside"));
    const LinkUp link(AppsFolder(), "out", "../outside");
    if (!link.Exists())
        GTEST_SKIP() << "no folder link can be made here";
    HWND list = StartAndFindList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(support::ListItemTexts(list), std::vector<std::string>{"Top"});
}

} // namespace
} // namespace e2e
