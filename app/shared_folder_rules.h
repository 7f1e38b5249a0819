// The exchange folder mapped to drive Z:: which folder, the subst parameters and the texts the
// user sees (their words are in shell_texts.h). The platform's steps come in through
// SharedFolderHost, so the choice is tested without a window. Paths are UTF-16, as the file
// system names them; only the texts shown are 8-bit.
#pragma once

#include "app/shell_texts.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace sharedfolder {

inline constexpr char kSection[] = "Option";
inline constexpr char kOverrideName[] = "skiffdesk";
inline constexpr wchar_t kDefaultPath[] = L"c:\\";
inline constexpr wchar_t kSubfolder[] = L"skiffdesk\\";
inline constexpr int kDocumentsFolderId = 5;
// The platform's path buffers: a path must leave room for its terminating zero.
inline constexpr std::size_t kPathBuffer = 260;

// What the shared-folder steps ask of the platform.
class SharedFolderHost {
public:
    enum class Documents { found, noShellFunction, failed };

    virtual ~SharedFolderHost() = default;
    // The user's documents folder (folder id kDocumentsFolderId) through the shell's folder
    // function looked up at run time.
    virtual Documents DocumentsFolder(std::wstring& path) = 0;
    virtual bool IsDirectory(const std::wstring& path) = 0;
    virtual bool MakeDirectory(const std::wstring& path) = 0;
    // A box; caption is a path or a fixed caption, shown in the ANSI code page.
    virtual void ShowMessage(const std::string& text, const std::wstring& caption) = 0;
    // The override setting, or fallback when there is none.
    virtual std::wstring ReadOverride(const std::wstring& fallback) = 0;
};

// The folder to map: the override if set, else the documents folder's subfolder (created when
// missing), else the documents folder, else the default path. Below major version 4 the shell
// is not asked. A path that would not fit the platform's buffers is treated as one that
// cannot be created; so is an override that cannot be a folder's path (see IsFolderPath),
// which is set aside for the folder the program worked out.
std::wstring ChooseSharedFolder(SharedFolderHost& host, int majorVersion,
                                const std::wstring& defaultPath);

// Whether a setting can name a folder: shorter than the path buffer, no control character,
// none of < > " | ? *, and a colon only after a drive letter. Empty passes: it maps nothing.
bool IsFolderPath(std::wstring_view path);

// One trailing backslash removed; anything else unchanged. It works on UTF-16 units: in 8-bit
// text a double-byte character's second byte may be 0x5C, which is no backslash.
std::wstring StripTrailingBackslash(std::wstring path);
// subst's parameters: z: "folder"
std::wstring SubstParameters(const std::wstring& folder);
// The information shown at every start.
std::string InformationText(const std::string& folder);

} // namespace sharedfolder
