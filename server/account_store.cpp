#include "server/account_store.h"

#include "server/file_io.h"

#include <system_error>
#include <vector>

AccountStore::AccountStore(std::string path, HashCost cost)
    : m_path(std::move(path)), m_cost(cost) {
    const std::optional<std::string> text = ReadFileIfExists(m_path);
    if (!text)
        return;
    try {
        for (Account& account : ParseAccounts(*text)) {
            std::string name = account.name;
            m_accounts.emplace(std::move(name), std::move(account));
        }
    } catch (const AccountFileError& e) {
        throw AccountFileError(m_path + ": " + e.what());
    }
}

AddResult AccountStore::Add(const std::string& name, const std::string& email,
                            const std::string& password, std::string& error) {
    // Hashing is slow on purpose; done outside the lock so it holds up no name check.
    std::optional<std::string> hash = Hash(password);
    if (!hash) {
        error = "password hashing failed";
        return AddResult::failed;
    }

    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_accounts.count(name) != 0)
        return AddResult::nameTaken;

    std::vector<Account> all;
    all.reserve(m_accounts.size() + 1);
    for (const auto& entry : m_accounts)
        all.push_back(entry.second);
    Account added{name, email, std::move(*hash)};
    all.push_back(added);
    try {
        ReplaceFileAtomically(m_path, FormatAccounts(all));
    } catch (const std::system_error& e) {
        error = e.what();
        return AddResult::failed;
    }
    m_accounts.emplace(name, std::move(added));
    return AddResult::added;
}

std::optional<std::string> AccountStore::Hash(const std::string& password) {
    m_hashSlots.acquire();
    struct Release {
        std::counting_semaphore<kConcurrentHashes>& slots;
        ~Release() { slots.release(); }
    } release{m_hashSlots};
    return HashPassword(password, m_cost);
}

std::optional<Account> AccountStore::Find(const std::string& name) const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_accounts.find(name);
    if (found == m_accounts.end())
        return std::nullopt;
    return found->second;
}
