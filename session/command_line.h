// The optional command line (the text after the program's name): "<handle> <server> <port>".
#pragma once

#include <string>
#include <string_view>

inline constexpr std::size_t kMaxCommandLineWord = 127;

struct CommandLine {
    enum Status {
        useDefaults, // empty or only blanks
        valid,       // three words, all usable
        invalid,     // anything else: the caller tells the user and uses the defaults
    };
    Status status = useDefaults;
    std::string handle;      // set only when valid
    std::string host;        // set only when valid
    unsigned short port = 0; // set only when valid
};

CommandLine ReadCommandLine(std::string_view text);
