#include "app/link_rules.h"

namespace linkrules {

namespace {

bool Fits(const std::string& text) {
    return text.size() < kCommandBuffer;
}

const char* CodeText(long long code) {
    switch (code) {
    case 0:
        return "The operating system is out\nof memory or resources.";
    case 2:
        return "The specified file was not found.";
    case 3:
        return "The specified path was not found.";
    case 5:
        return "The operating system denied\naccess to the specified file.";
    case 8:
        return "There was not enough memory to complete the operation.";
    case 11:
        return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case 26:
        return "A sharing violation occurred. ";
    case 27:
        return "The filename association is\nincomplete or invalid.";
    case 28:
        return "The DDE transaction could not\nbe completed because the request timed out.";
    case 29:
        return "The DDE transaction failed.";
    case 30:
        return "The DDE transaction could not\nbe completed because other DDE "
               "transactions\nwere being processed.";
    case 31:
        return "There is no application associated\nwith the given filename extension.";
    case 32:
        return "The specified dynamic-link library was not found.";
    default:
        return nullptr;
    }
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
    std::string text = "Unable to open hyperlink:\n\n";
    if (const char* known = CodeText(code))
        return text + known;
    return text + "Unknown Error (" + std::to_string(code) + ") occurred.";
}

} // namespace linkrules
