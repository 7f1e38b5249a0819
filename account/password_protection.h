// The stored form of the account's password: the user-scope protected form of the system's
// data protection, in base64 behind a short marker. A stored value without the marker is
// plain text from an older install and reads as it is.
#pragma once

#include <string>

inline constexpr const char* kProtectedPasswordMarker = "dp1:";

// The stored form; "" when the system cannot protect it (nothing is then kept).
std::string ProtectPassword(const std::string& password);
// The password; "" when a protected value cannot be opened (another user's, or damaged).
std::string UnprotectPassword(const std::string& stored);
