// Answers one request text: the version handshake, a sign-up or the goodbye.
#pragma once

#include <optional>
#include <string>

class AccountStore;

struct Exchange {
    std::optional<std::string> reply; // text of the reply message; none for a goodbye or
                                      // a text the server does not understand
    std::string summary;              // for the log; never holds a password
    bool close = false;               // the server closes its side after this request
};

class RequestHandler {
public:
    explicit RequestHandler(AccountStore& accounts) : m_accounts(accounts) {}

    Exchange Handle(const std::string& text);

private:
    Exchange SignUp(const std::string& body);

    AccountStore& m_accounts;
};
