#include "server/exchange_log.h"

#include <ctime>

void ExchangeLog::Write(const std::string& peer, const std::string& what) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char stamp[32] = "";
    if (localtime_r(&now, &local) != nullptr)
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);

    const std::lock_guard<std::mutex> lock(m_mutex);
    m_out << stamp << ' ' << peer << ' ' << what << std::endl;
}
