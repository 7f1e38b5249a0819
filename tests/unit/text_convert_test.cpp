#include <gtest/gtest.h>

#include <string>

#include "framework/text_convert.h"

namespace {

TEST(TextConvertTest, MapsToTheCodePageOrTheDefaultCharacter) {
    const struct {
        std::u16string wide;
        std::string ansi;
    } cases[] = {
        {u"", ""},
        {u"Plain ASCII ~", "Plain ASCII ~"},
        {u"caf\u00E9 \u00FF\u00A0", "caf\xE9 \xFF\xA0"},
        {u"\u20AC\u2122\u0178\u017E", "\x80\x99\x9F\x9E"},
        {u"\u0081\u008D\u008F\u0090\u009D", "\x81\x8D\x8F\x90\x9D"},
        {u"\u0080\u0100\u4E2D", "???"},
        {u"a\U0001F600b", "a?b"}, // a surrogate pair is one character
        {u"\xD83D"
         u"A",
         "?A"},           // lone high surrogate
        {u"\xDE00", "?"}, // lone low surrogate
        {std::u16string(u"x\0y", 3), std::string("x\0y", 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WideToAnsi(c.wide.data(), c.wide.size()), c.ansi);
}

} // namespace
