// Text form of the accounts file: a header line, then one account per line with the
// account name, the e-mail address and the password hash separated by tabs. Name and
// address are escaped (%XX for '%', controls, space and bytes 0x7F and above), so a name
// with any bytes survives and a line never breaks inside a field.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

struct Account {
    std::string name;
    std::string email;
    std::string passwordHash;
};

class AccountFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string FormatAccounts(const std::vector<Account>& accounts);

// Throws AccountFileError naming the first bad line: a missing header, a line without its
// end, a wrong number of fields, a bad escape, an empty name, a repeated name or a
// password that is not a hash. An empty text is an empty file.
std::vector<Account> ParseAccounts(const std::string& text);
