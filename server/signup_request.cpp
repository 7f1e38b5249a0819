#include "server/signup_request.h"

#include "session/request_framing.h"

std::optional<SignUpFields> ParseSignUpFields(const std::string& body) {
    std::optional<std::vector<std::string>> fields = ParseFramedFields(body);
    if (!fields || fields->size() != 3)
        return std::nullopt;
    return SignUpFields{std::move((*fields)[0]), std::move((*fields)[1]), std::move((*fields)[2])};
}
