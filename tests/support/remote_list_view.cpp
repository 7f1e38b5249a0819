#include "tests/support/remote_list_view.h"

#include <commctrl.h>

#include <algorithm>

#include "tests/support/window_control.h"
#include "tests/support/window_find.h"

namespace support {

namespace {

// Texts longer than this are cut by the control, as they would be for the program itself.
constexpr std::size_t kTextCapacity = 1024;

// Memory in another process, freed with the object.
class RemoteBuffer {
public:
    RemoteBuffer(DWORD processId, std::size_t size)
        : m_hProcess(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                 processId)),
          m_nSize(size) {
        if (m_hProcess != nullptr)
            m_pData =
                VirtualAllocEx(m_hProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer() {
        if (m_pData != nullptr)
            VirtualFreeEx(m_hProcess, m_pData, 0, MEM_RELEASE);
        if (m_hProcess != nullptr)
            CloseHandle(m_hProcess);
    }

    bool Valid() const { return m_pData != nullptr; }
    char* Address(std::size_t offset = 0) const { return static_cast<char*>(m_pData) + offset; }

    bool Write(std::size_t offset, const void* data, std::size_t size) const {
        SIZE_T written = 0;
        return offset + size <= m_nSize &&
               WriteProcessMemory(m_hProcess, Address(offset), data, size, &written) &&
               written == size;
    }
    bool Read(std::size_t offset, void* data, std::size_t size) const {
        SIZE_T read = 0;
        return offset + size <= m_nSize &&
               ReadProcessMemory(m_hProcess, Address(offset), data, size, &read) && read == size;
    }

private:
    HANDLE m_hProcess;
    void* m_pData = nullptr;
    std::size_t m_nSize;
};

} // namespace

std::optional<int> ListItemCount(HWND list) {
    const std::optional<LRESULT> count = SendWithTimeout(list, LVM_GETITEMCOUNT);
    if (!count)
        return std::nullopt;
    return static_cast<int>(*count);
}

std::optional<std::string> ListItemText(HWND list, int item, int subItem) {
    // Layout in the other process: the item structure, then its text buffer.
    const std::size_t textOffset = sizeof(LVITEMA);
    RemoteBuffer remote(ProcessOf(list), textOffset + kTextCapacity);
    if (!remote.Valid())
        return std::nullopt;
    LVITEMA request{};
    request.iSubItem = subItem;
    request.pszText = remote.Address(textOffset);
    request.cchTextMax = static_cast<int>(kTextCapacity);
    if (!remote.Write(0, &request, sizeof request))
        return std::nullopt;
    const std::optional<LRESULT> length =
        SendWithTimeout(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                        reinterpret_cast<LPARAM>(remote.Address()));
    if (!length)
        return std::nullopt;
    std::string text(kTextCapacity, '\0');
    if (!remote.Read(textOffset, text.data(), text.size()))
        return std::nullopt;
    text.resize(std::min(text.find('\0'), static_cast<std::size_t>(*length)));
    return text;
}

std::vector<std::string> ListItemTexts(HWND list, int subItem) {
    std::vector<std::string> texts;
    const int count = ListItemCount(list).value_or(0);
    for (int item = 0; item < count; ++item) {
        std::optional<std::string> text = ListItemText(list, item, subItem);
        if (!text)
            break;
        texts.push_back(std::move(*text));
    }
    return texts;
}

UINT ListItemState(HWND list, int item, UINT mask) {
    return static_cast<UINT>(
        SendWithTimeout(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask).value_or(0));
}

std::vector<int> SelectedListItems(HWND list) {
    std::vector<int> selected;
    const int count = ListItemCount(list).value_or(0);
    int item = -1;
    // LVM_GETNEXTITEM walks forward only, so the count bounds the walk even if the list changes.
    for (int i = 0; i < count; ++i) {
        const std::optional<LRESULT> next =
            SendWithTimeout(list, LVM_GETNEXTITEM, static_cast<WPARAM>(item), LVNI_SELECTED);
        if (!next || *next < 0 || *next <= item)
            break;
        item = static_cast<int>(*next);
        selected.push_back(item);
    }
    return selected;
}

bool SetListItemState(HWND list, int item, UINT state, UINT mask) {
    RemoteBuffer remote(ProcessOf(list), sizeof(LVITEMA));
    LVITEMA request{};
    request.state = state;
    request.stateMask = mask;
    if (!remote.Valid() || !remote.Write(0, &request, sizeof request))
        return false;
    return SendWithTimeout(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                           reinterpret_cast<LPARAM>(remote.Address()))
               .value_or(0) != 0;
}

std::optional<RECT> ListItemRect(HWND list, int item, int code) {
    RemoteBuffer remote(ProcessOf(list), sizeof(RECT));
    RECT rect{};
    rect.left = code;
    if (!remote.Valid() || !remote.Write(0, &rect, sizeof rect))
        return std::nullopt;
    const std::optional<LRESULT> ok =
        SendWithTimeout(list, LVM_GETITEMRECT, static_cast<WPARAM>(item),
                        reinterpret_cast<LPARAM>(remote.Address()));
    if (!ok || *ok == 0 || !remote.Read(0, &rect, sizeof rect))
        return std::nullopt;
    return rect;
}

} // namespace support
