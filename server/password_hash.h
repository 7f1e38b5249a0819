// Passwords are kept only as argon2id hashes in the self-describing string form, which
// carries its own salt and cost.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

struct HashCost {
    unsigned long long opsLimit;
    std::size_t memLimit;

    static HashCost Interactive(); // what the running server uses
    static HashCost Minimal();     // the cheapest the library allows, for tests
};

// Empty when the library cannot start or the memory for the hash cannot be had.
std::optional<std::string> HashPassword(const std::string& password, HashCost cost);

// True when the hash text has the argon2id form this server writes.
bool LooksLikePasswordHash(const std::string& text);
