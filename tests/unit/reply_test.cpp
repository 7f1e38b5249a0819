#include <gtest/gtest.h>

#include "session/reply.h"

namespace {

TEST(ReplyTest, ReadsPrefixKindAndResult) {
    const struct {
        const char* text;
        ReplyKind kind;
        bool success;
    } cases[] = {
        {"SKDV1", ReplyKind::Version, true},       {"SKDV1 and more", ReplyKind::Version, true},
        {"SKDV0", ReplyKind::Version, false},      {"SKDV", ReplyKind::Version, false},
        {"SKDVx", ReplyKind::Version, false},      {"SKDR1", ReplyKind::Registration, true},
        {"SKDR0", ReplyKind::Registration, false}, {"SKDR", ReplyKind::Registration, false},
        {"SKDX1", ReplyKind::Other, true},         {"SKDv1", ReplyKind::Other, true},
        {"SKD", ReplyKind::None, false},           {"", ReplyKind::None, false},
        {"skdv1", ReplyKind::None, false},         {"hSKDV1", ReplyKind::None, false},
        {" SKDV1", ReplyKind::None, false},
    };
    for (const auto& c : cases) {
        const Reply reply = ReadReply(c.text);
        EXPECT_EQ(reply.kind, c.kind) << '"' << c.text << '"';
        EXPECT_EQ(reply.success, c.success) << '"' << c.text << '"';
    }
}

} // namespace
