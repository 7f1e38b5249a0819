#include "server/server.h"

#include "server/client_session.h"
#include "server/exchange_log.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>

namespace {

[[noreturn]] void ThrowErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void SetSendTimeout(int fd, std::chrono::seconds timeout) {
    timeval tv{};
    tv.tv_sec = static_cast<time_t>(timeout.count());
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
}

std::string PeerName(const sockaddr_in& peer) {
    char text[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &peer.sin_addr, text, sizeof text);
    return std::string(text) + ':' + std::to_string(ntohs(peer.sin_port));
}

} // namespace

Server::Server(ServerConfig config, RequestHandler& handler, ExchangeLog& log)
    : m_config(std::move(config)), m_handler(handler), m_log(log) {
    int wake[2];
    if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0)
        ThrowErrno("pipe");
    m_wakeRead = wake[0];
    m_wakeWrite = wake[1];
}

Server::~Server() {
    CloseAll();
    if (m_listenFd >= 0)
        ::close(m_listenFd);
    ::close(m_wakeRead);
    ::close(m_wakeWrite);
}

void Server::Listen() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(m_config.port);
    if (::inet_pton(AF_INET, m_config.address.c_str(), &address.sin_addr) != 1)
        throw std::invalid_argument("not an IPv4 address: " + m_config.address);

    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0)
        ThrowErrno("socket");
    const int yes = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (::bind(m_listenFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        ThrowErrno("bind " + m_config.address + ':' + std::to_string(m_config.port));
    if (::listen(m_listenFd, SOMAXCONN) != 0)
        ThrowErrno("listen");

    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    if (::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&bound), &length) != 0)
        ThrowErrno("getsockname");
    m_port = ntohs(bound.sin_port);
}

void Server::Run() {
    for (;;) {
        pollfd fds[2] = {{m_listenFd, POLLIN, 0}, {m_wakeRead, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno("poll");
        }
        if (fds[1].revents != 0)
            break;
        if (fds[0].revents != 0)
            Accept();
    }
    CloseAll();
}

void Server::Stop() {
    const char byte = 0;
    // The pipe only has to become readable; a full pipe already is.
    [[maybe_unused]] const ssize_t ignored = ::write(m_wakeWrite, &byte, 1);
}

void Server::Accept() {
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    const int fd = ::accept4(m_listenFd, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC);
    if (fd < 0) {
        if (errno == EMFILE || errno == ENFILE) {
            // Out of descriptors: wait a little for clients to leave instead of spinning.
            pollfd wake{m_wakeRead, POLLIN, 0};
            ::poll(&wake, 1, 100);
        }
        return;
    }
    const std::string name = PeerName(peer);

    JoinFinished();
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_clients.size() >= m_config.maxClients) {
        ::close(fd);
        m_log.Write(name, "refused: too many clients");
        return;
    }
    // Reads keep their own deadline; this one stops a client that never reads its replies.
    SetSendTimeout(fd, m_config.readTimeout);
    Client& client = m_clients.emplace_back(Client{fd, name, {}, false});
    client.thread = std::thread([this, &client] { Serve(client); });
}

void Server::Serve(Client& client) {
    ServeClient(client.fd, client.peer, {m_config.firstMessageTimeout, m_config.readTimeout},
                m_handler, m_log);
    const std::lock_guard<std::mutex> lock(m_mutex);
    ::close(client.fd);
    client.fd = -1;
    client.done = true;
}

void Server::JoinFinished() {
    std::list<Client> finished;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        for (auto it = m_clients.begin(); it != m_clients.end();) {
            const auto next = std::next(it);
            if (it->done)
                finished.splice(finished.end(), m_clients, it);
            it = next;
        }
    }
    for (Client& client : finished)
        client.thread.join();
}

void Server::CloseAll() {
    {
        // Wakes every client thread out of its blocking read; each then closes its socket.
        const std::lock_guard<std::mutex> lock(m_mutex);
        for (const Client& client : m_clients) {
            if (client.fd >= 0)
                ::shutdown(client.fd, SHUT_RDWR);
        }
    }
    std::list<Client> all;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        all.swap(m_clients);
    }
    for (Client& client : all)
        client.thread.join();
}
