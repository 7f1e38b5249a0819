// The exchange folder mapped to drive Z:: which folder, the subst parameters and the texts the
// user sees (their words are in shell_texts.h). The platform's steps come in through
// SharedFolderHost, so the choice is tested without a window.
#pragma once

#include "app/shell_texts.h"

#include <cstddef>
#include <string>

namespace sharedfolder {

inline constexpr char kSection[] = "Option";
inline constexpr char kOverrideName[] = "skiffdesk";
inline constexpr char kDefaultPath[] = "c:\\";
inline constexpr char kSubfolder[] = "skiffdesk\\";
inline constexpr int kDocumentsFolderId = 5;
// The platform's path buffers: a path must leave room for its terminating zero.
inline constexpr std::size_t kPathBuffer = 260;

// What the shared-folder steps ask of the platform.
class SharedFolderHost {
public:
    enum class Documents { found, noShellFunction, failed };

    virtual ~SharedFolderHost() = default;
    // The user's documents folder (folder id kDocumentsFolderId) through the shell's
    // SHGetFolderPathA looked up at run time.
    virtual Documents DocumentsFolder(std::string& path) = 0;
    virtual bool IsDirectory(const std::string& path) = 0;
    virtual bool MakeDirectory(const std::string& path) = 0;
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // The override setting, or fallback when there is none.
    virtual std::string ReadOverride(const std::string& fallback) = 0;
};

// The folder to map: the override if set, else the documents folder's subfolder (created when
// missing), else the documents folder, else the default path. Below major version 4 the shell
// is not asked. A path that would not fit the platform's buffers is treated as one that
// cannot be created.
std::string ChooseSharedFolder(SharedFolderHost& host, int majorVersion,
                               const std::string& defaultPath);

// One trailing backslash removed; anything else unchanged.
std::string StripTrailingBackslash(std::string path);
// subst's parameters: z: "folder"
std::string SubstParameters(const std::string& folder);
// The information shown at every start.
std::string InformationText(const std::string& folder);

} // namespace sharedfolder
