#include "framework/socket_file.h"

#include "framework/exceptions.h"
#include "framework/socket.h"

#include <algorithm>
#include <climits>

namespace {

// Socket calls take int lengths: larger requests go in pieces.
int Piece(std::size_t count) {
    return static_cast<int>(std::min<std::size_t>(count, INT_MAX));
}

[[noreturn]] void ThrowSocketError() {
    throw CFileException(CFileException::generic, CAsyncSocket::GetLastError());
}

} // namespace

std::size_t CSocketFile::Read(void* buffer, std::size_t count) {
    if (count == 0)
        return 0;
    const int received = m_pSocket->Receive(buffer, Piece(count));
    if (received == SOCKET_ERROR)
        ThrowSocketError();
    return static_cast<std::size_t>(received);
}

void CSocketFile::Write(const void* buffer, std::size_t count) {
    const char* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        const int piece = Piece(count);
        if (m_pSocket->Send(bytes, piece) == SOCKET_ERROR)
            ThrowSocketError();
        bytes += piece;
        count -= static_cast<std::size_t>(piece);
    }
}
