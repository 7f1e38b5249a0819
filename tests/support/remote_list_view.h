// Items of a list-view control in another process. Texts come back through a buffer placed in
// that process (the control writes only into its own address space).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace support {

// Nothing when the window did not answer.
std::optional<int> ListItemCount(HWND list);
std::optional<std::string> ListItemText(HWND list, int item, int subItem = 0);
// Every item's text in the given column, top to bottom; stops at the first unreadable item.
std::vector<std::string> ListItemTexts(HWND list, int subItem = 0);
// LVM_GETITEMSTATE, for example LVIS_SELECTED | LVIS_FOCUSED.
UINT ListItemState(HWND list, int item, UINT mask);
std::vector<int> SelectedListItems(HWND list);
// LVM_SETITEMSTATE: item -1 sets the state of every item.
bool SetListItemState(HWND list, int item, UINT state, UINT mask);
// LVM_GETITEMRECT with code LVIR_BOUNDS, LVIR_ICON or LVIR_LABEL, in the list's client
// co-ordinates; nothing when the item has no rectangle.
std::optional<RECT> ListItemRect(HWND list, int item, int code);

} // namespace support
