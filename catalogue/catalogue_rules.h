// The path rules of the catalogue's folder walk: where a file's folder ends, which files are
// connection files, and the order in which one folder's entries are taken.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The path up to and including its last backslash; empty when it holds none.
std::string GetFolderOf(std::string_view path);
// The path with a backslash at its end; an empty path becomes "\".
std::string WithTrailingBackslash(std::string_view path);
// TRUE for a connection file: the extension of the final name component (from its last dot)
// is ".rdp" in any case. "X.rdp.bak", "X.rdpx" and a name without a dot are not.
bool IsConnectionFile(std::string_view path);

struct FolderEntry {
    std::string name;
    bool isFolder = false;
};
// Sorts one folder's entries by name, case-insensitively (upper-cased, ordinal), so the
// catalogue's order does not depend on the order in which a file system lists them.
void SortFolderEntries(std::vector<FolderEntry>& entries);
