#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/link_rules.h"

namespace {

constexpr char kAddress[] = "http://www.skiffdesk.example/index.htm";

TEST(LinkRulesTest, FallbackCommandCutAtThePlaceholderThenTheAddress) {
    const std::string address = kAddress;
    const std::string justFits(linkrules::kCommandBuffer - 2 - address.size(), 'b');
    const struct {
        std::string registered;
        std::optional<std::string> command;
    } cases[] = {
        {"\"C:\\b\\browser.exe\" -nohome \"%1\" -x", "\"C:\\b\\browser.exe\" -nohome  " + address},
        {"C:\\b\\browser.exe %1", "C:\\b\\browser.exe  " + address},
        {"C:\\b\\browser.exe %1 \"%1\"", "C:\\b\\browser.exe %1  " + address},
        {"C:\\b\\browser.exe", "C:\\b\\browser.exe " + address},
        {"", " " + address},
        {justFits, justFits + " " + address},
        {justFits + "b", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(linkrules::FallbackCommandLine(c.registered, address), c.command) << c.registered;
    EXPECT_EQ(linkrules::OpenCommandKey("htmlfile"), "htmlfile\\shell\\open\\command");
    // With its terminating zero, a key name of 520 characters fills the buffer.
    const std::string longest(linkrules::kCommandBuffer - 20, 'c');
    EXPECT_EQ(linkrules::OpenCommandKey(longest), longest + "\\shell\\open\\command");
    EXPECT_EQ(linkrules::OpenCommandKey(longest + "c"), std::nullopt);
}

TEST(LinkRulesTest, ErrorTextNamesTheCode) {
    const struct {
        long long code;
        const char* text;
    } cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {26, "A sharing violation occurred. "},
        {31, "There is no application associated\nwith the given filename extension."},
        {4, "Unknown Error (4) occurred."},
        {-1, "Unknown Error (-1) occurred."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(linkrules::OpenErrorText(c.code),
                  std::string("Unable to open hyperlink:\n\n") + c.text);
}

} // namespace
