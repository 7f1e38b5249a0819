// The scripted server against a plain Winsock client in the test process: every e2e test
// trusts its records and its replies, so they are checked byte for byte here.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/loopback.h"
#include "tests/support/scripted_server.h"
#include "tests/support/wire_codec.h"

namespace e2e {
namespace {

using support::ConnectionRecord;
using support::ConnectionScript;
using support::MakeMsg;
using support::Reply;
using support::ScriptedServer;

// Another port than the program's, which these tests do not need.
constexpr unsigned short kPort = 10117;
constexpr DWORD kReceiveTimeoutMs = 10000;

const std::string kHandshake = support::EncodeMsg(MakeMsg("SKDV000001"));
const std::string kGoodbye = support::EncodeMsg(MakeMsg("SKDS1", true));

class Client {
public:
    Client() {
        WSADATA data;
        m_bWinsock = WSAStartup(MAKEWORD(2, 2), &data) == 0;
        m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        // A bound on every receive, so a server that says nothing fails the test.
        const DWORD timeout = kReceiveTimeoutMs;
        setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout),
                   sizeof timeout);
        const sockaddr_in address = support::LoopbackAddress(kPort);
        m_bConnected =
            connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    ~Client() {
        if (m_socket != INVALID_SOCKET)
            closesocket(m_socket);
        if (m_bWinsock)
            WSACleanup();
    }

    bool Connected() const { return m_bConnected; }
    bool Send(const std::string& bytes) {
        return send(m_socket, bytes.data(), static_cast<int>(bytes.size()), 0) ==
               static_cast<int>(bytes.size());
    }
    void ShutdownSend() { shutdown(m_socket, SD_SEND); }

