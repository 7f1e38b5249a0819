#include "server/request_handler.h"

#include "account/registration_rules.h"
#include "server/account_store.h"
#include "server/log_text.h"
#include "server/request.h"
#include "server/signup_request.h"
#include "session/protocol.h"

namespace {

const std::string kSignUpAccepted = protocol::ReplyText(protocol::kSignUpKind, true);
const std::string kSignUpRefused = protocol::ReplyText(protocol::kSignUpKind, false);

} // namespace

Exchange RequestHandler::Handle(const std::string& text) {
    const Request request = ParseRequest(text);
    switch (request.kind) {
    case RequestKind::handshake: {
        const std::string reply =
            protocol::ReplyText(protocol::kVersionKind, request.body == protocol::kClientVersion);
        // Only as much as a real version is logged: a text that is not a real handshake
        // might carry a password further on.
        return {reply,
                "handshake " + LogText(request.body, protocol::kClientVersion.size()) + " -> " +
                    reply,
                false};
    }
    case RequestKind::signUp:
        return SignUp(request.body);
    case RequestKind::goodbye:
        return {std::nullopt, "goodbye", true};
    case RequestKind::unknown:
        break;
    }
    return {std::nullopt, "ignored (" + std::to_string(text.size()) + " bytes)", false};
}

Exchange RequestHandler::SignUp(const std::string& body) {
    const std::optional<SignUpFields> fields = ParseSignUpFields(body);
    if (!fields)
        return {kSignUpRefused, "sign-up badly framed -> " + kSignUpRefused};

    const std::string head = "sign-up '" + LogText(fields->accountName) + "' -> ";
    if (!IsAcceptableSignUp(fields->accountName, fields->email, fields->password))
        return {kSignUpRefused, head + kSignUpRefused + " (breaks the input rules)"};

    std::string error;
    switch (m_accounts.Add(fields->accountName, fields->email, fields->password, error)) {
    case AddResult::added:
        return {kSignUpAccepted, head + kSignUpAccepted};
    case AddResult::nameTaken:
        return {kSignUpRefused, head + kSignUpRefused + " (name taken)"};
    case AddResult::failed:
        break;
    }
    return {kSignUpRefused, head + kSignUpRefused + " (not stored: " + error + ")"};
}
