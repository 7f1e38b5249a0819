#include "app/shared_folder_rules.h"

namespace sharedfolder {

namespace {

bool Fits(const std::string& path) {
    return path.size() < kPathBuffer;
}

} // namespace

std::string ChooseSharedFolder(SharedFolderHost& host, int majorVersion,
                               const std::string& defaultPath) {
    if (majorVersion < 4)
        return host.ReadOverride(defaultPath);
    std::string documents;
    switch (host.DocumentsFolder(documents)) {
    case SharedFolderHost::Documents::noShellFunction:
        host.ShowMessage(kNoShellFunction, kErrorCaption);
        return host.ReadOverride(defaultPath);
    case SharedFolderHost::Documents::failed:
        host.ShowMessage(kNoDocuments, kErrorCaption);
        return host.ReadOverride(defaultPath);
    case SharedFolderHost::Documents::found:
        break;
    }
    // The documents folder takes the default path's last part: its final backslash.
    const std::size_t lastSlash = defaultPath.rfind('\\');
    const std::string base =
        documents +
        (lastSlash == std::string::npos ? std::string() : defaultPath.substr(lastSlash));
    std::string folder = base + kSubfolder;
    const bool exists = Fits(folder) && host.IsDirectory(folder);
    if (!exists && !(Fits(folder) && host.MakeDirectory(folder))) {
        host.ShowMessage(kCannotCreate, folder);
        folder = Fits(base) ? base : defaultPath;
    }
    return host.ReadOverride(folder);
}

std::string StripTrailingBackslash(std::string path) {
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string SubstParameters(const std::string& folder) {
    return "z: \"" + folder + "\"";
}

std::string InformationText(const std::string& folder) {
    return kInformation + folder + kInformationEnd;
}

} // namespace sharedfolder
