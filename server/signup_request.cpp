#include "server/signup_request.h"

#include "session/request_framing.h"

std::optional<SignUpFields> ParseSignUpFields(const std::string& body) {
    std::optional<FramedRequest> request = ParseFramedRequest("SKDR" + body);
    if (!request || request->fields.size() != 3)
        return std::nullopt;
    return SignUpFields{std::move(request->fields[0]), std::move(request->fields[1]),
                        std::move(request->fields[2])};
}
