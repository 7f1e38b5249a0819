#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/archive.h"
#include "framework/exceptions.h"
#include "framework/mem_file.h"
#include "session/msg.h"
#include "tests/support/wire_codec.h"
#include "wire_test_util.h"

namespace {

CMsg MakeMsg(std::int32_t close, std::string text, std::vector<std::string> lines = {}) {
    CMsg msg;
    msg.m_bClose = close;
    msg.m_strText = std::move(text);
    msg.m_strList = std::move(lines);
    return msg;
}

using support::EncodeMsg;

// Decodes messages until the stream ends cleanly between two messages.
std::vector<CMsg> DecodeAll(const std::string& bytes, std::size_t perRead) {
    CMemFile file(bytes, perRead);
    CArchive ar(&file, CArchive::load);
    std::vector<CMsg> messages;
    while (!ar.IsBufferEmpty() || file.UnreadInput() > 0) {
        messages.emplace_back();
        messages.back().Serialize(ar);
    }
    return messages;
}

void ExpectSame(const CMsg& actual, const CMsg& expected, const std::string& where) {
    EXPECT_EQ(actual.m_bClose, expected.m_bClose) << where;
    EXPECT_EQ(actual.m_strText, expected.m_strText) << where;
    EXPECT_EQ(actual.m_strList, expected.m_strList) << where;
}

CArchiveException::Cause FailureOfDecode(const std::string& bytes) {
    try {
        DecodeAll(bytes, 0);
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    ADD_FAILURE() << "decoding did not throw";
    return CArchiveException::generic;
}

TEST(MsgTest, WireExamples) {
    const struct {
        const char* name;
        CMsg msg;
        std::string bytes;
    } cases[] = {
        {"handshake", MakeMsg(0, "SKDV000001"), Bytes({0, 0, 10}) + "SKDV000001" + Bytes({0, 0})},
        {"goodbye", MakeMsg(1, "SKDS1"), Bytes({1, 0, 5}) + "SKDS1" + Bytes({0, 0})},
        {"reply with lines", MakeMsg(0, "SKDV1", {"a", "bc"}),
         Bytes({0, 0, 5}) + "SKDV1" + Bytes({2, 0, 1}) + "a" + Bytes({2}) + "bc"},
        {"empty", MakeMsg(0, ""), Bytes({0, 0, 0, 0, 0})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeMsg(c.msg), c.bytes) << c.name;
        const std::vector<CMsg> decoded = DecodeAll(c.bytes, 0);
        ASSERT_EQ(decoded.size(), 1u) << c.name;
        ExpectSame(decoded[0], c.msg, c.name);
    }
    EXPECT_EQ(EncodeMsg(MakeMsg(0, "SKDV000001")).size(), 15u);
    EXPECT_EQ(EncodeMsg(MakeMsg(1, "SKDS1")).size(), 10u);
}

TEST(MsgTest, AnyNonZeroCloseFlagReadsAsOne) {
    for (int low : {0x01, 0x00, 0xFF}) {
        for (int high : {0x00, 0x01, 0x80}) {
            const auto messages = DecodeAll(Bytes({low, high, 0, 0, 0}), 0);
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].m_bClose, (low | high) != 0 ? 1 : 0) << low << "/" << high;
        }
    }
}

TEST(MsgTest, ListCountInBothFormsAndItsLimit) {
    const CMsg many = MakeMsg(0, "x", std::vector<std::string>(65535, "l"));
    const std::string bytes = EncodeMsg(many);
    EXPECT_EQ(bytes.substr(4, 6), Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    const auto decoded = DecodeAll(bytes, 0);
    ASSERT_EQ(decoded.size(), 1u);
    ExpectSame(decoded[0], many, "65535 lines");

    const std::size_t limit = CMsg::kMaxListCount;
    auto withCount = [](std::size_t n) {
        return Bytes({0, 0, 0, 0xFF, 0xFF, int(n & 0xFF), int((n >> 8) & 0xFF),
                      int((n >> 16) & 0xFF), int(n >> 24)});
    };
    EXPECT_EQ(FailureOfDecode(withCount(limit + 1)), CArchiveException::generic);
    EXPECT_EQ(FailureOfDecode(withCount(0xFFFFFFFF)), CArchiveException::generic);
    EXPECT_EQ(FailureOfDecode(withCount(limit)), CArchiveException::endOfFile);
}

// Back-to-back messages come out the same however the stream cuts them.
TEST(MsgTest, MessagesDecodeTheSameWhateverTheSegments) {
    const std::vector<CMsg> sent = {
        MakeMsg(0, "SKDV1", {"a", "bc"}),
        MakeMsg(1, "SKDS1"),
        MakeMsg(0, std::string(300, 'w'), {"", std::string(70000, 'z')}),
        MakeMsg(0, ""),
    };
    std::string stream;
    for (const CMsg& msg : sent)
        stream += EncodeMsg(msg);
    for (std::size_t perRead : {0, 1, 2, 4095, 4096}) {
        const auto received = DecodeAll(stream, perRead);
        ASSERT_EQ(received.size(), sent.size()) << perRead;
        for (std::size_t i = 0; i < sent.size(); ++i)
            ExpectSame(received[i], sent[i], "segment " + std::to_string(perRead));
    }
}

TEST(MsgTest, TextCutAtNulKeepsTheNextMessageAligned) {
    const std::string bytes =
        Bytes({0, 0, 5, 'a', 'b', 0, 'c', 'd', 1, 0, 0}) + EncodeMsg(MakeMsg(1, "SKDS1"));
    const auto received = DecodeAll(bytes, 0);
    ASSERT_EQ(received.size(), 2u);
    ExpectSame(received[0], MakeMsg(0, "ab", {""}), "first");
    ExpectSame(received[1], MakeMsg(1, "SKDS1"), "second");
}

TEST(MsgTest, StreamEndingAnywhereInsideAMessageIsEndOfFile) {
    const std::string bytes = EncodeMsg(MakeMsg(1, "SKDV1", {"a", "bc"}));
    for (std::size_t cut = 1; cut < bytes.size(); ++cut)
        EXPECT_EQ(FailureOfDecode(bytes.substr(0, cut)), CArchiveException::endOfFile) << cut;
}

} // namespace
