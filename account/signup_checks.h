// The sign-up dialog's checks on "Register", in the order the user meets them, and the limit
// of one attempt a minute. Pure functions: the dialog shows what they decide.
#pragma once

#include <cstdint>
#include <string>

// The message of the first check the input fails, or nullptr when every check passes.
const char* FirstSignUpProblem(const std::string& accountName, const std::string& email,
                               const std::string& password, const std::string& passwordAgain);

// now: seconds since 1970-01-01 UTC. stored: "t_first_register" widened with its sign; the
// caller reads a missing value as now's low 32 bits. A new attempt may go when more than 60
// seconds have passed since the stored one. A stored time more than 60 seconds ahead of the
// clock (the clock was set back, or the value is garbage) counts as no stored time.
bool MaySignUpNow(std::int64_t now, std::int64_t stored);

// What "t_first_register" holds for a time: its low 32 bits.
std::int32_t SignUpTimeValue(std::int64_t now);
