// Command line of the server.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ServerOptions {
    std::string address = "127.0.0.1";
    std::uint16_t port = 10101;
    std::string accountsPath = "skiffserver-accounts.txt";
    bool help = false;
};

extern const char kServerUsage[];

// Reads "--address A", "--port N" (0 to 65535), "--accounts FILE" and "--help" from the
// arguments after the program's name. False with `error` set on anything else.
bool ParseServerOptions(const std::vector<std::string>& args, ServerOptions& options,
                        std::string& error);
