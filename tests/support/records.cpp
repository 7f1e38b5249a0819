#include "tests/support/records.h"

#include <algorithm>
#include <fstream>
#include <utility>

#include "tests/support/record_format.h"

namespace support {

std::vector<std::string> ReadRecord(const std::string& folder, const std::string& name) {
    std::ifstream in(folder + "\\" + name + kRecordExtension, std::ios::binary);
    std::vector<std::pair<std::string, std::string>> stamped; // creation time, command line
    std::string line;
    // A double still writing leaves a last line without its end; it is not taken yet.
    while (std::getline(in, line) && !in.eof()) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t cut = std::min<std::size_t>(line.size(), kStampDigits + 1);
        stamped.emplace_back(line.substr(0, kStampDigits), line.substr(cut));
    }
    // In the order the doubles were started (the stamps are fixed-width hex).
    std::stable_sort(stamped.begin(), stamped.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> lines;
    for (auto& [stamp, commandLine] : stamped)
        lines.push_back(std::move(commandLine));
    return lines;
}

std::vector<std::string> WaitForRecord(const std::string& folder, const std::string& name,
                                       std::size_t count, Millis timeout) {
    std::vector<std::string> lines;
    WaitFor(
        [&] {
            lines = ReadRecord(folder, name);
            return lines.size() >= count;
        },
        timeout);
    return lines;
}

std::string ArgumentsOf(const std::string& commandLine) {
    std::size_t pos = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const std::size_t close = commandLine.find('"', 1);
        pos = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        pos = commandLine.find_first_of(" \t");
        if (pos == std::string::npos)
            pos = commandLine.size();
    }
    const std::size_t start = commandLine.find_first_not_of(" \t", pos);
    return start == std::string::npos ? std::string() : commandLine.substr(start);
}

} // namespace support
