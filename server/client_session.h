// The conversation with one connected client: read wire messages, answer each request,
// and close when the client says goodbye, sets the close flag, sends garbage, stalls past
// `readTimeout` waiting for a message, or goes away.
#pragma once

#include <chrono>
#include <string>

class ExchangeLog;
class RequestHandler;

// Returns with the socket shut down in both directions; the caller closes it.
void ServeClient(int fd, const std::string& peer, std::chrono::seconds readTimeout,
                 RequestHandler& handler, ExchangeLog& log);
