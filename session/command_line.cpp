#include "session/command_line.h"

#include <optional>
#include <vector>

namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";
constexpr unsigned kMaxPort = 65535;

std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t pos = text.find_first_not_of(kBlanks);
    while (pos != std::string_view::npos) {
        const std::size_t end = text.find_first_of(kBlanks, pos);
        words.push_back(text.substr(pos, end == std::string_view::npos ? end : end - pos));
        pos = text.find_first_not_of(kBlanks, end);
    }
    return words;
}

std::optional<unsigned short> ReadPort(std::string_view word) {
    unsigned value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > kMaxPort)
            return std::nullopt;
    }
    if (value == 0)
        return std::nullopt;
    return static_cast<unsigned short>(value);
}

} // namespace

CommandLine ReadCommandLine(std::string_view text) {
    CommandLine result;
    const std::vector<std::string_view> words = SplitWords(text);
    if (words.empty())
        return result;

    result.status = CommandLine::invalid;
    if (words.size() != 3 || words[0].size() > kMaxCommandLineWord ||
        words[1].size() > kMaxCommandLineWord)
        return result;
    const std::optional<unsigned short> port = ReadPort(words[2]);
    if (!port)
        return result;

    result.status = CommandLine::valid;
    result.handle = words[0];
    result.host = words[1];
    result.port = *port;
    return result;
}
