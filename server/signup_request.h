// The fields of a sign-up request: after the prefix and the kind letter, the framed account
// name, e-mail address and password (request_framing.h).
#pragma once

#include <optional>
#include <string>

struct SignUpFields {
    std::string accountName;
    std::string email;
    std::string password;
};

// Takes the text after the kind letter. Empty when the framing is broken: a total that does not
// match the bytes after it, a length that is not two decimal digits, a field running past
// the end, or anything left over after the third field.
std::optional<SignUpFields> ParseSignUpFields(const std::string& body);
