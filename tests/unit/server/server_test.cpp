#include "server/server.h"

#include "server/account_store.h"
#include "server/exchange_log.h"
#include "server/file_io.h"
#include "server/request_handler.h"
#include "session/request_framing.h"
#include "temp_dir.h"
#include "test_client.h"

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

namespace {

// A sign-up request as the program frames it.
std::string SignUp(const std::string& name, const std::string& email, const std::string& password) {
    return FrameRequest('R', {name, email, password}).value();
}

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override { Start({}); }
    void TearDown() override { Stop(); }

    void Start(ServerConfig config) {
        config.port = 0;
        m_store = std::make_unique<AccountStore>(AccountsPath(), HashCost::Minimal());
        m_handler = std::make_unique<RequestHandler>(*m_store);
        m_server = std::make_unique<Server>(config, *m_handler, m_log);
        m_server->Listen();
        m_thread = std::thread([this] { m_server->Run(); });
    }
    void Restart(ServerConfig config) {
        Stop();
        Start(config);
    }
    // Waits for every client thread, so the log is complete afterwards.
    void Stop() {
        if (!m_thread.joinable())
            return;
        m_server->Stop();
        m_thread.join();
        m_server.reset();
    }
    std::uint16_t Port() const { return m_server->Port(); }
    std::string AccountsPath() const { return m_dir.File("accounts.txt"); }
    std::string LogAfterStop() {
        Stop();
        return m_logText.str();
    }

    TempDir m_dir;
    std::ostringstream m_logText;
    ExchangeLog m_log{m_logText};
    std::unique_ptr<AccountStore> m_store;
    std::unique_ptr<RequestHandler> m_handler;
    std::unique_ptr<Server> m_server;
    std::thread m_thread;
};

TEST_F(ServerTest, HandshakeAcceptsOnlyVersion000001) {
    const struct {
        std::string text;
        std::string reply;
    } cases[] = {
        {"SKDV000001", "SKDV1"},  {"SKDV000002", "SKDV0"},         {"SKDV", "SKDV0"},
        {"SKDV0000011", "SKDV0"}, {"myhandleSKDV000001", "SKDV1"},
    };
    for (const auto& c : cases) {
        TestClient client(Port());
        client.Send(c.text);
        const std::optional<CMsg> reply = client.Receive();
        ASSERT_TRUE(reply.has_value()) << c.text;
        EXPECT_EQ(reply->m_strText, c.reply) << c.text;
        EXPECT_EQ(reply->m_bClose, 0);
        EXPECT_TRUE(reply->m_strList.empty());
    }
}

TEST_F(ServerTest, RepliesOnTheWireAreExactBytes) {
    TestClient client(Port());
    client.Send("SKDV000001");
    client.Send("SKDV2");
    client.Send(SignUp("frank", "frank@example.org", "Secret123"));
    EXPECT_EQ(client.ReceiveBytes(30), std::string("\0\0\x05SKDV1\0\0"
                                                   "\0\0\x05SKDV0\0\0"
                                                   "\0\0\x05SKDR1\0\0",
                                                   30));
}

TEST_F(ServerTest, SignUpThenSameNameRefused) {
    TestClient client(Port());
    client.Send(SignUp("alice", "alice@example.org", "Secret123"));
    EXPECT_EQ(client.ReceiveText(), "SKDR1");
    // Same connection, same name, other details: refused.
    client.Send(SignUp("alice", "other@example.org", "Other456x"));
    EXPECT_EQ(client.ReceiveText(), "SKDR0");

    TestClient other(Port());
    other.Send("hSKDR" + SignUp("bob", "bob@example.org", "Secret123").substr(4));
    EXPECT_EQ(other.ReceiveText(), "SKDR1");
    EXPECT_TRUE(m_store->Find("alice").has_value());
    EXPECT_TRUE(m_store->Find("bob").has_value());
}

TEST_F(ServerTest, BadSignUpsAreRefusedAndStoreNothing) {
    const std::string good = SignUp("carol", "carol@example.org", "Secret123");
    const std::string cases[] = {
        // Framing broken.
        "SKDR0031" + good.substr(8),
        good + "x",
        good.substr(0, good.size() - 1),
        "SKDR0006000000",
        "SKDR",
        "SKDR00x6000000",
        // Framed, but against the input rules.
        SignUp("carol", "carol@example", "Secret123"),
        SignUp("carol", "carol@example.org", "secret123"),
        SignUp("carol", "carol@example.org", "Sec12"),
        SignUp("carol", "carol@example.org", "Secret123" + std::string(24, 'x')),
        SignUp(std::string(65, 'c'), "carol@example.org", "Secret123"),
        SignUp("", "carol@example.org", "Secret123"),
    };
    for (const std::string& text : cases) {
        TestClient client(Port());
        client.Send(text);
        EXPECT_EQ(client.ReceiveText(), "SKDR0") << text;
    }
    EXPECT_FALSE(m_store->Find("carol").has_value());
    EXPECT_FALSE(ReadFileIfExists(AccountsPath()).has_value());
}

