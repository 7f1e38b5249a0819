// A stand-in for the application server on 127.0.0.1, run on a thread of the test process.
// It records every byte each connection receives (and the wire messages in them) and answers
// by script: after a connection's Nth whole message, send a message or raw bytes, close,
// reset or stall. Connections are kept apart, one record each, in the order accepted.
#pragma once

#include <winsock2.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "session/msg.h"
#include "tests/support/wait.h"

namespace support {

struct Reply {
    enum class Kind {
        bytes, // send them as they are
        close, // end our sending side; the socket closes once the client has closed its own
        reset, // abortive close (linger 0). Under Wine a client sees the reset in a receive
               // only while one is waiting; a receive started later reads an end of stream,
               // and only the next send fails with WSAECONNRESET
        stall, // from now on never reply and never close
        drip,  // send the bytes one per TCP segment, `interval` apart; nothing is read meanwhile
        pause, // wait `interval` before the next step; nothing is read meanwhile
    };
    Kind kind = Kind::bytes;
    std::string bytes;
    std::chrono::milliseconds interval{0};

    static Reply Message(std::string text, bool close = false, std::vector<std::string> lines = {});
    static Reply Raw(std::string bytes);
    static Reply Close() { return {Kind::close, {}}; }
    static Reply Reset() { return {Kind::reset, {}}; }
    static Reply Stall() { return {Kind::stall, {}}; }
    static Reply Drip(std::string bytes, std::chrono::milliseconds interval) {
        return {Kind::drip, std::move(bytes), interval};
    }
    static Reply Pause(std::chrono::milliseconds interval) { return {Kind::pause, {}, interval}; }
};

struct ConnectionScript {
    struct Step {
        std::size_t afterMessages; // 0: as soon as the connection is accepted
        Reply reply;
    };
    std::vector<Step> steps;       // steps with the same count run in order
    bool closeAfterGoodbye = true; // false: a goodbye (close flag) is never answered by closing

    ConnectionScript& After(std::size_t messages, Reply reply);
    ConnectionScript& NeverCloseAfterGoodbye();

    // The usual server: "SKDV1" after the first message.
    static ConnectionScript AnswerHandshake();
    // Records and closes after a goodbye, but never replies.
    static ConnectionScript Silent() { return {}; }
};

struct ConnectionRecord {
    using Clock = std::chrono::steady_clock;

    std::string received;       // every byte, in order
    std::vector<CMsg> messages; // the whole messages among them
    bool partial = false;       // bytes of an unfinished message follow the last one
    bool malformed = false;     // the bytes do not decode as messages
    bool goodbye = false;       // a received message carried the close flag
    bool clientClosed = false;  // the client ended its sending side (a receive returned 0)
    bool serverClosed = false;  // we ended our sending side (script or goodbye)
    bool ended = false;         // the socket is closed: both sides done, reset, or error
    int error = 0;              // the socket error that ended it (WSAECONNRESET...), else 0
    // When things happened, for the program's timers and for the order across connections.
    Clock::time_point acceptedAt;
    Clock::time_point goodbyeAt;      // the first goodbye; meaningful when goodbye is set
    Clock::time_point clientClosedAt; // meaningful when clientClosed is set

    std::vector<std::string> Texts() const;
};

class ScriptedServer {
public:
    static constexpr unsigned short kDefaultPort = 10101;

    explicit ScriptedServer(ConnectionScript script = ConnectionScript::AnswerHandshake(),
                            unsigned short port = kDefaultPort);
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;
    ~ScriptedServer();

    // Listens and starts serving; false (with Error()) when the port cannot be had.
    bool Start();
    // Closes every socket and ends the thread; records stay readable.
    void Stop();
    const std::string& Error() const { return m_strError; }
    unsigned short Port() const { return m_nPort; }

    // The script of connections accepted from now on that have none of their own.
    void SetScript(ConnectionScript script);
    // The script of the connection with this index (0: the first accepted), if not yet accepted.
    void SetScript(std::size_t connection, ConnectionScript script);

    std::vector<ConnectionRecord> Connections() const;
    // Waits until condition(records) holds; true if it did before the deadline.
    bool WaitUntil(const std::function<bool(const std::vector<ConnectionRecord>&)>& condition,
                   Millis timeout = kDefaultTimeout) const;
    bool WaitForConnections(std::size_t count, Millis timeout = kDefaultTimeout) const;
    bool WaitForMessages(std::size_t connection, std::size_t count,
                         Millis timeout = kDefaultTimeout) const;
    bool WaitForClientClose(std::size_t connection, Millis timeout = kDefaultTimeout) const;
    bool WaitForEnd(std::size_t connection, Millis timeout = kDefaultTimeout) const;

private:
    struct Connection {
        SOCKET socket = INVALID_SOCKET;
        ConnectionScript script;
        bool reading = true;   // false once the client closed its side or the socket closed
        bool shutDown = false; // our sending side is closed
        bool stalled = false;
        std::size_t index = 0;
    };

    void Serve();
    void Accept();
    void Receive(Connection& connection);
    void RunSteps(Connection& connection, std::size_t from, std::size_t to);
    void Apply(Connection& connection, const Reply& reply);
    void Drip(Connection& connection, const Reply& reply);
    void Pause(std::chrono::milliseconds interval) const; // cut short by Stop
    bool Stopping() const;
    // Records the end together with the client's close that caused it, if it did.
    void CloseSocket(Connection& connection, bool reset, int error, bool clientClosed = false);
    template <typename Change> void Update(std::size_t index, Change&& change);

    unsigned short m_nPort;
    std::string m_strError;
    SOCKET m_listener = INVALID_SOCKET;
    bool m_bWinsock = false;
    std::thread m_thread;
    std::vector<Connection> m_connections; // server thread only

    mutable std::mutex m_mutex; // guards everything below
    mutable std::condition_variable m_changed;
    bool m_bStop = false;
    ConnectionScript m_defaultScript;
    std::map<std::size_t, ConnectionScript> m_scripts;
    std::vector<ConnectionRecord> m_records;
};

} // namespace support
