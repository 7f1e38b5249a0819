// The path rules of the catalogue's folder walk: where a file's folder ends, which files are
// connection files, which names the system takes for devices, and the order in which one
// folder's entries are taken. Paths are UTF-16, as the file system names them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The path up to and including its last backslash; empty when it holds none.
std::wstring GetFolderOf(std::wstring_view path);
// The path with a backslash at its end; an empty path becomes "\".
std::wstring WithTrailingBackslash(std::wstring_view path);
// TRUE for a connection file: the extension of the final name component (from its last dot)
// is ".rdp" in any case. "X.rdp.bak", "X.rdpx" and a name without a dot are not.
bool IsConnectionFile(std::wstring_view path);
// TRUE when the final name component names a device to the system, which would open the
// device instead of a file: CON, PRN, AUX, NUL, COM1-9, LPT1-9 (and their superscript-digit
// forms), CONIN$, CONOUT$, in any case, with trailing blanks, and whatever follows a dot.
bool IsDeviceName(std::wstring_view path);
// TRUE when path lies below folder (both full paths; folder without a trailing backslash).
// Letters compare without case, as the file system's names do.
bool IsInsideFolder(std::wstring_view folder, std::wstring_view path);

struct FolderEntry {
    std::wstring name;
    bool isFolder = false;
};
// Sorts one folder's entries by name, case-insensitively (upper-cased, ordinal), so the
// catalogue's order does not depend on the order in which a file system lists them.
void SortFolderEntries(std::vector<FolderEntry>& entries);
