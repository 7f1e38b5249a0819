// Reference application server: answers the version handshake and sign-ups on the wire
// protocol, for the local demo and the interoperability tests.
#include "server/account_store.h"
#include "server/exchange_log.h"
#include "server/options.h"
#include "server/request_handler.h"
#include "server/server.h"

#include <csignal>
#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    ServerOptions options;
    std::string error;
    if (!ParseServerOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "skiffserver: " << error << '\n' << kServerUsage;
        return 2;
    }
    if (options.help) {
        std::cout << kServerUsage;
        return 0;
    }
    std::signal(SIGPIPE, SIG_IGN);

    try {
        AccountStore accounts(options.accountsPath, HashCost::Interactive());
        RequestHandler handler(accounts);
        ExchangeLog log(std::cout);
        ServerConfig config;
        config.address = options.address;
        config.port = options.port;
        Server server(config, handler, log);
        server.Listen();
        std::cout << "listening on " << config.address << ':' << server.Port() << std::endl;
        server.Run();
    } catch (const std::exception& e) {
        std::cerr << "skiffserver: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