TEST_F(ServerTest, ConversationEndings) {
    const struct {
        const char* what;
        std::string bytes;  // what the client sends
        const char* reply;  // the reply expected first, or null for none
        const char* logged; // the log line's ending
    } cases[] = {
        {"goodbye", TestClient::Encode("SKDS1", 1), nullptr, "goodbye"},
        {"goodbye with handle", TestClient::Encode("h1SKDS1", 1), nullptr, "goodbye"},
        {"goodbye without close flag", TestClient::Encode("SKDS1", 0), nullptr, "goodbye"},
        {"close flag on a handshake", TestClient::Encode("SKDV000001", 1), "SKDV1",
         "handshake 000001 -> SKDV1"},
        {"close flag on an unknown text", TestClient::Encode("SKDX1", 1), nullptr,
         "ignored (5 bytes)"},
        // A string length whose 8-byte form is beyond 0x7FFFFFFF.
        {"malformed length",
         std::string("\0\0\xff\xff\xff\xff\xff\xff\xff\xff\xff", 11) + std::string(8, '\xff'),
         nullptr, "dropped: malformed"},
        {"message too large", TestClient::Encode("SKDV" + std::string(70000, '0')), nullptr,
         "dropped: message too large"},
        {"malformed count", std::string("\0\0\0\xff\xff\xff\xff\xff\x7f", 9), nullptr,
         "dropped: malformed"},
    };
    for (const auto& c : cases) {
        std::ostringstream().swap(m_logText);
        TestClient client(Port());
        client.SendRaw(c.bytes);
        if (c.reply != nullptr) {
            EXPECT_EQ(client.ReceiveText(), c.reply) << c.what;
        }
        EXPECT_TRUE(client.ServerClosed()) << c.what;
        const std::string log = LogAfterStop();
        EXPECT_NE(log.find(std::string(c.logged) + "\n"), std::string::npos)
            << c.what << ": " << log;
        Start({});
    }
}

TEST_F(ServerTest, UnknownTextsGetNoReplyAndKeepTheConnection) {
    TestClient client(Port());
    for (const char* text : {"SKDX1", "skdv000001", "", "SKD", "SKDS2"})
        client.Send(text);
    client.Send("SKDV000001");
    // The first reply to arrive answers the handshake: nothing was sent for the others.
    EXPECT_EQ(client.ReceiveText(), "SKDV1");
}

TEST_F(ServerTest, MessagesSplitOrJoinedDecodeTheSame) {
    TestClient client(Port());
    const std::string both = TestClient::Encode("SKDV000001") + TestClient::Encode("SKDV9");
    client.SendRaw(both);
    EXPECT_EQ(client.ReceiveText(), "SKDV1");
    EXPECT_EQ(client.ReceiveText(), "SKDV0");
    for (const char byte : TestClient::Encode("SKDV000001"))
        client.SendRaw(std::string(1, byte));
    EXPECT_EQ(client.ReceiveText(), "SKDV1");
}

TEST_F(ServerTest, PeerClosingQuietlyOrMidMessage) {
    {
        TestClient quiet(Port());
        quiet.Send("SKDV000001");
        EXPECT_EQ(quiet.ReceiveText(), "SKDV1");
        quiet.ShutdownSend();
        EXPECT_TRUE(quiet.ServerClosed());
    }
    {
        TestClient cut(Port());
        cut.SendRaw(TestClient::Encode("SKDV000001").substr(0, 6));
        cut.ShutdownSend();
        EXPECT_TRUE(cut.ServerClosed());
    }
    const std::string log = LogAfterStop();
    EXPECT_EQ(log.find("dropped"), log.rfind("dropped")) << log;
    EXPECT_NE(log.find("dropped: malformed"), std::string::npos) << log;
}

TEST_F(ServerTest, ServesSeveralClientsAtOnce) {
    // All connect first and are answered last-first: a server serving one client at a
    // time would never read the later ones, and the first read's deadline would fail.
    std::vector<std::unique_ptr<TestClient>> clients;
    for (int i = 0; i < 8; ++i)
        clients.push_back(std::make_unique<TestClient>(Port()));
    for (auto it = clients.rbegin(); it != clients.rend(); ++it) {
        (*it)->Send("SKDV000001");
        EXPECT_EQ((*it)->ReceiveText(), "SKDV1");
    }
    for (auto& client : clients) {
        client->Send("SKDS1", 1);
        EXPECT_TRUE(client->ServerClosed());
    }
}

