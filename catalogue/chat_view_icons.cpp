// The applications' own icons: an icon file beside a connection file replaces the globe.
// Icons are read after the paint that first shows their items, so a large catalogue opens as
// fast as one without icons; a file that is not a usable icon leaves the globe.
#include "catalogue/app_icon_file.h"
#include "catalogue/chat_view.h"

#include <optional>

namespace {

constexpr int kIconUnread = -1;
constexpr int kIconQueued = -2;
constexpr int kGlobe = 0;

// The whole file, when it exists and is no larger than an icon file may be.
std::optional<std::string> ReadIconBytes(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    LARGE_INTEGER size{};
    std::optional<std::string> bytes;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
        static_cast<unsigned long long>(size.QuadPart) <= kMaxIconFileBytes) {
        std::string read(static_cast<std::size_t>(size.QuadPart), '\0');
        DWORD got = 0;
        if (ReadFile(file, read.data(), static_cast<DWORD>(read.size()), &got, nullptr) &&
            got == read.size())
            bytes = std::move(read);
    }
    CloseHandle(file);
    return bytes;
}

// The icon file's image nearest to the size of list's pictures, scaled only when it has none.
HICON LoadIconFor(const std::wstring& path, HIMAGELIST list) {
    int cx = 0;
    int cy = 0;
    if (list == nullptr || !ImageList_GetIconSize(list, &cx, &cy))
        return nullptr;
    return static_cast<HICON>(
        LoadImageW(nullptr, path.c_str(), IMAGE_ICON, cx, cy, LR_LOADFROMFILE));
}

} // namespace

void CChatView::ForgetIcons() {
    m_appImages.assign(g_remoteApps.size(), kIconUnread);
    m_iconQueue.clear();
}

int CChatView::ImageOfApp(int nApp) {
    if (nApp < 0 || static_cast<std::size_t>(nApp) >= m_appImages.size())
        return kGlobe;
    int& image = m_appImages[static_cast<std::size_t>(nApp)];
    if (image == kIconUnread) {
        image = kIconQueued;
        if (m_iconQueue.empty() && m_hWnd != nullptr)
            PostMessage(kReadIconsMessage);
        m_iconQueue.push_back(nApp);
    }
    return image >= 0 ? image : kGlobe;
}

LRESULT CChatView::OnReadIcons(WPARAM, LPARAM) {
    RECT client{};
    GetClientRect(&client);
    std::vector<int> queue;
    queue.swap(m_iconQueue);
    for (const int app : queue) {
        if (static_cast<std::size_t>(app) >= m_appImages.size())
            continue;
        // Items scrolled away meanwhile are read when they are drawn again.
        const int item = ItemOfApp(app);
        RECT bounds{};
        RECT seen{};
        if (item == -1 || !GetItemRect(item, &bounds, LVIR_BOUNDS) ||
            !IntersectRect(&seen, &bounds, &client)) {
            m_appImages[static_cast<std::size_t>(app)] = kIconUnread;
            continue;
        }
        const int image = ReadIcon(app);
        m_appImages[static_cast<std::size_t>(app)] = image;
        if (image > kGlobe)
            SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(item), item);
    }
    return 0;
}

int CChatView::ReadIcon(int nApp) {
    // Before the pictures exist nothing is decided.
    if (m_imageLarge.m_hImageList == nullptr || m_imageSmall.m_hImageList == nullptr)
        return kIconUnread;
    const std::wstring path = IconPathFor(g_remoteApps[static_cast<std::size_t>(nApp)].m_widePath);
    const std::optional<std::string> bytes = ReadIconBytes(path);
    if (!bytes || !IsUsableIconFile(*bytes))
        return kGlobe;
    const HICON large = LoadIconFor(path, m_imageLarge.m_hImageList);
    const HICON small = LoadIconFor(path, m_imageSmall.m_hImageList);
    int image = kGlobe;
    if (large != nullptr && small != nullptr) {
        // One index names the picture in both lists.
        const int inLarge = ImageList_ReplaceIcon(m_imageLarge.m_hImageList, -1, large);
        const int inSmall = ImageList_ReplaceIcon(m_imageSmall.m_hImageList, -1, small);
        if (inLarge != -1 && inLarge == inSmall) {
            image = inLarge;
        } else {
            if (inLarge != -1)
                ImageList_Remove(m_imageLarge.m_hImageList, inLarge);
            if (inSmall != -1)
                ImageList_Remove(m_imageSmall.m_hImageList, inSmall);
        }
    }
    if (large != nullptr)
        DestroyIcon(large);
    if (small != nullptr)
        DestroyIcon(small);
    return image;
}
