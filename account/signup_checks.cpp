#include "account/signup_checks.h"

#include "account/registration_rules.h"
#include "account/signup_texts.h"

namespace {

constexpr std::int64_t kMinSecondsBetweenAttempts = 60;

} // namespace

const char* FirstSignUpProblem(const std::string& accountName, const std::string& email,
                               const std::string& password, const std::string& passwordAgain) {
    if (accountName.empty())
        return signup_text::kNameEmpty;
    if (email.empty())
        return signup_text::kEmailEmpty;
    if (!IsValidEmail(email))
        return signup_text::kEmailInvalid;
    // The request gives the address two length digits: a longer one cannot be sent.
    if (email.size() > account::kMaxEmailBytes)
        return signup_text::kEmailTooLong;
    if (!IsStrongPassword(password))
        return signup_text::kWeakPassword;
    if (password != passwordAgain)
        return signup_text::kPasswordsDiffer;
    return nullptr;
}

bool MaySignUpNow(std::int64_t now, std::int64_t stored) {
    if (stored == now || stored > now + kMinSecondsBetweenAttempts)
        return true;
    return stored + kMinSecondsBetweenAttempts < now;
}

std::int32_t SignUpTimeValue(std::int64_t now) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(now)));
}
