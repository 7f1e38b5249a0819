// The application name inside a remote desktop connection file: UTF-16LE text after a
// two-byte byte-order mark, lines ending in CR LF, the name on the first line that holds the
// key. Works on the file's bytes, so it needs no file system.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::string_view kAppNameKey = "remoteapplicationname:s:";
// Connection files are a few kilobytes; reading stops here, so a huge file costs no memory.
inline constexpr std::size_t kMaxConnectionFileBytes = 1 << 20;

struct AppNameResult {
    enum Outcome {
        found,    // the key line was found; name is what follows the key (may be empty)
        notFound, // no line holds the key: the user is told
        empty,    // a zero-length file: skipped without a word
    };
    Outcome outcome = notFound;
    std::string name; // in the ANSI code page
};

// Reads whole lines, whatever their length: a last line without CR LF keeps every character,
// and no byte inside a character (0x1A, 0x0D 0x0A) ends or bends a line. The key is matched
// case-sensitively anywhere in the line, after the line is converted to the ANSI code page.
// A 16-bit unit 0 ends the line's text; a lone trailing byte is ignored.
AppNameResult ReadAppNameFromBytes(std::string_view bytes);
