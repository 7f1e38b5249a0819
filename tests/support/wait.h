// Waiting on conditions: every wait of the harness polls a probe until it holds or a deadline
// passes, so a program that never gets there fails the test instead of hanging it.
#pragma once

#include <chrono>
#include <thread>

namespace support {

using Millis = std::chrono::milliseconds;

// Long enough for a cold Wine process start and a window to appear; still short against the
// per-test limit of ctest.
inline constexpr Millis kDefaultTimeout{15000};
inline constexpr Millis kPollInterval{20};

// Calls probe until its result tests true or timeout has passed; returns the last result.
template <typename Probe> auto WaitFor(Probe&& probe, Millis timeout = kDefaultTimeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        auto value = probe();
        if (value || std::chrono::steady_clock::now() >= deadline)
            return value;
        std::this_thread::sleep_for(kPollInterval);
    }
}

} // namespace support
