#include "account/registration_rules.h"

namespace {

bool IsAsciiUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsAsciiLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsAsciiAlnum(char c) {
    return IsAsciiUpper(c) || IsAsciiLower(c) || IsAsciiDigit(c);
}

} // namespace

bool IsValidEmail(const std::string& email) {
    if (email.size() < 5 || !IsAsciiAlnum(email[0]))
        return false;
    int ats = 0;
    int dotsAfterAt = 0;
    for (std::size_t i = 1; i < email.size(); ++i) {
        const char c = email[i];
        if (c == '@') {
            ++ats;
        } else if (c == '.') {
            if (ats > 0)
                ++dotsAfterAt;
        } else if (!IsAsciiAlnum(c) && c != '_' && c != '-') {
            return false;
        }
    }
    return ats == 1 && dotsAfterAt >= 1 && dotsAfterAt <= 3 && email.back() != '.' &&
           email.find("@.") == std::string::npos && email.find(".@") == std::string::npos;
}

bool IsStrongPassword(const std::string& password) {
    bool upper = false;
    bool lower = false;
    bool digit = false;
    for (const char c : password) {
        upper = upper || IsAsciiUpper(c);
        lower = lower || IsAsciiLower(c);
        digit = digit || IsAsciiDigit(c);
    }
    return password.size() >= 6 && upper && lower && digit;
}

bool IsAcceptableSignUp(const std::string& accountName, const std::string& email,
                        const std::string& password) {
    return !accountName.empty() && accountName.size() <= account::kMaxAccountNameBytes &&
           email.size() <= account::kMaxEmailBytes && IsValidEmail(email) &&
           password.size() <= account::kMaxPasswordBytes && IsStrongPassword(password);
}
