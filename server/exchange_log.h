// One line per exchange: local time, peer, what happened. Lines from several client
// threads never interleave, and each is flushed at once.
#pragma once

#include <mutex>
#include <ostream>
#include <string>

class ExchangeLog {
public:
    explicit ExchangeLog(std::ostream& out) : m_out(out) {}

    // "2026-12-08 14:30:01 127.0.0.1:50412 sign-up 'alice' -> SKDR1"
    void Write(const std::string& peer, const std::string& what);

private:
    std::mutex m_mutex;
    std::ostream& m_out;
};
