#include "framework/archive.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "framework/exceptions.h"
#include "framework/file.h"
#include "framework/text_convert.h"

namespace {

constexpr std::uint8_t kByteEscape = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kWordEscape = 0xFFFF;
constexpr std::uint32_t kDwordEscape = 0xFFFFFFFF;
constexpr std::uint64_t kMaxQwordLength = 0x7FFFFFFF;

[[noreturn]] void Fail(CArchiveException::Cause cause) {
    throw CArchiveException(cause);
}

template <typename T> void StoreLittleEndian(CArchive& ar, T value) {
    std::array<unsigned char, sizeof(T)> bytes;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    ar.Write(bytes.data(), bytes.size());
}

template <typename T> T LoadLittleEndian(const std::array<unsigned char, sizeof(T)>& bytes) {
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value = static_cast<T>(value | static_cast<T>(static_cast<T>(bytes[i]) << (8 * i)));
    return value;
}

// Wide text arrives as UTF-16LE bytes; like 8-bit text it ends at its first NUL character.
std::string WideBytesToAnsi(const std::string& bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto low = static_cast<unsigned char>(bytes[i]);
        const auto high = static_cast<unsigned char>(bytes[i + 1]);
        const auto c = static_cast<char16_t>(low | (high << 8));
        if (c == 0)
            break;
        text.push_back(c);
    }
    return WideToAnsi(text.data(), text.size());
}

} // namespace

CArchive::CArchive(CFile* file, Mode mode, std::size_t bufferSize)
    : m_pFile(file), m_mode(mode), m_buffer(std::max<std::size_t>(bufferSize, 1)) {}

CArchive::~CArchive() = default;

bool CArchive::IsBufferEmpty() const {
    return IsLoading() ? m_cur == m_max : m_cur == 0;
}

void CArchive::Flush() {
    if (IsLoading())
        return;
    CFile& file = File();
    if (m_cur > 0) {
        file.Write(m_buffer.data(), m_cur);
        m_cur = 0;
    }
    file.Flush();
}

void CArchive::Abort() {
    m_cur = 0;
    m_max = 0;
    m_pFile = nullptr;
}

void CArchive::Close() {
    Flush();
    Abort();
}

std::size_t CArchive::Read(void* data, std::size_t count) {
    RequireMode(load);
    auto* out = static_cast<unsigned char*>(data);
    std::size_t done = 0;
    while (done < count) {
        const std::size_t n = std::min(count - done, Available(count - done));
        if (n == 0)
            break;
        std::memcpy(out + done, m_buffer.data() + m_cur, n);
        m_cur += n;
        done += n;
    }
    return done;
}

void CArchive::Write(const void* data, std::size_t count) {
    RequireMode(store);
    const auto* in = static_cast<const unsigned char*>(data);
    while (count > 0) {
        if (m_cur == m_buffer.size()) {
            File().Write(m_buffer.data(), m_cur);
            m_cur = 0;
        }
        const std::size_t n = std::min(count, m_buffer.size() - m_cur);
        std::memcpy(m_buffer.data() + m_cur, in, n);
        m_cur += n;
        in += n;
        count -= n;
    }
}

CArchive& CArchive::operator<<(std::uint8_t value) {
    StoreLittleEndian(*this, value);
    return *this;
}
CArchive& CArchive::operator<<(std::uint16_t value) {
    StoreLittleEndian(*this, value);
    return *this;
}
CArchive& CArchive::operator<<(std::uint32_t value) {
    StoreLittleEndian(*this, value);
    return *this;
}
CArchive& CArchive::operator<<(std::uint64_t value) {
    StoreLittleEndian(*this, value);
    return *this;
}

CArchive& CArchive::operator>>(std::uint8_t& value) {
    value = ReadLittleEndian<std::uint8_t>();
    return *this;
}
CArchive& CArchive::operator>>(std::uint16_t& value) {
    value = ReadLittleEndian<std::uint16_t>();
    return *this;
}
CArchive& CArchive::operator>>(std::uint32_t& value) {
    value = ReadLittleEndian<std::uint32_t>();
    return *this;
}
CArchive& CArchive::operator>>(std::uint64_t& value) {
    value = ReadLittleEndian<std::uint64_t>();
    return *this;
}

void CArchive::WriteString(const std::string& text) {
    const std::size_t n = text.size();
    if (n < kByteEscape) {
        *this << static_cast<std::uint8_t>(n);
    } else if (n < kWideMarker) {
        *this << kByteEscape << static_cast<std::uint16_t>(n);
    } else if (n < kDwordEscape) {
        *this << kByteEscape << kWordEscape << static_cast<std::uint32_t>(n);
    } else {
        // Only the 8-byte form could carry it, and no reader accepts that size.
        Fail(CArchiveException::generic);
    }
    Write(text.data(), n);
}

