// The conversation with one connected client: read wire messages, answer each request,
// and close when the client says goodbye, sets the close flag, sends garbage, is too slow
// with a message, or goes away.
#pragma once

#include <chrono>
#include <string>

class ExchangeLog;
class RequestHandler;

struct ClientTimeouts {
    std::chrono::seconds firstMessage; // from the start, for the first message to be whole
    std::chrono::seconds message;      // for each later message, from its first read
};

// Returns with the socket shut down in both directions; the caller closes it.
void ServeClient(int fd, const std::string& peer, ClientTimeouts timeouts, RequestHandler& handler,
                 ExchangeLog& log);
