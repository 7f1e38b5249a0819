// What the session tests expect on the wire and on screen, written out here rather than taken
// from the program, so that a fault in the program's own texts or codec shows.
#pragma once

#include <chrono>
#include <cmath>
#include <ctime>
#include <regex>
#include <string>

#include "deployment.h"
#include "tests/support/scripted_server.h"

namespace e2e {

inline constexpr char kAppTitle[] = "Skiffdesk";

// 00 00, 0A, "SKDV000001", 00 00: no handle, close flag 0, empty list.
inline const std::string kHandshakeBytes("\x00\x00\x0aSKDV000001\x00\x00", 15);

// 01 00, the length, the handle and "SKDS1", 00 00 (handles here stay under 250 bytes).
inline std::string GoodbyeBytes(const std::string& handle = "") {
    const std::string text = handle + "SKDS1";
    return std::string("\x01\x00", 2) + static_cast<char>(text.size()) + text +
           std::string("\x00\x00", 2);
}

inline std::string UpgradeText() {
    return std::string("The Server has upgraded. Please download the client application at ") +
           deployment::kWebAddress + " and update it";
}
inline std::string ConnectUpdateText() {
    return std::string("Can not connect the server. Please download the client application at ") +
           deployment::kWebAddress + " and update it.";
}
inline constexpr char kConnectRetryText[] = "Failed to connect to server\nTry again?";
inline constexpr char kClosingConnection[] = "Closing connection";

// The text pane: "MM/DD/YYYY  HH:MM:SS   " in local time, stamped within the last minute (a
// day and month swapped, or a clock in another zone, shows), then the last message shown.
inline bool PaneShows(const std::string& pane, const std::string& message) {
    constexpr double kStampSlackSeconds = 60;
    static const std::regex stamp(R"((\d\d)/(\d\d)/(\d{4})  (\d\d):(\d\d):(\d\d)   )");
    if (pane.size() < message.size() ||
        pane.compare(pane.size() - message.size(), message.size(), message) != 0)
        return false;
    const std::string prefix = pane.substr(0, pane.size() - message.size());
    std::smatch fields;
    if (!std::regex_match(prefix, fields, stamp))
        return false;
    std::tm when{};
    when.tm_mon = std::stoi(fields[1]) - 1;
    when.tm_mday = std::stoi(fields[2]);
    when.tm_year = std::stoi(fields[3]) - 1900;
    when.tm_hour = std::stoi(fields[4]);
    when.tm_min = std::stoi(fields[5]);
    when.tm_sec = std::stoi(fields[6]);
    when.tm_isdst = -1;
    const std::time_t stamped = std::mktime(&when);
    return stamped != -1 &&
           std::abs(std::difftime(std::time(nullptr), stamped)) <= kStampSlackSeconds;
}

inline double SecondsBetween(support::ConnectionRecord::Clock::time_point from,
                             support::ConnectionRecord::Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// The handshake time-out is a 2 s timer armed just before the connect; the window allows
// for a loaded machine.
inline constexpr double kTimeOutEarliest = 1.5;
inline constexpr double kTimeOutLatest = 4.0;

} // namespace e2e
