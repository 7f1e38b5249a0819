#include "server/password_hash.h"

#include <sodium.h>

HashCost HashCost::Interactive() {
    return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

HashCost HashCost::Minimal() {
    return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN};
}

std::optional<std::string> HashPassword(const std::string& password, HashCost cost) {
    if (sodium_init() < 0)
        return std::nullopt;
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, password.data(), password.size(), cost.opsLimit, cost.memLimit,
                              crypto_pwhash_ALG_ARGON2ID13) != 0)
        return std::nullopt;
    return std::string(out);
}

bool LooksLikePasswordHash(const std::string& text) {
    if (text.rfind("$argon2id$", 0) != 0)
        return false;
    for (const char c : text) {
        if (c <= ' ' || c > '~')
            return false;
    }
    return true;
}
