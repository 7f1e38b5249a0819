#include "server/options.h"

const char kServerUsage[] =
    "usage: skiffserver [--address IPV4] [--port N] [--accounts FILE]\n"
    "  --address IPV4   address to listen on (default 127.0.0.1)\n"
    "  --port N         port to listen on (default 10101; 0 picks a free one)\n"
    "  --accounts FILE  accounts file (default skiffserver-accounts.txt)\n";

namespace {

bool ParsePort(const std::string& text, std::uint16_t& port) {
    if (text.empty() || text.size() > 5)
        return false;
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > 65535)
        return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

} // namespace

bool ParseServerOptions(const std::vector<std::string>& args, ServerOptions& options,
                        std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name != "--address" && name != "--port" && name != "--accounts") {
            error = "unknown option: " + name;
            return false;
        }
        if (i + 1 == args.size()) {
            error = name + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (name == "--address") {
            options.address = value;
        } else if (name == "--port") {
            if (!ParsePort(value, options.port)) {
                error = "not a port number: " + value;
                return false;
            }
        } else if (value.empty()) {
            error = "--accounts needs a file name";
            return false;
        } else {
            options.accountsPath = value;
        }
    }
    return true;
}
