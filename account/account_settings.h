// The account as kept in the settings: "reg" in section "Setup" says whether one was signed
// up on this machine; the name, address and password are in section "Option". The password
// is stored in the user's protected form, never as plain text.
#pragma once

#include <string>

class CWinApp;

namespace account_settings {

inline constexpr const char* kSetup = "Setup";
inline constexpr const char* kOption = "Option";
inline constexpr const char* kRegistered = "reg";
inline constexpr const char* kFirstRegister = "t_first_register";
inline constexpr const char* kAccountName = "AccountName";
inline constexpr const char* kEmail = "EmailAdress";
inline constexpr const char* kPassword = "Password";

struct Account {
    std::string name;
    std::string email;
    std::string password;
};

// Whether an account was signed up ("reg" is not 0).
bool IsRegistered(const CWinApp& app);
// A value longer than its field takes reads as empty: it cannot be one this program stored.
Account Load(const CWinApp& app);
// The three values, then "reg" = 1; false when the password cannot be protected (nothing is
// then written) or a value cannot be written (then "reg" is not).
bool Save(CWinApp& app, const Account& account);

} // namespace account_settings
