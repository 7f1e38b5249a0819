// A wire client for the loopback tests: sends messages as the program does and reads the
// server's replies. Every read has a deadline, so a server that never answers fails the
// test instead of hanging it.
#pragma once

#include "framework/archive.h"
#include "framework/exceptions.h"
#include "server/client_stream.h"
#include "session/msg.h"
#include "tests/support/wire_codec.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <netinet/in.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

class TestClient {
public:
    static constexpr int kDeadlineSeconds = 10;

    explicit TestClient(std::uint16_t port) {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        timeval deadline{kDeadlineSeconds, 0};
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &deadline, sizeof deadline);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
            throw std::runtime_error("connect failed");
        m_file = std::make_unique<ClientStream>(m_fd);
        m_in = std::make_unique<CArchive>(m_file.get(), CArchive::load);
    }
    TestClient(const TestClient&) = delete;
    TestClient& operator=(const TestClient&) = delete;
    ~TestClient() {
        m_in.reset();
        ::close(m_fd);
    }

    static std::string Encode(const std::string& text, std::int32_t close = 0) {
        return support::EncodeMsg(support::MakeMsg(text, close != 0));
    }

    void SendRaw(const std::string& bytes) {
        if (::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) !=
            static_cast<ssize_t>(bytes.size()))
            throw std::runtime_error("send failed");
    }
    void Send(const std::string& text, std::int32_t close = 0) { SendRaw(Encode(text, close)); }
    void ShutdownSend() { ::shutdown(m_fd, SHUT_WR); }

    // The next message from the server; empty when none came (closed, reset, deadline).
    std::optional<CMsg> Receive() {
        CMsg msg;
        StartRead();
        try {
            msg.Serialize(*m_in);
        } catch (const CException&) {
            return std::nullopt;
        }
        return msg;
    }

    // Exactly `count` bytes as they came, or fewer when the stream ended first.
    std::string ReceiveBytes(std::size_t count) {
        std::string bytes(count, '\0');
        StartRead();
        try {
            bytes.resize(m_in->Read(bytes.data(), count));
        } catch (const CException&) {
            bytes.clear();
        }
        return bytes;
    }

    std::string ReceiveText() {
        const std::optional<CMsg> msg = Receive();
        return msg ? msg->m_strText : "(no reply)";
    }

    // True when the server has closed its side: the next read finds the end of the stream
    // (or a reset, when the server closed with our bytes unread) before the deadline.
    bool ServerClosed() {
        if (!m_in->IsBufferEmpty())
            return false;
        char byte;
        const ssize_t n = ::recv(m_fd, &byte, 1, 0);
        return n == 0 || (n < 0 && errno == ECONNRESET);
    }

private:
    void StartRead() {
        m_file->StartMessage(static_cast<std::size_t>(-1),
                             ClientStream::Clock::now() + std::chrono::seconds(kDeadlineSeconds));
    }

    int m_fd;
    std::unique_ptr<ClientStream> m_file;
    std::unique_ptr<CArchive> m_in;
};
