// One catalogue entry: a connection file and the application name read from it. The
// program-wide catalogue lists them in catalogue order; entry i is item i of the list view.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RemoteAppItem {
    std::string m_strPath;     // full path of the connection file as it is shown (ANSI)
    std::string m_strName;     // the application name; never empty
    std::int32_t m_nIndex = 0; // the item's position in the list view
    std::wstring m_widePath;   // the same path as the file system names it: opened and launched
};

// Filled while the list view is created, and again by each reload (F5).
extern std::vector<RemoteAppItem> g_remoteApps;
