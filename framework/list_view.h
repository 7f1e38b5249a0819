// A view whose window is a list-view control, subclassed. Each member is one message to the
// control.
#pragma once

#include "framework/view.h"

#include <commctrl.h>

#include <string>

class CListView : public CView {
public:
    // The control's window class; the style the caller asks for is kept.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    int GetItemCount() const;
    // Inserts at nItem; returns the new item's index, or -1.
    int InsertItem(int nItem, const std::string& text, int nImage);
    int InsertColumn(int nCol, const std::string& heading, int nFormat, int nWidth);
    HIMAGELIST SetImageList(HIMAGELIST hImageList, int nImageListType);
    HIMAGELIST GetImageList(int nImageListType) const;
    // The next item after nItem (-1: from the start) with the flags (LVNI_SELECTED...), or -1.
    int GetNextItem(int nItem, int nFlags) const;
    // The item at point (client co-ordinates) and where on it (LVHT_...), or -1.
    int HitTest(POINT point, UINT* pFlags = nullptr) const;
    BOOL GetItemRect(int nItem, RECT* rect, int nCode) const;
    BOOL GetItem(LVITEMA* item) const;
    // Changes the window style: removes dwRemove, adds dwAdd; TRUE when it changed.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd);

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
};
