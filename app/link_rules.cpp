#include "app/link_rules.h"

#include "app/shell_texts.h"

namespace linkrules {

namespace {

bool Fits(const std::string& text) {
    return text.size() < kCommandBuffer;
}

const char* CodeText(long long code) {
    for (const CodeTextEntry& entry : kCodeTexts) {
        if (entry.code == code)
            return entry.text;
    }
    return nullptr;
}

} // namespace

std::optional<std::string> OpenCommandKey(const std::string& pageClass) {
    std::string key = pageClass + kOpenCommandKey;
    if (!Fits(key))
        return std::nullopt;
    return key;
}

std::optional<std::string> FallbackCommandLine(const std::string& registered,
                                               const std::string& address) {
    std::string command = registered;
    std::size_t placeholder = command.find("\"%1\"");
    if (placeholder == std::string::npos)
        placeholder = command.find("%1");
    if (placeholder != std::string::npos)
        command.resize(placeholder);
    command += ' ';
    command += address;
    if (!Fits(command))
        return std::nullopt;
    return command;
}

std::string OpenErrorText(long long code) {
    const std::string text = kOpenFailed;
    if (const char* known = CodeText(code))
        return text + known;
    return text + kUnknownError + std::to_string(code) + kUnknownErrorEnd;
}

} // namespace linkrules
