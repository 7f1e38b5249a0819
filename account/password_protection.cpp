#include "account/password_protection.h"

#include <windows.h>
#include <wincrypt.h>

#include <string_view>
#include <vector>

namespace {

// Frees a buffer the data protection functions allocated.
struct LocalBlob {
    DATA_BLOB blob{0, nullptr};
    ~LocalBlob() {
        if (blob.pbData != nullptr)
            LocalFree(blob.pbData);
    }
};

std::string ToBase64(const BYTE* data, DWORD size) {
    DWORD length = 0;
    if (!CryptBinaryToStringA(data, size, CRYPT_STRING_BASE64, nullptr, &length))
        return {};
    std::vector<char> text(length + 1, '\0');
    if (!CryptBinaryToStringA(data, size, CRYPT_STRING_BASE64, text.data(), &length))
        return {};
    std::string result;
    for (const char c : std::string_view(text.data()))
        if (c != '\r' && c != '\n')
            result.push_back(c);
    return result;
}

std::vector<BYTE> FromBase64(const std::string& text) {
    DWORD size = 0;
    if (!CryptStringToBinaryA(text.c_str(), static_cast<DWORD>(text.size()), CRYPT_STRING_BASE64,
                              nullptr, &size, nullptr, nullptr))
        return {};
    std::vector<BYTE> data(size);
    if (!CryptStringToBinaryA(text.c_str(), static_cast<DWORD>(text.size()), CRYPT_STRING_BASE64,
                              data.data(), &size, nullptr, nullptr))
        return {};
    data.resize(size);
    return data;
}

} // namespace

std::string ProtectPassword(const std::string& password) {
    std::string plain = password;
    DATA_BLOB in{static_cast<DWORD>(plain.size()), reinterpret_cast<BYTE*>(plain.data())};
    LocalBlob out;
    if (!CryptProtectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                          &out.blob))
        return {};
    const std::string encoded = ToBase64(out.blob.pbData, out.blob.cbData);
    return encoded.empty() ? std::string() : kProtectedPasswordMarker + encoded;
}

std::string UnprotectPassword(const std::string& stored) {
    const std::string_view marker = kProtectedPasswordMarker;
    if (stored.compare(0, marker.size(), marker) != 0)
        return stored;
    std::vector<BYTE> data = FromBase64(stored.substr(marker.size()));
    if (data.empty())
        return {};
    DATA_BLOB in{static_cast<DWORD>(data.size()), data.data()};
    LocalBlob out;
    if (!CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN,
                            &out.blob))
        return {};
    return std::string(reinterpret_cast<const char*>(out.blob.pbData), out.blob.cbData);
}
