#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "session/msg_reader.h"
#include "tests/support/wire_codec.h"

namespace {

using support::EncodeMsg;
using support::MakeMsg;

// Feeds bytes in the given pieces, taking every message out after each; the largest pending
// count seen is kept in maxPending.
std::vector<CMsg> Feed(CMsgReader& reader, const std::string& bytes,
                       const std::vector<std::size_t>& pieces, std::size_t& maxPending,
                       CMsgReader::Status& last) {
    std::vector<CMsg> taken;
    std::size_t at = 0;
    for (std::size_t piece : pieces) {
        reader.Append(bytes.data() + at, piece);
        at += piece;
        maxPending = std::max(maxPending, reader.PendingBytes());
        CMsg msg;
        while ((last = reader.Next(msg)) == CMsgReader::Status::message)
            taken.push_back(std::move(msg));
        if (last == CMsgReader::Status::malformed)
            break;
    }
    return taken;
}

std::vector<std::size_t> Pieces(std::size_t total, std::size_t each) {
    std::vector<std::size_t> pieces(total / each, each);
    if (total % each != 0)
        pieces.push_back(total % each);
    return pieces;
}

TEST(MsgReaderTest, MessagesComeOutWholeAndInOrderHoweverTheBytesAreSplit) {
    const std::vector<CMsg> sent = {
        MakeMsg("SKDV1", false, {"a", "bc"}),
        MakeMsg("SKDS1", true),
        MakeMsg(std::string(300, 'w'), false, {"", std::string(70000, 'z')}),
        MakeMsg("ends in an empty line", false, {""}),
        MakeMsg(""),
    };
    std::string stream;
    for (const CMsg& msg : sent)
        stream += EncodeMsg(msg);

    std::vector<std::pair<std::string, std::vector<std::size_t>>> splits = {
        {"one byte at a time", Pieces(stream.size(), 1)},
        {"all at once", {stream.size()}},
        {"4096-byte reads", Pieces(stream.size(), 4096)},
    };
    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        std::vector<std::size_t> pieces;
        for (std::size_t left = stream.size(); left > 0;) {
            const std::size_t n = std::min<std::size_t>(left, 1 + random() % 9000);
            pieces.push_back(n);
            left -= n;
        }
        splits.emplace_back("random split " + std::to_string(round), pieces);
    }
    for (const auto& [what, pieces] : splits) {
        CMsgReader reader;
        std::size_t maxPending = 0;
        CMsgReader::Status last{};
        const std::vector<CMsg> taken = Feed(reader, stream, pieces, maxPending, last);
        ASSERT_EQ(taken.size(), sent.size()) << what;
        for (std::size_t i = 0; i < sent.size(); ++i) {
            EXPECT_EQ(taken[i].m_bClose, sent[i].m_bClose) << what << " #" << i;
            EXPECT_EQ(taken[i].m_strText, sent[i].m_strText) << what << " #" << i;
            EXPECT_EQ(taken[i].m_strList, sent[i].m_strList) << what << " #" << i;
        }
        EXPECT_EQ(last, CMsgReader::Status::incomplete) << what;
        EXPECT_FALSE(reader.Begun()) << what;
        EXPECT_EQ(reader.MessagesTaken(), sent.size()) << what;
    }
}

// One message may hold kMaxMessageBytes in all: past that it is malformed as soon as a length
// says so, and the pending bytes stay within the bound and one read.
TEST(MsgReaderTest, AMessagePastTheBoundIsMalformed) {
    constexpr std::size_t kBound = CMsg::kMaxMessageBytes;
    constexpr std::size_t kRead = 65536;
    // 2-byte flag, 7-byte text length, 2-byte count: a text of kBound - 11 fills it exactly.
    const std::string fits = EncodeMsg(MakeMsg(std::string(kBound - 11, 'f')));
    ASSERT_EQ(fits.size(), kBound);
    const struct {
        const char* what;
        std::string bytes;
        CMsgReader::Status expected;
    } cases[] = {
        {"exactly the bound", fits, CMsgReader::Status::message},
        {"one byte more", EncodeMsg(MakeMsg(std::string(kBound - 10, 'f'))),
         CMsgReader::Status::malformed},
        {"two strings of 9 MiB",
         EncodeMsg(MakeMsg(std::string(9u << 20, 't'), false, {std::string(9u << 20, 'l')})),
         CMsgReader::Status::malformed},
        {"20 strings of 1 MiB",
         EncodeMsg(MakeMsg("", false, std::vector<std::string>(20, std::string(1u << 20, 's')))),
         CMsgReader::Status::malformed},
    };
    for (const auto& test : cases) {
        CMsgReader reader;
        std::size_t maxPending = 0;
        CMsgReader::Status last{};
        const std::vector<CMsg> taken =
            Feed(reader, test.bytes, Pieces(test.bytes.size(), kRead), maxPending, last);
        EXPECT_EQ(last, test.expected == CMsgReader::Status::message
                            ? CMsgReader::Status::incomplete
                            : CMsgReader::Status::malformed)
            << test.what;
        const auto expectedCount = test.expected == CMsgReader::Status::message ? 1u : 0u;
        EXPECT_EQ(taken.size(), expectedCount) << test.what;
        EXPECT_LE(maxPending, kBound + kRead) << test.what;
    }
}

} // namespace
