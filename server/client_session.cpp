#include "server/client_session.h"

#include "framework/archive.h"
#include "framework/exceptions.h"
#include "server/exchange_log.h"
#include "server/request_handler.h"
#include "server/client_stream.h"
#include "session/msg.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>

namespace {

// Far above any real request (a sign-up with a handle is a few hundred bytes), and small
// enough that many clients cannot fill the memory with messages of empty list lines.
constexpr std::size_t kMaxMessageBytes = 64 * 1024;

std::string DropReason(const CFileException& e) {
    if (e.m_lOsError == EMSGSIZE)
        return "dropped: message too large";
    if (e.m_lOsError == ETIMEDOUT || e.m_lOsError == EAGAIN || e.m_lOsError == EWOULDBLOCK)
        return "dropped: timed out";
    return std::string("dropped: ") + std::strerror(static_cast<int>(e.m_lOsError));
}

// Serves messages until the conversation ends.
void Converse(ClientStream& file, const std::string& peer, ClientTimeouts timeouts,
              RequestHandler& handler, ExchangeLog& log) {
    CArchive in(&file, CArchive::load);
    CArchive out(&file, CArchive::store);
    // The first message's bound counts from the start, not from each byte.
    ClientStream::Clock::time_point deadline = ClientStream::Clock::now() + timeouts.firstMessage;
    for (;;) {
        const bool atMessageStart = in.IsBufferEmpty();
        file.StartMessage(kMaxMessageBytes, deadline);
        CMsg request;
        try {
            request.Serialize(in);
        } catch (const CArchiveException& e) {
            const bool peerClosed = e.m_cause == CArchiveException::endOfFile && atMessageStart &&
                                    file.BytesReadOfMessage() == 0;
            if (!peerClosed)
                log.Write(peer, "dropped: malformed");
            return;
        }

        const Exchange exchange = handler.Handle(request.m_strText);
        log.Write(peer, exchange.summary);
        if (exchange.reply) {
            CMsg reply;
            reply.m_strText = *exchange.reply;
            reply.Serialize(out);
            out.Flush();
        }
        if (exchange.close || request.m_bClose != 0)
            return;
        deadline = ClientStream::Clock::now() + timeouts.message;
    }
}

} // namespace

void ServeClient(int fd, const std::string& peer, ClientTimeouts timeouts, RequestHandler& handler,
                 ExchangeLog& log) {
    ClientStream file(fd);
    try {
        Converse(file, peer, timeouts, handler, log);
    } catch (const CFileException& e) {
        log.Write(peer, DropReason(e));
    }
    ::shutdown(fd, SHUT_RDWR);
}
