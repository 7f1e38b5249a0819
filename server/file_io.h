// Whole-file reads and crash-safe replacement of a file.
#pragma once

#include <optional>
#include <string>

// Empty when the file does not exist; throws std::system_error on any other failure.
std::optional<std::string> ReadFileIfExists(const std::string& path);

// Writes a temporary file in the same folder, syncs it, renames it over `path` and syncs
// the folder, so `path` holds either the old or the new content, never a mix, even after
// a crash. The file is readable by its owner only. Throws std::system_error; on failure
// `path` is untouched and the temporary file is removed.
void ReplaceFileAtomically(const std::string& path, const std::string& content);
