#include "tests/support/scripted_server.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <array>

#include "tests/support/loopback.h"
#include "tests/support/process.h"
#include "tests/support/wire_codec.h"

namespace support {

namespace {

// How often the serving thread looks at the stop flag while nothing arrives.
constexpr long kSelectTimeoutUs = 50000;

void MarkClientClosed(ConnectionRecord& record) {
    if (!record.clientClosed)
        record.clientClosedAt = ConnectionRecord::Clock::now();
    record.clientClosed = true;
}

} // namespace

Reply Reply::Message(std::string text, bool close, std::vector<std::string> lines) {
    return {Kind::bytes, EncodeMsg(MakeMsg(std::move(text), close, std::move(lines)))};
}

Reply Reply::Raw(std::string bytes) {
    return {Kind::bytes, std::move(bytes)};
}

ConnectionScript& ConnectionScript::After(std::size_t messages, Reply reply) {
    steps.push_back({messages, std::move(reply)});
    return *this;
}

ConnectionScript& ConnectionScript::NeverCloseAfterGoodbye() {
    closeAfterGoodbye = false;
    return *this;
}

ConnectionScript ConnectionScript::AnswerHandshake() {
    return ConnectionScript().After(1, Reply::Message("SKDV1"));
}

std::vector<std::string> ConnectionRecord::Texts() const {
    std::vector<std::string> texts;
    for (const CMsg& msg : messages)
        texts.push_back(msg.m_strText);
    return texts;
}

ScriptedServer::ScriptedServer(ConnectionScript script, unsigned short port)
    : m_nPort(port), m_defaultScript(std::move(script)) {}

ScriptedServer::~ScriptedServer() {
    Stop();
}

bool ScriptedServer::Start() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        m_strError = "WSAStartup failed";
        return false;
    }
    m_bWinsock = true;
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_listener == INVALID_SOCKET) {
        m_strError = "socket: " + ErrorText(static_cast<DWORD>(WSAGetLastError()));
        return false;
    }
    // The previous test's connections may still linger in TIME_WAIT on this port.
    const BOOL reuse = TRUE;
    setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse),
               sizeof reuse);
    const sockaddr_in address = LoopbackAddress(m_nPort);
    if (bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(m_listener, SOMAXCONN) != 0) {
        m_strError = "cannot listen on 127.0.0.1:" + std::to_string(m_nPort) + ": " +
                     ErrorText(static_cast<DWORD>(WSAGetLastError()));
        return false;
    }
    m_thread = std::thread([this] { Serve(); });
    return true;
}

void ScriptedServer::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_bStop = true;
    }
    if (m_thread.joinable())
        m_thread.join();
    for (Connection& connection : m_connections)
        if (connection.socket != INVALID_SOCKET)
            closesocket(connection.socket);
    m_connections.clear();
    if (m_listener != INVALID_SOCKET)
        closesocket(m_listener);
    m_listener = INVALID_SOCKET;
    if (m_bWinsock)
        WSACleanup();
    m_bWinsock = false;
}

void ScriptedServer::SetScript(ConnectionScript script) {
    std::lock_guard lock(m_mutex);
    m_defaultScript = std::move(script);
}

void ScriptedServer::SetScript(std::size_t connection, ConnectionScript script) {
    std::lock_guard lock(m_mutex);
    m_scripts[connection] = std::move(script);
}

std::vector<ConnectionRecord> ScriptedServer::Connections() const {
    std::lock_guard lock(m_mutex);
    return m_records;
}

bool ScriptedServer::WaitUntil(
    const std::function<bool(const std::vector<ConnectionRecord>&)>& condition,
    Millis timeout) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return condition(m_records); });
}

bool ScriptedServer::WaitForConnections(std::size_t count, Millis timeout) const {
    return WaitUntil([&](const auto& records) { return records.size() >= count; }, timeout);
}

bool ScriptedServer::WaitForMessages(std::size_t connection, std::size_t count,
                                     Millis timeout) const {
    return WaitUntil(
        [&](const auto& records) {
            return connection < records.size() && records[connection].messages.size() >= count;
        },
        timeout);
}

bool ScriptedServer::WaitForClientClose(std::size_t connection, Millis timeout) const {
    return WaitUntil(
        [&](const auto& records) {
            return connection < records.size() && records[connection].clientClosed;
        },
        timeout);
}

bool ScriptedServer::WaitForEnd(std::size_t connection, Millis timeout) const {
    return WaitUntil(
        [&](const auto& records) {
            return connection < records.size() && records[connection].ended;
        },
        timeout);
}

template <typename Change> void ScriptedServer::Update(std::size_t index, Change&& change) {
    {
        std::lock_guard lock(m_mutex);
        change(m_records[index]);
    }
    m_changed.notify_all();
}

void ScriptedServer::Serve() {
    for (;;) {
        {
            std::lock_guard lock(m_mutex);
            if (m_bStop)
                return;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(m_listener, &readable);
        for (const Connection& connection : m_connections)
            if (connection.reading && readable.fd_count < FD_SETSIZE)
                FD_SET(connection.socket, &readable);
        timeval wait{0, kSelectTimeoutUs};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0)
            continue;
        // What came on the open connections came before a new one was asked for: it is
        // recorded first, so the records keep the client's order.
        for (std::size_t i = 0; i < m_connections.size(); ++i)
            if (m_connections[i].reading && FD_ISSET(m_connections[i].socket, &readable))
                Receive(m_connections[i]);
        if (FD_ISSET(m_listener, &readable))
            Accept();
    }
}

