// The main frame's shared-folder drive: the folder is worked out and mapped to Z: before the
// client area exists, and Explorer's label of Z: is set as the frame's last creation step.
#include "app/drive_label_rules.h"
#include "app/main_frame.h"
#include "app/shared_folder_rules.h"
#include "framework/wide_path.h"
#include "framework/win_app.h"

#include <shellapi.h>

#include <cstring>
#include <cwchar>

namespace {

using drivelabel::DriveLabelHost;
using sharedfolder::SharedFolderHost;

class FrameFolderHost : public SharedFolderHost {
public:
    FrameFolderHost(CMainFrame& frame, std::string section, std::string entry, int folderId)
        : m_frame(frame), m_section(std::move(section)), m_entry(std::move(entry)),
          m_folderId(folderId) {}

    // The wide twin of the shell's folder function: a profile's name may lie outside the ANSI
    // code page.
    Documents DocumentsFolder(std::wstring& path) override {
        using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
        const std::wstring library = AfxGetSystemFilePathW(L"shell32.dll");
        const HMODULE shell = library.empty() ? nullptr : LoadLibraryW(library.c_str());
        const FARPROC proc = shell != nullptr ? GetProcAddress(shell, "SHGetFolderPathW") : nullptr;
        if (proc == nullptr) {
            if (shell != nullptr)
                FreeLibrary(shell);
            return Documents::noShellFunction;
        }
        const auto getFolderPath = reinterpret_cast<GetFolderPath>(reinterpret_cast<void*>(proc));
        wchar_t folder[sharedfolder::kPathBuffer] = {};
        const HRESULT result = getFolderPath(m_frame.m_hWnd, m_folderId, nullptr, 0, folder);
        FreeLibrary(shell);
        if (result != S_OK)
            return Documents::failed;
        path.assign(folder, wcsnlen(folder, sharedfolder::kPathBuffer));
        return Documents::found;
    }
    bool IsDirectory(const std::wstring& path) override {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool MakeDirectory(const std::wstring& path) override {
        return CreateDirectoryW(path.c_str(), nullptr) != FALSE;
    }
    void ShowMessage(const std::string& text, const std::wstring& caption) override {
        m_frame.MessageBox(text, PathForDisplay(caption).c_str(), MB_OK);
    }
    std::wstring ReadOverride(const std::wstring& fallback) override {
        const CWinApp* app = AfxGetApp();
        return app != nullptr ? app->GetProfileStringW(m_section.c_str(), m_entry.c_str(), fallback)
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
    const std::wstring subst = AfxGetSystemFilePathW(L"subst.exe");
    const std::wstring parameters = sharedfolder::SubstParameters(m_sharedFolder);
    const auto started =
        subst.empty() ? 0
                      : reinterpret_cast<INT_PTR>(ShellExecuteW(
                            nullptr, L"open", subst.c_str(), parameters.c_str(), nullptr, SW_HIDE));
    if (started <= 32)
        MessageBox(sharedfolder::kSubstFailed, sharedfolder::kSubstFailedCaption);
    MessageBox(sharedfolder::InformationText(PathForDisplay(m_sharedFolder)),
               sharedfolder::kMessageCaption);
}

std::wstring CMainFrame::GetSharedFolder(std::string section, std::string entry,
                                         std::wstring defaultPath, int nFolder) {
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
