#include "account/account_settings.h"

#include "account/password_protection.h"
#include "framework/win_app.h"

namespace account_settings {

bool IsRegistered(const CWinApp& app) {
    return app.GetProfileInt(kSetup, kRegistered, 0) != 0;
}

Account Load(const CWinApp& app) {
    Account account;
    account.name = app.GetProfileString(kOption, kAccountName);
    account.email = app.GetProfileString(kOption, kEmail);
    account.password = UnprotectPassword(app.GetProfileString(kOption, kPassword));
    return account;
}

void Save(CWinApp& app, const Account& account) {
    app.WriteProfileInt(kSetup, kRegistered, 1);
    app.WriteProfileString(kOption, kAccountName, account.name.c_str());
    app.WriteProfileString(kOption, kEmail, account.email.c_str());
    app.WriteProfileString(kOption, kPassword, ProtectPassword(account.password).c_str());
}

} // namespace account_settings
