// Binary archive over a CFile: the framework's encoding of integers, strings and counts,
// through a buffer of its own (4096 bytes unless told otherwise).
//
// Loading never trusts a declared length: a string longer than kMaxStringBytes is malformed
// (CArchiveException::generic), and a string is read in buffer-sized steps, so no more is
// allocated than the bytes that have arrived plus one buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CFile;

class CArchive {
public:
    enum Mode { store = 0, load = 1 };
    static constexpr std::size_t kDefaultBufferSize = 4096;
    static constexpr std::size_t kMaxStringBytes = 16u * 1024u * 1024u;

    CArchive(CFile* file, Mode mode, std::size_t bufferSize = kDefaultBufferSize);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    ~CArchive(); // frees the buffer only: a storing archive must be flushed by its owner

    bool IsLoading() const { return m_mode == load; }
    bool IsStoring() const { return m_mode == store; }
    // Loading: true when every byte already taken from the stream has been consumed.
    bool IsBufferEmpty() const;

    void Flush(); // storing: hands the buffered bytes to the stream and flushes it
    void Abort(); // drops buffered bytes; the archive must not be used afterwards
    void Close(); // Flush (when storing) and detach from the stream

    // Raw bytes. Read returns fewer than count only when the stream ended.
    std::size_t Read(void* data, std::size_t count);
    void Write(const void* data, std::size_t count);

    CArchive& operator<<(std::uint8_t value);
    CArchive& operator<<(std::uint16_t value);
    CArchive& operator<<(std::uint32_t value);
    CArchive& operator<<(std::uint64_t value);
    CArchive& operator>>(std::uint8_t& value); // throws CArchiveException::endOfFile if short
    CArchive& operator>>(std::uint16_t& value);
    CArchive& operator>>(std::uint32_t& value);
    CArchive& operator>>(std::uint64_t& value);

    // 8-bit string with its length prefix (1, 3 or 7 bytes); the text is never written wide.
    void WriteString(const std::string& text);
    // Reads 8-bit or wide (0xFFFE marker) strings; wide text is converted to the ANSI code
    // page; the result ends at the first NUL, the rest of the declared length is consumed.
    std::string ReadString();
    // ReadString in its two halves, for a reader that must know how many bytes the text
    // takes before it reads them: the length prefix (malformed past kMaxStringBytes), then
    // the text it announces.
    struct StringHeader {
        std::uint64_t length = 0; // characters
        bool wide = false;
        std::size_t Bytes() const { return static_cast<std::size_t>(wide ? length * 2 : length); }
    };
    StringHeader ReadStringHeader();
    std::string ReadStringText(const StringHeader& header);
    // Loading: bytes taken from the stream that are not read yet.
    std::size_t UnreadInBuffer() const { return m_max - m_cur; }

    // Element counts: 2 bytes, or 0xFFFF followed by 4 bytes.
    void WriteCount(std::size_t count);
    std::size_t ReadCount();

private:
    void FillBuffer(std::size_t wanted);
    void ReadExact(void* data, std::size_t count); // throws endOfFile when short
    std::size_t Available(std::size_t wanted);     // unread bytes, refilling when none; 0 = end
    template <typename T> T ReadLittleEndian();
    std::uint64_t ReadStringLength(bool& wide);
    std::string ReadBytes(std::size_t count);
    CFile& File(); // throws CArchiveException::generic once detached
    void RequireMode(Mode mode) const;

    CFile* m_pFile;
    Mode m_mode;
    std::vector<unsigned char> m_buffer;
    std::size_t m_cur = 0; // loading: next unread byte; storing: bytes buffered
    std::size_t m_max = 0; // loading: bytes valid in the buffer
};

// Writes and reads a string in the archive encoding above.
inline CArchive& operator<<(CArchive& ar, const std::string& text) {
    ar.WriteString(text);
    return ar;
}
inline CArchive& operator>>(CArchive& ar, std::string& text) {
    text = ar.ReadString();
    return ar;
}
