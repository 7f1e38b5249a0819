// The listening socket and one thread per client, up to a cap.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <list>
#include <mutex>
#include <string>
#include <thread>

class ExchangeLog;
class RequestHandler;

struct ServerConfig {
    std::string address = "127.0.0.1";    // dotted IPv4
    std::uint16_t port = 10101;           // 0: the system picks a free port
    std::size_t maxClients = 64;          // further clients are closed at once
    std::chrono::seconds readTimeout{30}; // for each message to arrive, and each reply to go
    // The first message must be whole this soon after the connection's start, so clients
    // that drip bytes cannot hold the places for long.
    std::chrono::seconds firstMessageTimeout{10};
};

class Server {
public:
    Server(ServerConfig config, RequestHandler& handler, ExchangeLog& log);
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;
    ~Server();

    // Binds and listens; throws std::system_error (or std::invalid_argument for an
    // address that is not dotted IPv4).
    void Listen();
    std::uint16_t Port() const { return m_port; }

    // Accepts clients until Stop, then closes every client and waits for their threads.
    void Run();
    // May be called from any thread, before or during Run.
    void Stop();

private:
    struct Client {
        int fd;
        std::string peer;
        std::thread thread;
        bool done = false;
    };

    void Accept();
    void Serve(Client& client);
    void JoinFinished();
    void CloseAll();

    ServerConfig m_config;
    RequestHandler& m_handler;
    ExchangeLog& m_log;
    int m_listenFd = -1;
    int m_wakeRead = -1; // Stop writes a byte to wake the poll in Run
    int m_wakeWrite = -1;
    std::uint16_t m_port = 0;

    std::mutex m_mutex; // guards m_clients, and each client's fd against closing while used
    std::list<Client> m_clients;
};
