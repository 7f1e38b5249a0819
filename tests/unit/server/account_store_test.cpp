#include "server/account_store.h"

#include "server/file_io.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

bool HashMatches(const std::string& hash, const std::string& password) {
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

TEST(AccountStore, AccountsSurviveARestartAsHashesOnly) {
    TempDir dir;
    const std::string path = dir.File("accounts.txt");
    const struct {
        std::string name, email, password;
    } accounts[] = {
        {"alice", "alice@example.org", "Secret123"},
        {std::string("b\0b\nby", 6), "bob@example.org", "Hunter2Hunter2"},
    };
    {
        AccountStore store(path, HashCost::Minimal());
        std::string error;
        for (const auto& a : accounts)
            ASSERT_EQ(store.Add(a.name, a.email, a.password, error), AddResult::added) << error;
    }

    const std::string text = ReadFileIfExists(path).value();
    AccountStore reopened(path, HashCost::Minimal());
    for (const auto& a : accounts) {
        EXPECT_EQ(text.find(a.password), std::string::npos) << "clear password in the file";
        const std::optional<Account> found = reopened.Find(a.name);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->email, a.email);
        EXPECT_TRUE(HashMatches(found->passwordHash, a.password));
        EXPECT_FALSE(HashMatches(found->passwordHash, a.password + "x"));
    }
    EXPECT_FALSE(reopened.Find("carol").has_value());

    // No temporary file is left beside the real one, and only the owner may read it.
    std::size_t files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(path).parent_path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1u);
    const auto perms = std::filesystem::status(path).permissions();
    EXPECT_EQ(perms & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
              std::filesystem::perms::none);
}

TEST(AccountStore, NameTakenOnceEvenUnderARace) {
    TempDir dir;
    AccountStore store(dir.File("accounts.txt"), HashCost::Minimal());
    std::vector<AddResult> results(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < results.size(); ++i) {
        threads.emplace_back([&, i] {
            std::string error;
            results[i] = store.Add("same", "s@a.me", "Passw0rd" + std::to_string(i), error);
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(std::count(results.begin(), results.end(), AddResult::added), 1);
    EXPECT_EQ(std::count(results.begin(), results.end(), AddResult::nameTaken), 7);

    std::string error;
    EXPECT_EQ(store.Add("same", "other@a.me", "Passw0rd", error), AddResult::nameTaken);
    EXPECT_EQ(store.Add("Same", "other@a.me", "Passw0rd", error), AddResult::added);
}

TEST(AccountStore, CorruptFileIsReportedAndLeftAlone) {
    TempDir dir;
    const std::string path = dir.File("accounts.txt");
    const std::string corrupt = "skiffserver accounts 1\nalice\ta@b.cd\n";
    ReplaceFileAtomically(path, corrupt);
    try {
        AccountStore store(path, HashCost::Minimal());
        ADD_FAILURE() << "corrupt file accepted";
    } catch (const AccountFileError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadFileIfExists(path).value(), corrupt);
}

TEST(AccountStore, FailedWriteAddsNothing) {
    TempDir dir;
    // The folder of the file does not exist, so the new file cannot be written.
    AccountStore store(dir.File("missing/accounts.txt"), HashCost::Minimal());
    std::string error;
    EXPECT_EQ(store.Add("alice", "a@b.cd", "Secret123", error), AddResult::failed);
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(store.Find("alice").has_value());
}

} // namespace
