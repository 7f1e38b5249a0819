#include "server/account_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

const std::string kHash = "$argon2id$v=19$m=8,t=1,p=1$c2FsdHNhbHQ$aGFzaGhhc2g";

TEST(AccountFile, AnyBytesInNamesAndAddressesRoundTrip) {
    const std::vector<Account> accounts = {
        {"alice", "a@b.cd", kHash},
        {std::string("t\tab\nnew%line \x7f\xff\0end", 18), "x y%@z.w", kHash},
        {" ", "", kHash},
    };
    const std::string text = FormatAccounts(accounts);
    // One line for the header and one per account, whatever the names hold.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);

    const std::vector<Account> back = ParseAccounts(text);
    ASSERT_EQ(back.size(), accounts.size());
    for (std::size_t i = 0; i < accounts.size(); ++i) {
        EXPECT_EQ(back[i].name, accounts[i].name);
        EXPECT_EQ(back[i].email, accounts[i].email);
        EXPECT_EQ(back[i].passwordHash, accounts[i].passwordHash);
    }
}

TEST(AccountFile, EmptyTextIsAnEmptyFile) {
    EXPECT_TRUE(ParseAccounts("").empty());
    EXPECT_TRUE(ParseAccounts(FormatAccounts({})).empty());
}

TEST(AccountFile, CorruptFilesAreReportedWithTheirLine) {
    const std::string header = "skiffserver accounts 1\n";
    const std::string good = "alice\ta@b.cd\t" + kHash + "\n";
    const struct {
        std::string text;
        std::string expected; // start of the error message
    } cases[] = {
        {"alice\ta@b.cd\t" + kHash + "\n", "line 1: not an accounts file"},
        {header + good + "bob\tb@c.de\t" + kHash, "line 3: line has no end"},
        {header + "skiffserver accounts 1", "line 2: line has no end"},
        {header + "alice\t" + kHash + "\n", "line 2: expected 3 fields, found 2"},
        {header + "alice\ta@b.cd\t" + kHash + "\textra\n", "line 2: expected 3 fields, found 4"},
        {header + "\n", "line 2: expected 3 fields, found 1"},
        {header + "al%4\ta@b.cd\t" + kHash + "\n", "line 2: bad escape"},
        {header + "al%zzice\ta@b.cd\t" + kHash + "\n", "line 2: bad escape"},
        {header + "al ice\ta@b.cd\t" + kHash + "\n", "line 2: unexpected byte"},
        {header + "\ta@b.cd\t" + kHash + "\n", "line 2: empty account name"},
        {header + "alice\ta@b.cd\tsecretPass1\n", "line 2: password is not an argon2id hash"},
        {header + "alice\ta@b.cd\t$argon2i$v=19$m=8,t=1,p=1$c2FsdA$aGFzaA\n",
         "line 2: password is not an argon2id hash"},
        {header + good + good, "line 3: account name repeated"},
    };
    for (const auto& c : cases) {
        try {
            ParseAccounts(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const AccountFileError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.expected, 0), 0u) << e.what();
        }
    }
}

} // namespace
