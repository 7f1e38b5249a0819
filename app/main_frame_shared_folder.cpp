// The main frame's shared-folder drive: the folder is worked out and mapped to Z: before the
// client area exists, and Explorer's label of Z: is set as the frame's last creation step.
#include "app/drive_label_rules.h"
#include "app/main_frame.h"
#include "app/shared_folder_rules.h"
#include "framework/win_app.h"

#include <shellapi.h>

#include <cstring>

namespace {

using drivelabel::DriveLabelHost;
using sharedfolder::SharedFolderHost;

class FrameFolderHost : public SharedFolderHost {
public:
    FrameFolderHost(CMainFrame& frame, std::string section, std::string entry, int folderId)
        : m_frame(frame), m_section(std::move(section)), m_entry(std::move(entry)),
          m_folderId(folderId) {}

    Documents DocumentsFolder(std::string& path) override {
        using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
        const std::string library = AfxGetSystemFilePath("shell32.dll");
        const HMODULE shell = library.empty() ? nullptr : LoadLibraryA(library.c_str());
        const FARPROC proc = shell != nullptr ? GetProcAddress(shell, "SHGetFolderPathA") : nullptr;
        if (proc == nullptr) {
            if (shell != nullptr)
                FreeLibrary(shell);
            return Documents::noShellFunction;
        }
        const auto getFolderPath = reinterpret_cast<GetFolderPath>(reinterpret_cast<void*>(proc));
        char folder[sharedfolder::kPathBuffer] = {};
        const HRESULT result = getFolderPath(m_frame.m_hWnd, m_folderId, nullptr, 0, folder);
        FreeLibrary(shell);
        if (result != S_OK)
            return Documents::failed;
        path.assign(folder, strnlen(folder, sizeof folder));
        return Documents::found;
    }
    bool IsDirectory(const std::string& path) override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool MakeDirectory(const std::string& path) override {
        return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
    }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        m_frame.MessageBox(text, caption.c_str(), MB_OK);
    }
    std::string ReadOverride(const std::string& fallback) override {
        const CWinApp* app = AfxGetApp();
        return app != nullptr
                   ? app->GetProfileString(m_section.c_str(), m_entry.c_str(), fallback.c_str())
                   : fallback;
    }

private:
    CMainFrame& m_frame;
    std::string m_section;
    std::string m_entry;
    int m_folderId;
};

class MachineLabelHost : public DriveLabelHost {
public:
    explicit MachineLabelHost(CMainFrame& frame) : m_frame(frame) {}

    bool ReadLabel(std::string& label) override {
        char value[drivelabel::kLabelBuffer] = {};
        LONG size = sizeof value;
        if (RegQueryValueA(HKEY_LOCAL_MACHINE, drivelabel::kKey, value, &size) != ERROR_SUCCESS)
            return false;
        label.assign(value, strnlen(value, sizeof value));
        return true;
    }
    Write WriteLabel() override {
        HKEY key = nullptr;
        LONG result = RegCreateKeyA(HKEY_LOCAL_MACHINE, drivelabel::kKey, &key);
        if (result == ERROR_SUCCESS) {
            result = RegSetValueA(key, nullptr, REG_SZ, drivelabel::kLabel,
                                  static_cast<DWORD>(std::strlen(drivelabel::kLabel)));
            RegCloseKey(key);
        }
        if (result == ERROR_SUCCESS)
            return Write::done;
        return result == ERROR_ACCESS_DENIED ? Write::denied : Write::failed;
    }
    void Wait(unsigned milliseconds) override { Sleep(milliseconds); }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        m_frame.MessageBox(text, caption.c_str(), MB_OK);
    }

private:
    CMainFrame& m_frame;
};

} // namespace

void CMainFrame::MapSharedFolder() {
    m_osVersion = {};
    m_osVersion.dwOSVersionInfoSize = sizeof m_osVersion;
    // Without a version the record stays zero: no shell look-up and no label.
    if (!GetVersionExA(&m_osVersion)) {
        m_osVersion = {};
        m_osVersion.dwOSVersionInfoSize = sizeof m_osVersion;
        MessageBox(sharedfolder::kVersionFailed, sharedfolder::kErrorCaption);
    }
    m_sharedFolder = sharedfolder::StripTrailingBackslash(
        GetSharedFolder(sharedfolder::kSection, sharedfolder::kOverrideName,
                        sharedfolder::kDefaultPath, sharedfolder::kDocumentsFolderId));
    const std::string subst = AfxGetSystemFilePath("subst.exe");
    const std::string parameters = sharedfolder::SubstParameters(m_sharedFolder);
    const auto started =
        subst.empty() ? 0
                      : reinterpret_cast<INT_PTR>(ShellExecuteA(
                            nullptr, "open", subst.c_str(), parameters.c_str(), nullptr, SW_HIDE));
    if (started <= 32)
        MessageBox(sharedfolder::kSubstFailed, sharedfolder::kSubstFailedCaption);
    MessageBox(sharedfolder::InformationText(m_sharedFolder), sharedfolder::kMessageCaption);
}

std::string CMainFrame::GetSharedFolder(std::string section, std::string entry,
                                        std::string defaultPath, int nFolder) {
    FrameFolderHost host(*this, std::move(section), std::move(entry), nFolder);
    return sharedfolder::ChooseSharedFolder(host, static_cast<int>(m_osVersion.dwMajorVersion),
                                            defaultPath);
}

BOOL CMainFrame::SetSharedDriveLabel() {
    if (static_cast<int>(m_osVersion.dwMajorVersion) < drivelabel::kFirstMajorVersion)
        return FALSE;
    MachineLabelHost host(*this);
    return drivelabel::SetDriveLabel(host);
}
