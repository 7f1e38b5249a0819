#include "account/account_settings.h"

#include "account/password_protection.h"
#include "account/registration_rules.h"
#include "framework/win_app.h"

namespace account_settings {

bool IsRegistered(const CWinApp& app) {
    return app.GetProfileInt(kSetup, kRegistered, 0) != 0;
}

namespace {

std::string WithinLimit(std::string value, std::size_t maxBytes) {
    return value.size() <= maxBytes ? value : std::string();
}

} // namespace

Account Load(const CWinApp& app) {
    Account account;
    account.name =
        WithinLimit(app.GetProfileString(kOption, kAccountName), account::kMaxAccountNameBytes);
    account.email = WithinLimit(app.GetProfileString(kOption, kEmail), account::kMaxEmailBytes);
    account.password = WithinLimit(UnprotectPassword(app.GetProfileString(kOption, kPassword)),
                                   account::kMaxPasswordBytes);
    return account;
}

bool Save(CWinApp& app, const Account& account) {
    const std::string password = ProtectPassword(account.password);
    if (password.empty() && !account.password.empty())
        return false;
    // "reg" last: the next start loads the values only when all of them are there.
    return app.WriteProfileString(kOption, kAccountName, account.name.c_str()) != FALSE &&
           app.WriteProfileString(kOption, kEmail, account.email.c_str()) != FALSE &&
           app.WriteProfileString(kOption, kPassword, password.c_str()) != FALSE &&
           app.WriteProfileInt(kSetup, kRegistered, 1) != FALSE;
}

} // namespace account_settings