    // Everything until the server closes or the connection fails.
    std::string ReceiveAll() {
        std::string all;
        char buffer[4096];
        for (;;) {
            const int n = recv(m_socket, buffer, sizeof buffer, 0);
            if (n <= 0)
                return all;
            all.append(buffer, static_cast<std::size_t>(n));
        }
    }
    // Exactly count bytes, unless the connection ends first.
    std::string Receive(std::size_t count) {
        std::string bytes;
        char buffer[4096];
        while (bytes.size() < count) {
            const int n = recv(m_socket, buffer,
                               static_cast<int>(std::min(sizeof buffer, count - bytes.size())), 0);
            if (n <= 0)
                break;
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
        return bytes;
    }

private:
    bool m_bWinsock = false;
    SOCKET m_socket = INVALID_SOCKET;
    bool m_bConnected = false;
};

ConnectionRecord Only(const ScriptedServer& server) {
    const auto records = server.Connections();
    EXPECT_EQ(records.size(), 1u);
    return records.empty() ? ConnectionRecord() : records.front();
}

TEST(ScriptedServer, AnswersTheHandshakeThenClosesAfterTheGoodbye) {
    ScriptedServer server(ConnectionScript::AnswerHandshake(), kPort);
    ASSERT_TRUE(server.Start()) << server.Error();
    Client client;
    ASSERT_TRUE(client.Connected());
    ASSERT_TRUE(client.Send(kHandshake));
    const std::string reply = support::EncodeMsg(MakeMsg("SKDV1"));
    EXPECT_EQ(client.Receive(reply.size()), reply);

    ASSERT_TRUE(client.Send(kGoodbye));
    EXPECT_EQ(client.ReceiveAll(), "") << "the server closes once it has the goodbye";
    client.ShutdownSend();
    ASSERT_TRUE(server.WaitForEnd(0));

    const ConnectionRecord record = Only(server);
    EXPECT_EQ(record.received, kHandshake + kGoodbye);
    EXPECT_EQ(record.Texts(), (std::vector<std::string>{"SKDV000001", "SKDS1"}));
    EXPECT_EQ(record.messages[1].m_bClose, 1);
    EXPECT_TRUE(record.goodbye);
    EXPECT_TRUE(record.serverClosed);
    EXPECT_TRUE(record.clientClosed);
    EXPECT_FALSE(record.partial);
    EXPECT_FALSE(record.malformed);
    // The times the e2e tests measure the program's timers and order by.
    EXPECT_NE(record.acceptedAt, ConnectionRecord::Clock::time_point());
    EXPECT_LE(record.acceptedAt, record.goodbyeAt);
    EXPECT_LE(record.goodbyeAt, record.clientClosedAt);
}

TEST(ScriptedServer, RepliesAsScripted) {
    const std::string lines = support::EncodeMsg(MakeMsg("SKDX1", true, {"a", "bc"}));
    const struct {
        const char* what;
        ConnectionScript script;
        int messages;         // handshakes the client sends, all in one segment
        std::string expected; // every byte the client gets before the server closes
        bool reset;           // the connection is gone, not just closed for sending
    } cases[] = {
        {"message with lines and close flag",
         ConnectionScript()
             .After(1, Reply::Message("SKDX1", true, {"a", "bc"}))
             .After(1, Reply::Close()),
         1, lines, false},
        {"raw bytes",
         ConnectionScript().After(1, Reply::Raw("\x01\x02\xff")).After(1, Reply::Close()), 1,
         "\x01\x02\xff", false},
        {"greeting on accept",
         ConnectionScript().After(0, Reply::Raw("hi")).After(1, Reply::Close()), 1, "hi", false},
        {"two replies, second after the second message",
         ConnectionScript()
             .After(1, Reply::Raw("1"))
             .After(2, Reply::Raw("2"))
             .After(2, Reply::Close()),
         2, "12", false},
        {"reset", ConnectionScript().After(1, Reply::Raw("x")).After(1, Reply::Reset()), 1, "x",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedServer server(c.script, kPort);
        ASSERT_TRUE(server.Start()) << server.Error();
        Client client;
        ASSERT_TRUE(client.Connected());
        std::string segment;
        for (int i = 0; i < c.messages; ++i)
            segment += kHandshake;
        ASSERT_TRUE(client.Send(segment));
        EXPECT_EQ(client.ReceiveAll(), c.expected);
        // Wine reports a reset to a receive only while one waits; a later send always sees it.
        EXPECT_EQ(client.Send("more"), !c.reset);
        client.ShutdownSend();
        ASSERT_TRUE(server.WaitForEnd(0));
    }
}

TEST(ScriptedServer, StallAndNeverCloseKeepTheConnectionOpen) {
    const struct {
        const char* what;
        ConnectionScript script;
    } cases[] = {
        {"stall", ConnectionScript().After(1, Reply::Stall()).After(1, Reply::Raw("never"))},
        {"never close after goodbye", ConnectionScript::AnswerHandshake().NeverCloseAfterGoodbye()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedServer server(c.script, kPort);
        ASSERT_TRUE(server.Start()) << server.Error();
        Client client;
        ASSERT_TRUE(client.Connected());
        ASSERT_TRUE(client.Send(kHandshake + kGoodbye));
        client.ShutdownSend();
        ASSERT_TRUE(server.WaitForClientClose(0));
        const ConnectionRecord record = Only(server);
        EXPECT_TRUE(record.goodbye);
        EXPECT_FALSE(record.serverClosed);
        EXPECT_FALSE(record.ended);
    }
}

TEST(ScriptedServer, RecordsPartialAndMalformedInput) {
    ScriptedServer server(ConnectionScript::AnswerHandshake(), kPort);
    ASSERT_TRUE(server.Start()) << server.Error();
    Client client;
    ASSERT_TRUE(client.Connected());
    // A message split over two sends is one message, answered only once it is whole.
    ASSERT_TRUE(client.Send(kHandshake.substr(0, 4)));
    ASSERT_TRUE(
        server.WaitUntil([](const auto& r) { return r.size() == 1 && r[0].received.size() == 4; }));
    EXPECT_TRUE(server.Connections()[0].partial);
    EXPECT_TRUE(server.Connections()[0].messages.empty());
    ASSERT_TRUE(client.Send(kHandshake.substr(4)));
    const std::string reply = support::EncodeMsg(MakeMsg("SKDV1"));
    EXPECT_EQ(client.Receive(reply.size()), reply);
    EXPECT_FALSE(server.Connections()[0].partial);
    // A 2^31 length in the 8-byte form cannot be a message.
    ASSERT_TRUE(client.Send(
        std::string("\x00\x00\xff\xff\xff\xff\xff\xff\xff\x00\x00\x00\x80\x00\x00\x00\x00", 17)));
    ASSERT_TRUE(server.WaitUntil([](const auto& r) { return r[0].malformed; }));
    EXPECT_EQ(server.Connections()[0].Texts(), std::vector<std::string>{"SKDV000001"});
}

TEST(ScriptedServer, KeepsARecordPerConnectionWithItsOwnScript) {
    ScriptedServer server(ConnectionScript::AnswerHandshake(), kPort);
    server.SetScript(1, ConnectionScript().After(1, Reply::Message("SKDR1")));
    ASSERT_TRUE(server.Start()) << server.Error();
    const char* texts[] = {"first", "second", "third"};
    const char* replies[] = {"SKDV1", "SKDR1", "SKDV1"};
    for (int i = 0; i < 3; ++i) {
        Client client;
        ASSERT_TRUE(client.Connected());
        ASSERT_TRUE(client.Send(support::EncodeMsg(MakeMsg(texts[i]))));
        const std::string reply = support::EncodeMsg(MakeMsg(replies[i]));
        EXPECT_EQ(client.Receive(reply.size()), reply) << i;
        client.ShutdownSend();
        EXPECT_EQ(client.ReceiveAll(), "");
        ASSERT_TRUE(server.WaitForEnd(static_cast<std::size_t>(i)));
    }
    const auto records = server.Connections();
    ASSERT_EQ(records.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(records[i].Texts(), std::vector<std::string>{texts[i]});
        EXPECT_TRUE(records[i].clientClosed);
        EXPECT_FALSE(records[i].goodbye);
    }
}

} // namespace
} // namespace e2e
