#include "framework/mem_file.h"

#include <algorithm>
#include <cstring>
#include <utility>

CMemFile::CMemFile(std::string_view input, std::size_t maxPerRead)
    : m_input(input), m_nMaxPerRead(maxPerRead) {}

void CMemFile::Put(std::string_view bytes) {
    // Drop what was read already, so a long-lived stream holds only its unread input.
    m_input.erase(0, m_nInputPos);
    m_nInputPos = 0;
    m_input.append(bytes);
}

std::size_t CMemFile::Read(void* buffer, std::size_t count) {
    ++m_nReadCalls;
    std::size_t n = std::min(count, UnreadInput());
    if (m_nMaxPerRead > 0)
        n = std::min(n, m_nMaxPerRead);
    if (n > 0)
        std::memcpy(buffer, m_input.data() + m_nInputPos, n);
    m_nInputPos += n;
    return n;
}

void CMemFile::Write(const void* buffer, std::size_t count) {
    if (count > 0)
        m_output.append(static_cast<const char*>(buffer), count);
}

std::string CMemFile::TakeOutput() {
    return std::exchange(m_output, std::string());
}
