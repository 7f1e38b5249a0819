// The application name inside a remote desktop connection file: UTF-16LE text after a
// two-byte byte-order mark, lines ending in CR LF, the name on the first line that holds the
// key. Works on the file's bytes, so it needs no file system.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::string_view kAppNameKey = "remoteapplicationname:s:";
// Connection files are a few kilobytes. Reading stops at the key line and never goes past this
// bound: a huge file, or one that never ends, costs at most this much reading, and memory for
// one line of it at most; a key line beyond the bound is not found.
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
//
// The file's bytes come in pieces, as they are read:
//   AppNameReader reader;
//   while (!reader.Done() && <more bytes>) reader.Feed(piece);
//   AppNameResult result = reader.Finish();
class AppNameReader {
public:
    // Takes the next bytes of the file; what lies past the bound is ignored.
    void Feed(std::string_view bytes);
    // TRUE once the key line is found or the bound is reached: no more bytes are needed.
    bool Done() const {
        return m_result.outcome == AppNameResult::found || m_total >= kMaxConnectionFileBytes;
    }
    // The outcome, once the bytes have ended (or Done).
    AppNameResult Finish();

private:
    void TakeUnit(char16_t unit);

    std::size_t m_total = 0; // bytes taken, the mark included
    int m_pendingByte = -1;  // a unit's first byte while its second is still to come
    std::u16string m_line;
    AppNameResult m_result;
};

// The whole file at once.
AppNameResult ReadAppNameFromBytes(std::string_view bytes);
