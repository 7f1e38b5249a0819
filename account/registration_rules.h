// Input rules of a new account, shared by the sign-up dialog and the reference server.
// All lengths count bytes; the character classes are plain ASCII, whatever the locale.
#pragma once

#include <cstddef>
#include <string>

namespace account {

constexpr std::size_t kMaxAccountNameBytes = 64;
// The request gives each field two length digits, so longer addresses cannot be framed.
constexpr std::size_t kMaxEmailBytes = 99;
constexpr std::size_t kMaxPasswordBytes = 32;

} // namespace account

// At least 5 bytes, a letter or digit first, then only letters, digits, '_', '-', '.' and
// '@'; exactly one '@'; 1 to 3 dots after it; no "@." or ".@"; no '.' at the end.
bool IsValidEmail(const std::string& email);

// At least 6 bytes with an upper-case letter, a lower-case letter and a digit; any other
// byte is allowed and counts toward the length.
bool IsStrongPassword(const std::string& password);

// A whole sign-up as the server accepts it: account name of 1 to 64 bytes (any bytes),
// a valid e-mail address of at most 99 bytes, a strong password of at most 32 bytes.
bool IsAcceptableSignUp(const std::string& accountName, const std::string& email,
                        const std::string& password);