TEST_F(ServerTest, ClientsBeyondTheCapAreClosed) {
    ServerConfig config;
    config.maxClients = 2;
    Restart(config);
    TestClient first(Port());
    TestClient second(Port());
    // Both are being served before the third comes.
    first.Send("SKDV000001");
    second.Send("SKDV000001");
    EXPECT_EQ(first.ReceiveText(), "SKDV1");
    EXPECT_EQ(second.ReceiveText(), "SKDV1");
    TestClient third(Port());
    EXPECT_TRUE(third.ServerClosed());

    first.Send("SKDS1", 1);
    EXPECT_TRUE(first.ServerClosed());
    // A freed place is given to the next client.
    bool served = false;
    for (int attempt = 0; attempt < 100 && !served; ++attempt) {
        TestClient next(Port());
        next.Send("SKDV000001");
        served = next.ReceiveText() == "SKDV1";
    }
    EXPECT_TRUE(served);
    EXPECT_NE(LogAfterStop().find("refused: too many clients"), std::string::npos);
}

TEST_F(ServerTest, SlowClientsAreDroppedAfterTheirBound) {
    ServerConfig config;
    config.firstMessageTimeout = std::chrono::seconds(1);
    config.readTimeout = std::chrono::seconds(2);
    Restart(config);
    {
        // A byte every 200 ms: the first message's bound counts from the connection's start.
        TestClient dripping(Port());
        const auto start = std::chrono::steady_clock::now();
        try {
            for (const char byte : TestClient::Encode("SKDV000001")) {
                dripping.SendRaw(std::string(1, byte));
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
        } catch (const std::runtime_error&) {
            // The server has gone: sending fails.
        }
        EXPECT_TRUE(dripping.ServerClosed());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    }
    {
        // After the first message, each later one has the read time-out.
        TestClient stalled(Port());
        stalled.Send("SKDV000001");
        EXPECT_EQ(stalled.ReceiveText(), "SKDV1");
        stalled.SendRaw(std::string("\0\0", 2)); // half a message, then nothing
        EXPECT_TRUE(stalled.ServerClosed());
    }
    const std::string log = LogAfterStop();
    std::size_t timeouts = 0;
    for (std::size_t at = log.find("dropped: timed out"); at != std::string::npos;
         at = log.find("dropped: timed out", at + 1))
        ++timeouts;
    EXPECT_EQ(timeouts, 2u) << log;
}

TEST_F(ServerTest, AccountsSurviveARestartOfTheServer) {
    {
        TestClient client(Port());
        client.Send(SignUp("dave", "dave@example.org", "Secret123"));
        EXPECT_EQ(client.ReceiveText(), "SKDR1");
    }
    Restart({});
    TestClient client(Port());
    client.Send(SignUp("dave", "dave2@example.org", "Secret456"));
    EXPECT_EQ(client.ReceiveText(), "SKDR0");
    const std::string file = ReadFileIfExists(AccountsPath()).value();
    EXPECT_NE(file.find("dave@example.org"), std::string::npos);
    EXPECT_EQ(file.find("Secret123"), std::string::npos);
}

TEST_F(ServerTest, LogHasOneLinePerExchangeAndNoPassword) {
    {
        TestClient client(Port());
        client.Send("SKDV000001");
        EXPECT_EQ(client.ReceiveText(), "SKDV1");
        client.Send(SignUp("o'brien", "ob@example.org", "Pa55wordXYZ"));
        EXPECT_EQ(client.ReceiveText(), "SKDR1");
        client.Send(SignUp("o'brien", "ob@example.org", "Pa55wordXYZ"));
        EXPECT_EQ(client.ReceiveText(), "SKDR0");
        client.Send(SignUp("eve", "eve@example.org", "weakpa55wordxyz"));
        EXPECT_EQ(client.ReceiveText(), "SKDR0");
        client.Send("SKDS1", 1);
        EXPECT_TRUE(client.ServerClosed());
    }
    const std::string log = LogAfterStop();
    EXPECT_EQ(log.find("a55word"), std::string::npos) << log;

    const std::string stamp = R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d 127\.0\.0\.1:\d+ )";
    const std::string lines[] = {
        "handshake 000001 -> SKDV1",
        R"(sign-up 'o\\x27brien' -> SKDR1)",
        R"(sign-up 'o\\x27brien' -> SKDR0 \(name taken\))",
        R"(sign-up 'eve' -> SKDR0 \(breaks the input rules\))",
        "goodbye",
    };
    std::string pattern;
    for (const std::string& line : lines)
        pattern += stamp + line + "\n";
    const std::regex expected(pattern);
    EXPECT_TRUE(std::regex_match(log, expected)) << log;
}

} // namespace
