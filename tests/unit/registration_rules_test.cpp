#include "account/registration_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    std::string input;
    bool expected;
};

TEST(RegistrationRules, EmailRule) {
    const Case cases[] = {
        {"a@b.c", true},        {"@b.c", false},
        {"ab.c", false},        {"", false},
        {"1@b.c", true},        {"_a@b.c", false},
        {"-a@b.c", false},      {".a@b.c", false},
        {"@ab.c", false},       {"a@bc", false},
        {"a@b.c.", false},      {"a.@b.c", false},
        {"a@.bc", false},       {"a@b@c.d", false},
        {"a..b@c.d", true},     {"a@b.c.d.e", true},
        {"a@b.c.d.e.f", false}, {"a_b-c@d.e", true},
        {"a b@c.d", false},     {"a+b@c.d", false},
        {"a\x80@b.c", false},   {std::string("a\0b@c.d", 7), false},
        {"Ab9@X-Y.Z", true},    {std::string(250, 'a') + "@b.cd", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidEmail(c.input), c.expected) << '"' << c.input << '"';
}

TEST(RegistrationRules, PasswordRule) {
    const Case cases[] = {
        {"", false},         {"aB3de", false},
        {"aB3def", true},    {"abcdefghijklmnopQRSTUV", false},
        {"ABCDEF1", false},  {"abcdef1", false},
        {"aB3 !\xe9", true}, {std::string("\xc0\xe0\xb3") + "Ab1", true},
        {"AAAAa1", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsStrongPassword(c.input), c.expected) << '"' << c.input << '"';
}

TEST(RegistrationRules, WholeSignUp) {
    struct SignUp {
        std::string name, email, password;
        bool expected;
    };
    const std::string email99 = std::string(94, 'e') + "@x.yz";
    const SignUp cases[] = {
        {"alice", "a@b.c", "aB3def", true},
        {" ", "a@b.c", "aB3def", true},
        {"", "a@b.c", "aB3def", false},
        {std::string(64, 'n'), email99, "aB3" + std::string(29, 'x'), true},
        {std::string(65, 'n'), "a@b.c", "aB3def", false},
        {"alice", email99 + "z", "aB3def", false},
        {"alice", "a@b.c", "aB3" + std::string(30, 'x'), false},
        {"alice", "a@bc", "aB3def", false},
        {"alice", "a@b.c", "weakpass", false},
        {std::string("a\0\n\xff", 4), "a@b.c", "aB3def", true},
    };
    for (const SignUp& c : cases)
        EXPECT_EQ(IsAcceptableSignUp(c.name, c.email, c.password), c.expected)
            << c.name.size() << " / " << c.email << " / " << c.password;
}

} // namespace
