#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "session/request_framing.h"

namespace {

TEST(RequestFramingTest, FramesFieldsAndParsesThemBack) {
    const struct {
        std::vector<std::string> fields;
        std::string framed; // empty: cannot be framed
    } cases[] = {
        {{"abc", "de", ""}, "SKDR001103abc02de00"},
        {{"abcde", "a@b.cd", "Secret7"}, "SKDR002405abcde06a@b.cd07Secret7"},
        {{"", "", ""}, "SKDR0006000000"},
        {{std::string(64, 'a'), std::string(99, 'b'), std::string(32, 'c')},
         "SKDR020164" + std::string(64, 'a') + "99" + std::string(99, 'b') + "32" +
             std::string(32, 'c')},
        {{}, "SKDR0000"},
        {{std::string(100, 'e'), "x", "y"}, ""},
        // 99 fields of 99 characters fill the total exactly; one more field does not fit.
        {std::vector<std::string>(99, std::string(99, 'f')),
         "SKDR9999" +
             [] {
                 std::string body;
                 for (int i = 0; i < 99; ++i)
                     body += "99" + std::string(99, 'f');
                 return body;
             }()},
        {std::vector<std::string>(100, std::string(99, 'f')), ""},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> framed = FrameRequest('R', c.fields);
        if (c.framed.empty()) {
            EXPECT_FALSE(framed.has_value()) << c.fields.size() << " fields";
            continue;
        }
        ASSERT_TRUE(framed.has_value()) << c.framed.substr(0, 20);
        EXPECT_EQ(*framed, c.framed);
        const auto parsed = ParseFramedRequest(*framed);
        ASSERT_TRUE(parsed.has_value()) << c.framed.substr(0, 20);
        EXPECT_EQ(parsed->kind, 'R');
        EXPECT_EQ(parsed->fields, c.fields);
    }
}

TEST(RequestFramingTest, ParseRefusesTextsThatAreNotOneFramedRequest) {
    for (const char* text : {
             "", "SKD", "SKDR", "SKDR001", "skdR001103abc02de00",
             "SKDR001203abc02de00",  // total too large
             "SKDR001003abc02de00",  // total too small
             "SKDR001103abc02de00x", // trailing byte
             "SKDR00-503abc",        // sign in the total
             "SKDR000503ab",         // field longer than the rest
             "SKDR00010",            // length digits cut short
             "SKDR00020x",           // length digits not digits
         }) {
        EXPECT_FALSE(ParseFramedRequest(text).has_value()) << text;
    }
}

} // namespace
