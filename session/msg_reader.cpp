#include "session/msg_reader.h"

#include "framework/exceptions.h"
#include "framework/file.h"

#include <algorithm>
#include <cstring>

namespace {

// The pending bytes as a stream, without a copy; it counts what it has handed out.
class ViewFile : public CFile {
public:
    ViewFile(const char* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t Read(void* buffer, std::size_t count) override {
        const std::size_t n = std::min(count, m_size - m_taken);
        std::memcpy(buffer, m_data + m_taken, n);
        m_taken += n;
        return n;
    }
    void Write(const void*, std::size_t) override {
        throw CFileException(CFileException::accessDenied, 0);
    }
    std::size_t Taken() const { return m_taken; }

private:
    const char* m_data;
    std::size_t m_size;
    std::size_t m_taken = 0;
};

} // namespace

void CMsgReader::Append(const char* data, std::size_t size) {
    if (m_bMalformed || size == 0)
        return;
    // What has been loaded is dropped first, so the pending bytes are only what is unread.
    m_pending.erase(0, m_nPos);
    m_nPos = 0;
    m_pending.append(data, size);
}

CMsgReader::Status CMsgReader::Next(CMsg& msg) {
    if (m_bMalformed)
        return Status::malformed;
    const std::size_t start = m_nPos;
    ViewFile file(m_pending.data() + start, m_pending.size() - start);
    CArchive ar(&file, CArchive::load);
    while (!m_loader.Done()) {
        const std::size_t text = m_loader.TextBytesNext();
        if (m_nMessageBytes + text > CMsg::kMaxMessageBytes)
            return Fail();
        const std::size_t available = m_pending.size() - m_nPos;
        if (m_loader.TextIsNext() ? available < text : available == 0)
            return Status::incomplete;
        try {
            m_loader.LoadNext(ar);
        } catch (const CArchiveException& error) {
            if (error.m_cause == CArchiveException::endOfFile)
                return Status::incomplete;
            return Fail();
        }
        const std::size_t loaded = start + file.Taken() - ar.UnreadInBuffer() - m_nPos;
        m_nPos += loaded;
        m_nMessageBytes += loaded;
        if (m_nMessageBytes > CMsg::kMaxMessageBytes)
            return Fail();
    }
    msg = m_loader.Take();
    m_nMessageBytes = 0;
    ++m_nTaken;
    return Status::message;
}

CMsgReader::Status CMsgReader::Fail() {
    m_bMalformed = true;
    m_pending.clear();
    m_pending.shrink_to_fit();
    m_nPos = 0;
    return Status::malformed;
}
