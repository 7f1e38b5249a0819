#include "account/signup_checks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

TEST(SignUpChecks, FirstFailingCheckInOrder) {
    const std::string valid99 = std::string(94, 'a') + "@b.cd";
    const struct {
        std::string name, email, password, again;
        const char* expected; // nullptr: accepted
    } cases[] = {
        {"", "", "", "", "Account Name can not be empty!"},
        {" ", "", "", "", "Email adress can not be empty!"},
        {" ", "a@b.c.", "Secret7", "Secret7", "Email adress is not valid!"},
        {" ", valid99 + "x", "", "", "Email adress is too long (at most 99 characters)!"},
        {" ", valid99, "Secre", "Secre",
         "Very weak password! At least 6 characters include upper case , lower case and digit "
         "number"},
        {" ", valid99, "Secret", "Secret8",
         "Very weak password! At least 6 characters include "
         "upper case , lower case and digit number"},
        {" ", valid99, "Secre7", "", "Passwords are not same!"},
        {" ", valid99, "Secre7", "secre7", "Passwords are not same!"},
        {" ", valid99, "Secre7", "Secre7", nullptr},
    };
    for (const auto& c : cases) {
        const char* problem = FirstSignUpProblem(c.name, c.email, c.password, c.again);
        EXPECT_EQ(problem == nullptr ? std::string("accepted") : std::string(problem),
                  c.expected == nullptr ? std::string("accepted") : std::string(c.expected))
            << c.email.size() << " " << c.password << "/" << c.again;
    }
}

TEST(SignUpChecks, OneAttemptPerMinute) {
    const std::int64_t now = 1'800'000'000;
    const struct {
        std::int64_t stored;
        bool allowed;
    } cases[] = {
        {now, true}, // no stored value reads as now
        {now - 30, false}, {now - 60, false},
        {now - 61, true},  {now + 30, false}, // the clock went back a little: wait it out
        {now + 60, false}, {now + 61, true},  // far ahead: as if nothing were stored
        {-5, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MaySignUpNow(now, c.stored), c.allowed) << c.stored - now;
    EXPECT_EQ(SignUpTimeValue(0x1'2345'6789), 0x2345'6789);
}

} // namespace
