// The accounts the server has signed up, kept in memory and in one file that is rewritten
// whole on each new account. Safe to use from several client threads.
#pragma once

#include "server/account_file.h"
#include "server/password_hash.h"

#include <map>
#include <mutex>
#include <optional>
#include <semaphore>
#include <string>

enum class AddResult {
    added,
    nameTaken,
    failed, // hashing or writing the file failed; nothing was added
};

class AccountStore {
public:
    // Loads the file when it exists. Throws AccountFileError when it is corrupt (it is
    // then left as it is) and std::system_error when it cannot be read.
    AccountStore(std::string path, HashCost cost);
    AccountStore(const AccountStore&) = delete;
    AccountStore& operator=(const AccountStore&) = delete;

    // The caller has already checked the input rules. `error` receives why on failure.
    AddResult Add(const std::string& name, const std::string& email, const std::string& password,
                  std::string& error);

    std::optional<Account> Find(const std::string& name) const;

private:
    std::optional<std::string> Hash(const std::string& password);

    // Each hash takes its memory cost (64 MiB when interactive), so only a few run at once.
    static constexpr std::ptrdiff_t kConcurrentHashes = 4;

    std::string m_path;
    HashCost m_cost;
    std::counting_semaphore<kConcurrentHashes> m_hashSlots{kConcurrentHashes};
    mutable std::mutex m_mutex;
    std::map<std::string, Account> m_accounts; // by name
};