std::string CArchive::ReadString() {
    return ReadStringText(ReadStringHeader());
}

CArchive::StringHeader CArchive::ReadStringHeader() {
    StringHeader header;
    header.length = ReadStringLength(header.wide);
    const std::uint64_t bytes = header.wide ? header.length * 2 : header.length;
    if (bytes > kMaxStringBytes)
        Fail(CArchiveException::generic);
    return header;
}

std::string CArchive::ReadStringText(const StringHeader& header) {
    std::string raw = ReadBytes(header.Bytes());
    if (header.wide)
        return WideBytesToAnsi(raw);
    // A text cut at a NUL keeps only what it shows, not the memory of what it declared.
    const std::size_t nul = raw.find('\0');
    if (nul != std::string::npos)
        return raw.substr(0, nul);
    return raw;
}

void CArchive::WriteCount(std::size_t count) {
    if (count < kWordEscape) {
        *this << static_cast<std::uint16_t>(count);
    } else if (count <= kDwordEscape) {
        *this << kWordEscape << static_cast<std::uint32_t>(count);
    } else {
        Fail(CArchiveException::generic);
    }
}

std::size_t CArchive::ReadCount() {
    const auto word = ReadLittleEndian<std::uint16_t>();
    if (word != kWordEscape)
        return word;
    return ReadLittleEndian<std::uint32_t>();
}

std::uint64_t CArchive::ReadStringLength(bool& wide) {
    wide = false;
    const auto byte = ReadLittleEndian<std::uint8_t>();
    if (byte < kByteEscape)
        return byte;
    auto word = ReadLittleEndian<std::uint16_t>();
    if (word == kWideMarker) {
        wide = true;
        const auto wideByte = ReadLittleEndian<std::uint8_t>();
        if (wideByte < kByteEscape)
            return wideByte;
        word = ReadLittleEndian<std::uint16_t>();
    }
    if (word < kWordEscape)
        return word;
    const auto dword = ReadLittleEndian<std::uint32_t>();
    if (dword < kDwordEscape)
        return dword;
    const auto qword = ReadLittleEndian<std::uint64_t>();
    if (qword > kMaxQwordLength)
        Fail(CArchiveException::generic);
    return qword;
}

// The string grows only as the stream delivers, so a declared length with nothing behind it
// costs no memory before the stream ends.
std::string CArchive::ReadBytes(std::size_t count) {
    RequireMode(load);
    std::string out;
    while (out.size() < count) {
        const std::size_t wanted = count - out.size();
        const std::size_t n = std::min(wanted, Available(wanted));
        if (n == 0)
            Fail(CArchiveException::endOfFile);
        out.append(reinterpret_cast<const char*>(m_buffer.data() + m_cur), n);
        m_cur += n;
    }
    return out;
}

template <typename T> T CArchive::ReadLittleEndian() {
    std::array<unsigned char, sizeof(T)> bytes;
    ReadExact(bytes.data(), bytes.size());
    return LoadLittleEndian<T>(bytes);
}

void CArchive::ReadExact(void* data, std::size_t count) {
    if (Read(data, count) < count)
        Fail(CArchiveException::endOfFile);
}

std::size_t CArchive::Available(std::size_t wanted) {
    if (m_cur == m_max)
        FillBuffer(wanted);
    return m_max - m_cur;
}

// Reads until `wanted` bytes (at most a buffer's worth) are unread or the stream ends. Each
// Read takes whatever the stream has: a socket must not be asked to wait for bytes that no
// one needs yet.
void CArchive::FillBuffer(std::size_t wanted) {
    CFile& file = File();
    const std::size_t unread = m_max - m_cur;
    if (m_cur > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_cur, unread);
        m_cur = 0;
        m_max = unread;
    }
    wanted = std::min(wanted, m_buffer.size());
    while (m_max < wanted) {
        const std::size_t room = m_buffer.size() - m_max;
        const std::size_t got = file.Read(m_buffer.data() + m_max, room);
        if (got == 0)
            return;
        m_max += std::min(got, room);
    }
}

CFile& CArchive::File() {
    if (m_pFile == nullptr)
        Fail(CArchiveException::generic);
    return *m_pFile;
}

void CArchive::RequireMode(Mode mode) const {
    if (m_mode != mode)
        Fail(CArchiveException::generic);
}
