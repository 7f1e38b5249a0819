// CSocketFile carries archives over a CSocket and turns socket errors into file errors.
#include "tests/win/socket_test_support.h"

#include "framework/archive.h"
#include "framework/exceptions.h"
#include "framework/socket_file.h"
#include "session/msg.h"

#include <thread>

using namespace sockettest;

namespace {

class SocketFileTest : public SocketTest {
protected:
    void SetUp() override {
        SocketTest::SetUp();
        ASSERT_TRUE(socket.Create());
        ASSERT_TRUE(socket.Connect("127.0.0.1", listener.Port()));
        peer = listener.Accept();
        ASSERT_TRUE(peer.Valid());
    }

    Listener listener;
    CSocket socket;
    Peer peer{INVALID_SOCKET};
    CSocketFile file{&socket};
};

TEST_F(SocketFileTest, MessageSurvivesARoundTripInSmallPieces) {
    // Echoes everything back a few bytes at a time, so each load spans many receives.
    std::jthread server([&] {
        for (;;) {
            const std::string piece = peer.ReceiveUpTo(7);
            if (piece.empty() || !peer.SendAll(piece))
                break;
        }
        peer.Close();
    });

    CMsg sent;
    sent.m_bClose = 1;
    sent.m_strText = "hello";
    sent.m_strList = {"first", "", std::string(5000, 'x')};
    CArchive out(&file, CArchive::store);
    sent.Serialize(out);
    out.Flush();
    ASSERT_TRUE(socket.ShutDown(CAsyncSocket::sends));

    CArchive in(&file, CArchive::load);
    CMsg received;
    received.Serialize(in);
    EXPECT_EQ(received.m_bClose, sent.m_bClose);
    EXPECT_EQ(received.m_strText, sent.m_strText);
    EXPECT_EQ(received.m_strList, sent.m_strList);
    EXPECT_TRUE(in.IsBufferEmpty());

    // The server closed after the echo: the stream ends there.
    std::uint8_t beyond = 0;
    try {
        in >> beyond;
        ADD_FAILURE() << "read past the end";
    } catch (const CArchiveException& error) {
        EXPECT_EQ(error.m_cause, CArchiveException::endOfFile);
    }
}

TEST_F(SocketFileTest, ResetByThePeerThrowsFileErrorsWithTheSocketError) {
    peer.Reset();
    // Windows reports the reset to the read; Wine reads it as the end of the stream. Either
    // way the read returns nothing.
    char buffer[16];
    try {
        EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
    } catch (const CFileException& error) {
        EXPECT_EQ(error.m_cause, CFileException::generic);
        EXPECT_EQ(error.m_lOsError, WSAECONNRESET);
    }
    const std::string payload(64 * 1024, 'p');
    try {
        for (int attempt = 0; attempt < 64; ++attempt)
            file.Write(payload.data(), payload.size());
        ADD_FAILURE() << "writes after a reset";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.m_cause, CFileException::generic);
        EXPECT_EQ(error.m_lOsError, WSAECONNRESET);
    }
}

} // namespace
