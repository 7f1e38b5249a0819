#include "app/shared_folder_rules.h"

#include <algorithm>

namespace sharedfolder {

namespace {

std::wstring Ascii(std::string_view text) {
    return std::wstring(text.begin(), text.end());
}

bool Fits(const std::wstring& path) {
    return path.size() < kPathBuffer;
}

// The setting, unless it cannot name a folder: then the box of a folder that cannot be
// created, captioned with as much of the setting as a path can hold, and the fallback.
std::wstring Override(SharedFolderHost& host, const std::wstring& fallback) {
    std::wstring setting = host.ReadOverride(fallback);
    if (IsFolderPath(setting))
        return setting;
    setting.resize(std::min(setting.size(), kPathBuffer - 1));
    host.ShowMessage(kCannotCreate, setting);
    return fallback;
}

} // namespace

std::wstring ChooseSharedFolder(SharedFolderHost& host, int majorVersion,
                                const std::wstring& defaultPath) {
    if (majorVersion < 4)
        return Override(host, defaultPath);
    std::wstring documents;
    switch (host.DocumentsFolder(documents)) {
    case SharedFolderHost::Documents::noShellFunction:
        host.ShowMessage(kNoShellFunction, Ascii(kErrorCaption));
        return Override(host, defaultPath);
    case SharedFolderHost::Documents::failed:
        host.ShowMessage(kNoDocuments, Ascii(kErrorCaption));
        return Override(host, defaultPath);
    case SharedFolderHost::Documents::found:
        break;
    }
    // The documents folder takes the default path's last part: its final backslash.
    const std::size_t lastSlash = defaultPath.rfind(L'\\');
    const std::wstring base =
        documents +
        (lastSlash == std::wstring::npos ? std::wstring() : defaultPath.substr(lastSlash));
    std::wstring folder = base + kSubfolder;
    const bool exists = Fits(folder) && host.IsDirectory(folder);
    if (!exists && !(Fits(folder) && host.MakeDirectory(folder))) {
        host.ShowMessage(kCannotCreate, folder);
        folder = Fits(base) ? base : defaultPath;
    }
    return Override(host, folder);
}

bool IsFolderPath(std::wstring_view path) {
    if (path.size() >= kPathBuffer)
        return false;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const wchar_t c = path[i];
        if (c < 0x20 || std::wstring_view(L"<>\"|?*").find(c) != std::wstring_view::npos)
            return false;
        const bool afterDriveLetter = i == 1 && ((path[0] >= L'A' && path[0] <= L'Z') ||
                                                 (path[0] >= L'a' && path[0] <= L'z'));
        if (c == L':' && !afterDriveLetter)
            return false;
    }
    return true;
}

std::wstring StripTrailingBackslash(std::wstring path) {
    if (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

std::wstring SubstParameters(const std::wstring& folder) {
    return L"z: \"" + folder + L"\"";
}

std::string InformationText(const std::string& folder) {
    return kInformation + folder + kInformationEnd;
}

} // namespace sharedfolder
