#include "server/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ServerOptions, ReadsEachOptionAndRejectsTheRest) {
    const struct {
        std::vector<std::string> args;
        bool ok;
        std::string address;
        int port;
        std::string accounts;
    } cases[] = {
        {{}, true, "127.0.0.1", 10101, "skiffserver-accounts.txt"},
        {{"--port", "0"}, true, "127.0.0.1", 0, "skiffserver-accounts.txt"},
        {{"--port", "65535", "--address", "0.0.0.0", "--accounts", "/var/a.txt"},
         true,
         "0.0.0.0",
         65535,
         "/var/a.txt"},
        {{"--port", "65536"}, false, "", 0, ""},
        {{"--port", "-1"}, false, "", 0, ""},
        {{"--port", "10101x"}, false, "", 0, ""},
        {{"--port", ""}, false, "", 0, ""},
        {{"--port", "000000000080"}, false, "", 0, ""},
        {{"--port"}, false, "", 0, ""},
        {{"--accounts", ""}, false, "", 0, ""},
        {{"--verbose"}, false, "", 0, ""},
        {{"10101"}, false, "", 0, ""},
    };
    for (const auto& c : cases) {
        ServerOptions options;
        std::string error;
        const bool ok = ParseServerOptions(c.args, options, error);
        ASSERT_EQ(ok, c.ok) << (c.args.empty() ? "" : c.args[0]) << " " << error;
        if (!ok) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        EXPECT_EQ(options.address, c.address);
        EXPECT_EQ(options.port, c.port);
        EXPECT_EQ(options.accountsPath, c.accounts);
    }
    ServerOptions options;
    std::string error;
    EXPECT_TRUE(ParseServerOptions({"--help"}, options, error));
    EXPECT_TRUE(options.help);
}

} // namespace
