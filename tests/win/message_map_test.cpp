// Message maps: rows reach their handlers with the message's parameters cracked, a derived
// table overrides its base's rows and falls back to them, unmapped messages get the default
// processing, and a subclassed system control handles its reflected notifications while its
// own messages still reach it.
#include "framework/wnd.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kFirst = WM_APP + 1;
constexpr UINT kSecond = WM_APP + 2;
constexpr UINT kThird = WM_APP + 3;
constexpr UINT kUnmapped = WM_APP + 4;

class BaseWnd : public CWnd {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    std::vector<std::string> calls;

protected:
    void OnFirst() { calls.push_back("base first"); }
    void OnSecond() { calls.push_back("base second"); }

private:
    static const MessageEntry messageEntries[];
};
const MessageEntry BaseWnd::messageEntries[] = {
    MessageRow<&BaseWnd::OnFirst>(kFirst),
    MessageRow<&BaseWnd::OnSecond>(kSecond),
};
const MessageMap BaseWnd::messageMap{&CWnd::messageMap, messageEntries};

class DerivedWnd : public BaseWnd {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

protected:
    void OnSecond() { calls.push_back("derived second"); }
    LRESULT OnThird(WPARAM wParam, LPARAM lParam) {
        calls.push_back("derived third");
        return static_cast<LRESULT>(wParam) + lParam;
    }
    void OnSize(UINT nType, int cx, int cy) {
        calls.push_back("size " + std::to_string(nType) + " " + std::to_string(cx) + "x" +
                        std::to_string(cy));
    }
    void OnLButtonDown(UINT nFlags, POINT point) {
        calls.push_back("button " + std::to_string(nFlags) + " at " + std::to_string(point.x) +
                        "," + std::to_string(point.y));
    }

private:
    static const MessageEntry messageEntries[];
};
const MessageEntry DerivedWnd::messageEntries[] = {
    MessageRow<&DerivedWnd::OnSecond>(kSecond),
    MessageRow<&DerivedWnd::OnThird>(kThird),
    MessageRow<&DerivedWnd::OnSize>(WM_SIZE),
    MessageRow<&DerivedWnd::OnLButtonDown>(WM_LBUTTONDOWN),
};
const MessageMap DerivedWnd::messageMap{&BaseWnd::messageMap, messageEntries};

TEST(MessageMapTest, RowsOfTheClassComeFirstThenThoseOfItsBase) {
    DerivedWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, nullptr, "map", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::vector<std::string> calls;
        LRESULT result;
    } cases[] = {
        {kFirst, 0, 0, {"base first"}, 0},
        {kSecond, 0, 0, {"derived second"}, 0},
        {kThird, 40, 2, {"derived third"}, 42},
        {kUnmapped, 1, 2, {}, 0},
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(300, 150), {"size 2 300x150"}, 0},
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 7), {"button 1 at -5,7"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        wnd.calls.clear();
        EXPECT_EQ(wnd.SendMessage(c.message, c.wParam, c.lParam), c.result);
        EXPECT_EQ(wnd.calls, c.calls);
    }
}

TEST(MessageMapTest, DestroyingTheWindowDetachesTheObject) {
    DerivedWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, nullptr, "map", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    const HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
}

constexpr UINT kButtonId = 300;

class CheckBox : public CWnd {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    bool reflects = true;
    std::vector<WORD> notifications;

protected:
    LRESULT OnReflectedCommand(WPARAM wParam, LPARAM) {
        notifications.push_back(HIWORD(wParam));
        return 0;
    }

private:
    static const MessageEntry messageEntries[];
};
const MessageEntry CheckBox::messageEntries[] = {
    ReflectedRow<&CheckBox::OnReflectedCommand>(WM_COMMAND),
};
const MessageMap CheckBox::messageMap{&CWnd::messageMap, messageEntries};

// A check box whose object has no row for its reflected notification.
class PlainCheckBox : public CWnd {};

class ParentWnd : public CWnd {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    int clicks = 0;

protected:
    void OnButton() { ++clicks; }

private:
    static const MessageEntry messageEntries[];
};
const MessageEntry ParentWnd::messageEntries[] = {
    CommandRow<&ParentWnd::OnButton>(kButtonId),
};
const MessageMap ParentWnd::messageMap{&CWnd::messageMap, messageEntries};

TEST(MessageMapTest, SubclassedControlKeepsItsBehaviourAndGetsItsNotificationsBack) {
    ParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                nullptr));
    const RECT rect{10, 10, 110, 40};

    CheckBox reflecting;
    ASSERT_TRUE(reflecting.Create("BUTTON", "check", WS_VISIBLE | BS_AUTOCHECKBOX, rect, &parent,
                                  kButtonId));
    EXPECT_EQ(CWnd::FromHandle(reflecting.m_hWnd), &reflecting);
    // Default processing is the control's own: a plain window knows nothing of check marks.
    reflecting.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(reflecting.SendMessage(BM_GETCHECK), BST_CHECKED);
    reflecting.SendMessage(BM_CLICK);
    EXPECT_EQ(reflecting.notifications, std::vector<WORD>{BN_CLICKED});
    EXPECT_EQ(parent.clicks, 0) << "a reflected notification is not routed as a command too";
    EXPECT_EQ(reflecting.SendMessage(BM_GETCHECK), BST_UNCHECKED);

    // Without a reflected row, a click is the parent's command.
    PlainCheckBox plain;
    ASSERT_TRUE(
        plain.Create("BUTTON", "plain", WS_VISIBLE | BS_AUTOCHECKBOX, rect, &parent, kButtonId));
    plain.SendMessage(BM_CLICK);
    EXPECT_EQ(parent.clicks, 1);
}

// A list view whose object draws its own rows.
class OwnerDrawnList : public CWnd {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    int drawnRows = 0;

protected:
    LRESULT OnDrawItem(WPARAM, LPARAM) {
        ++drawnRows;
        return TRUE;
    }

private:
    static const MessageEntry messageEntries[];
};
const MessageEntry OwnerDrawnList::messageEntries[] = {
    ReflectedRow<&OwnerDrawnList::OnDrawItem>(WM_DRAWITEM),
};
const MessageMap OwnerDrawnList::messageMap{&CWnd::messageMap, messageEntries};

TEST(MessageMapTest, OwnerDrawnListViewDrawsItsRowsAndKeepsTheCommonControlMessages) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&classes));
    ParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                200, nullptr, nullptr));
    OwnerDrawnList list;
    ASSERT_TRUE(list.Create(WC_LISTVIEWA, "", WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED,
                            RECT{0, 0, 280, 180}, &parent, kButtonId + 1));
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = 200;
    list.SendMessage(LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    char text[] = "row";
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.pszText = text;
    ASSERT_EQ(list.SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)), 0);
    RedrawWindow(list.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(list.drawnRows, 1) << "the parent's WM_DRAWITEM reaches the list's own object";

    // The control's own messages, in the range where reflected rows used to be numbered, go
    // to the control and never to a reflected row.
    const int drawn = list.drawnRows;
    list.SendMessage(CCM_SETUNICODEFORMAT, TRUE);
    EXPECT_TRUE(list.SendMessage(CCM_GETUNICODEFORMAT));
    list.SendMessage(CCM_SETUNICODEFORMAT, FALSE);
    EXPECT_FALSE(list.SendMessage(CCM_GETUNICODEFORMAT));
    list.SendMessage(CCM_FIRST + WM_DRAWITEM);
    EXPECT_EQ(list.drawnRows, drawn);
}

} // namespace
