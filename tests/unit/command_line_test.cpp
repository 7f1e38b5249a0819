#include <gtest/gtest.h>

#include <string>

#include "session/command_line.h"

namespace {

TEST(CommandLineTest, ReadsHandleHostAndPort) {
    const std::string longest(kMaxCommandLineWord, 'w');
    const std::string tooLong(kMaxCommandLineWord + 1, 'w');
    const struct {
        std::string text;
        CommandLine::Status status;
        std::string handle;
        std::string host;
        unsigned short port;
    } cases[] = {
        {"", CommandLine::useDefaults, "", "", 0},
        {" \t \r\n", CommandLine::useDefaults, "", "", 0},
        {"h apps.example.com 4000", CommandLine::valid, "h", "apps.example.com", 4000},
        {"  h\t10.0.0.1   4000 ", CommandLine::valid, "h", "10.0.0.1", 4000},
        {"h host 1", CommandLine::valid, "h", "host", 1},
        {"h host 65535", CommandLine::valid, "h", "host", 65535},
        {"h host 08080", CommandLine::valid, "h", "host", 8080},
        {longest + " " + longest + " 80", CommandLine::valid, longest, longest, 80},
        {"h host 0", CommandLine::invalid, "", "", 0},
        {"h host 65536", CommandLine::invalid, "", "", 0},
        {"h host 99999999999999999999999", CommandLine::invalid, "", "", 0},
        {"h host +80", CommandLine::invalid, "", "", 0},
        {"h host -1", CommandLine::invalid, "", "", 0},
        {"h host 80x", CommandLine::invalid, "", "", 0},
        {"h host", CommandLine::invalid, "", "", 0},
        {"h", CommandLine::invalid, "", "", 0},
        {"h host 80 extra", CommandLine::invalid, "", "", 0},
        {tooLong + " host 80", CommandLine::invalid, "", "", 0},
        {"h " + tooLong + " 80", CommandLine::invalid, "", "", 0},
    };
    for (const auto& c : cases) {
        const CommandLine line = ReadCommandLine(c.text);
        EXPECT_EQ(line.status, c.status) << '"' << c.text << '"';
        EXPECT_EQ(line.handle, c.handle) << '"' << c.text << '"';
        EXPECT_EQ(line.host, c.host) << '"' << c.text << '"';
        EXPECT_EQ(line.port, c.port) << '"' << c.text << '"';
    }
}

} // namespace
