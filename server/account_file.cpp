#include "server/account_file.h"

#include "server/password_hash.h"

#include <set>

namespace {

const char kHeader[] = "skiffserver accounts 1";
const char kHex[] = "0123456789ABCDEF";

bool IsPlain(unsigned char c) {
    return c > ' ' && c < 0x7F && c != '%';
}

std::string Escape(const std::string& text) {
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsPlain(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

[[noreturn]] void Fail(std::size_t lineNumber, const std::string& why) {
    throw AccountFileError("line " + std::to_string(lineNumber) + ": " + why);
}

std::string Unescape(const std::string& text, std::size_t lineNumber) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            if (!IsPlain(static_cast<unsigned char>(text[i])))
                Fail(lineNumber, "unexpected byte in a field");
            out += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
        if (high < 0 || low < 0)
            Fail(lineNumber, "bad escape");
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string::npos;
         tab = line.find('\t', start)) {
        parts.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    parts.push_back(line.substr(start));
    return parts;
}

} // namespace

std::string FormatAccounts(const std::vector<Account>& accounts) {
    std::string out = std::string(kHeader) + '\n';
    for (const Account& account : accounts)
        out += Escape(account.name) + '\t' + Escape(account.email) + '\t' + account.passwordHash +
               '\n';
    return out;
}

std::vector<Account> ParseAccounts(const std::string& text) {
    std::vector<Account> accounts;
    if (text.empty())
        return accounts;
    std::set<std::string> names;
    std::size_t lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        ++lineNumber;
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            Fail(lineNumber, "line has no end (file cut short?)");
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (lineNumber == 1) {
            if (line != kHeader)
                Fail(lineNumber, "not an accounts file");
            continue;
        }
        const std::vector<std::string> fields = SplitTabs(line);
        if (fields.size() != 3)
            Fail(lineNumber, "expected 3 fields, found " + std::to_string(fields.size()));
        Account account{Unescape(fields[0], lineNumber), Unescape(fields[1], lineNumber),
                        fields[2]};
        if (account.name.empty())
            Fail(lineNumber, "empty account name");
        if (!LooksLikePasswordHash(account.passwordHash))
            Fail(lineNumber, "password is not an argon2id hash");
        if (!names.insert(account.name).second)
            Fail(lineNumber, "account name repeated");
        accounts.push_back(std::move(account));
    }
    return accounts;
}
