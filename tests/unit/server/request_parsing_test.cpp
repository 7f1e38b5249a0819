#include "server/log_text.h"
#include "server/request.h"
#include "server/signup_request.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RequestParsing, FindsTheRequestAfterAnyHandle) {
    struct Case {
        std::string text;
        RequestKind kind;
        std::string body;
    };
    const Case cases[] = {
        {"SKDV000001", RequestKind::handshake, "000001"},
        {"SKDV", RequestKind::handshake, ""},
        {"h7SKDV000001", RequestKind::handshake, "000001"},
        {"SKDR0006000000", RequestKind::signUp, "0006000000"},
        {"handleSKDR0011", RequestKind::signUp, "0011"},
        {"SKDS1", RequestKind::goodbye, "1"},
        {"hSKDS1", RequestKind::goodbye, "1"},
        {"SKDS0", RequestKind::unknown, ""},
        {"SKDS1x", RequestKind::unknown, ""},
        {"SKDX1", RequestKind::unknown, ""},
        {"SKD", RequestKind::unknown, ""},
        {"skdv000001", RequestKind::unknown, ""},
        {"", RequestKind::unknown, ""},
        {"SKDxSKDV2", RequestKind::handshake, "2"},
        // The earliest request wins, so a password holding "SKDV" cannot hijack a sign-up.
        {"SKDR0024SKDV", RequestKind::signUp, "0024SKDV"},
    };
    for (const Case& c : cases) {
        const Request request = ParseRequest(c.text);
        EXPECT_EQ(request.kind, c.kind) << c.text;
        if (c.kind != RequestKind::unknown && c.kind != RequestKind::goodbye) {
            EXPECT_EQ(request.body, c.body) << c.text;
        }
    }
}

TEST(RequestParsing, SignUpFraming) {
    struct Case {
        std::string body; // after "SKDR"
        std::string name, email, password;
    };
    const std::string name64(64, 'n');
    const std::string email99 = std::string(94, 'e') + "@x.yz";
    const std::string password32 = "aB3" + std::string(29, 'p');
    const Case framed[] = {
        {"002405alice06a@b.cd07aB3defg", "alice", "a@b.cd", "aB3defg"},
        {"0006000000", "", "", ""},
        {"020164" + name64 + "99" + email99 + "32" + password32, name64, email99, password32},
    };
    for (const Case& c : framed) {
        const std::optional<SignUpFields> fields = ParseSignUpFields(c.body);
        ASSERT_TRUE(fields.has_value()) << c.body;
        EXPECT_EQ(fields->accountName, c.name);
        EXPECT_EQ(fields->email, c.email);
        EXPECT_EQ(fields->password, c.password);
    }

    const std::string broken[] = {
        "002305alice06a@b.cd07aB3defg",  // total one short
        "002505alice06a@b.cd07aB3defg",  // total one long
        "002405alice06a@b.cd07aB3defgX", // byte left over
        "002405alice06a@b.cd08aB3defg",  // last field runs past the end
        "0024 5alice06a@b.cd07aB3defg",  // length not two digits
        "002405alice06a@b.cd07",         // total counts bytes that are missing
        "000802ab02cd",                  // only two fields
        "0009000000abc",                 // three fields, then leftovers
        "-006000000",
        "0006",
        "000",
        "",
    };
    for (const std::string& body : broken)
        EXPECT_FALSE(ParseSignUpFields(body).has_value()) << body;
}

TEST(RequestParsing, SignUpFieldsKeepEveryByte) {
    const std::string name("a\0\n\t'\xff", 6);
    const std::optional<SignUpFields> fields = ParseSignUpFields("001906" + name + "05a@b.c02xy");
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->accountName, name);
}

TEST(LogText, KeepsLinesReadableAndShort) {
    const struct {
        std::string in;
        std::size_t max;
        std::string out;
    } cases[] = {
        {"alice smith", 64, "alice smith"},
        {"o'neil\\x", 64, "o\\x27neil\\x5cx"},
        {std::string("a\0\n\x7f\xff", 5), 64, "a\\x00\\x0a\\x7f\\xff"},
        {"abcdef", 3, "abc..."},
        {"abc", 3, "abc"},
        {"", 3, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LogText(c.in, c.max), c.out);
}

} // namespace