void ScriptedServer::Accept() {
    const SOCKET socket = accept(m_listener, nullptr, nullptr);
    if (socket == INVALID_SOCKET)
        return;
    Connection connection;
    connection.socket = socket;
    connection.index = m_connections.size();
    {
        std::lock_guard lock(m_mutex);
        const auto own = m_scripts.find(connection.index);
        connection.script = own != m_scripts.end() ? own->second : m_defaultScript;
        m_records.emplace_back().acceptedAt = ConnectionRecord::Clock::now();
    }
    m_changed.notify_all();
    m_connections.push_back(std::move(connection));
    RunSteps(m_connections.back(), 0, 0);
}

void ScriptedServer::Receive(Connection& connection) {
    std::array<char, 65536> buffer;
    const int n = recv(connection.socket, buffer.data(), static_cast<int>(buffer.size()), 0);
    if (n < 0) {
        CloseSocket(connection, false, WSAGetLastError());
        return;
    }
    if (n == 0) {
        // A stalled connection stays open until Stop; it is no longer read.
        connection.reading = false;
        if (connection.stalled)
            Update(connection.index, [](ConnectionRecord& record) { MarkClientClosed(record); });
        else
            CloseSocket(connection, false, 0, true);
        return;
    }
    std::size_t before = 0;
    std::size_t now = 0;
    bool goodbyeNow = false;
    Update(connection.index, [&](ConnectionRecord& record) {
        before = record.messages.size();
        record.received.append(buffer.data(), static_cast<std::size_t>(n));
        DecodedMessages decoded = DecodeMessages(record.received);
        record.messages = std::move(decoded.messages);
        record.partial = decoded.partial;
        record.malformed = decoded.malformed;
        now = record.messages.size();
        for (std::size_t i = before; i < now; ++i)
            goodbyeNow = goodbyeNow || record.messages[i].m_bClose != 0;
        if (goodbyeNow && !record.goodbye)
            record.goodbyeAt = ConnectionRecord::Clock::now();
        record.goodbye = record.goodbye || goodbyeNow;
    });
    if (now > before)
        RunSteps(connection, before + 1, now);
    if (goodbyeNow && connection.socket != INVALID_SOCKET && !connection.stalled) {
        if (connection.script.closeAfterGoodbye)
            Apply(connection, Reply::Close());
        else
            connection.stalled = true;
    }
}

void ScriptedServer::RunSteps(Connection& connection, std::size_t first, std::size_t last) {
    for (const ConnectionScript::Step& step : connection.script.steps) {
        if (connection.socket == INVALID_SOCKET || connection.stalled)
            return;
        if (step.afterMessages >= first && step.afterMessages <= last)
            Apply(connection, step.reply);
    }
}

void ScriptedServer::Apply(Connection& connection, const Reply& reply) {
    switch (reply.kind) {
    case Reply::Kind::bytes: {
        std::size_t sent = 0;
        while (sent < reply.bytes.size()) {
            const int n = send(connection.socket, reply.bytes.data() + sent,
                               static_cast<int>(reply.bytes.size() - sent), 0);
            if (n <= 0) {
                CloseSocket(connection, false, WSAGetLastError());
                return;
            }
            sent += static_cast<std::size_t>(n);
        }
        return;
    }
    case Reply::Kind::close:
        if (!connection.shutDown) {
            shutdown(connection.socket, SD_SEND);
            connection.shutDown = true;
            Update(connection.index, [](ConnectionRecord& record) { record.serverClosed = true; });
        }
        return;
    case Reply::Kind::reset:
        CloseSocket(connection, true, 0);
        return;
    case Reply::Kind::stall:
        connection.stalled = true;
        return;
    case Reply::Kind::drip:
        Drip(connection, reply);
        return;
    case Reply::Kind::pause:
        Pause(reply.interval);
        return;
    }
}

void ScriptedServer::Drip(Connection& connection, const Reply& reply) {
    const BOOL noDelay = TRUE;
    setsockopt(connection.socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
               sizeof noDelay);
    for (std::size_t i = 0; i < reply.bytes.size() && !Stopping(); ++i) {
        if (i > 0)
            Pause(reply.interval);
        if (send(connection.socket, reply.bytes.data() + i, 1, 0) != 1) {
            CloseSocket(connection, false, WSAGetLastError());
            return;
        }
    }
}

void ScriptedServer::Pause(std::chrono::milliseconds interval) const {
    // In short steps, so that Stop is not kept waiting.
    const auto end = std::chrono::steady_clock::now() + interval;
    while (std::chrono::steady_clock::now() < end && !Stopping())
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            end - std::chrono::steady_clock::now(), Millis(50)));
}

bool ScriptedServer::Stopping() const {
    std::lock_guard lock(m_mutex);
    return m_bStop;
}

void ScriptedServer::CloseSocket(Connection& connection, bool reset, int error, bool clientClosed) {
    if (reset) {
        const linger abortive{1, 0};
        setsockopt(connection.socket, SOL_SOCKET, SO_LINGER,
                   reinterpret_cast<const char*>(&abortive), sizeof abortive);
    }
    closesocket(connection.socket);
    connection.socket = INVALID_SOCKET;
    connection.reading = false;
    Update(connection.index, [&](ConnectionRecord& record) {
        record.ended = true;
        record.error = error;
        if (clientClosed)
            MarkClientClosed(record);
    });
}

} // namespace support
