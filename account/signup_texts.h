// What the user is told while signing up: the dialog's checks, the one-minute limit and the
// outcome of the exchange.
#pragma once

namespace signup_text {

inline constexpr const char* kNameEmpty = "Account Name can not be empty!";
inline constexpr const char* kEmailEmpty = "Email adress can not be empty!";
inline constexpr const char* kEmailInvalid = "Email adress is not valid!";
inline constexpr const char* kEmailTooLong = "Email adress is too long (at most 99 characters)!";
inline constexpr const char* kWeakPassword =
    "Very weak password! At least 6 characters include upper case , lower case and digit number";
inline constexpr const char* kPasswordsDiffer = "Passwords are not same!";

inline constexpr const char* kTooFast = "Please wait for one minute to register the next account!";
inline constexpr const char* kTooFastCaption = "Sign up your account too fast";

inline constexpr const char* kCreated = "Create Account OK!";
// Instead of the above when the account could not be kept in the settings.
inline constexpr const char* kCreatedNotSaved =
    "The account was created, but it could not be saved on this computer!";
inline constexpr const char* kRefused =
    "Failed to create Account! Please check your account name, password and email address.";
inline constexpr const char* kNoReply = "Failed to register!";
inline constexpr const char* kNoReplyCaption = "Error";

} // namespace signup_text
