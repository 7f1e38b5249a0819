#include "tests/support/registry.h"

#include <vector>

namespace support {

namespace {

bool WriteValue(HKEY root, const std::string& subKey, const std::string& name, DWORD type,
                const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS status = RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, type,
                                          static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

// The raw value when it exists with the expected type.
std::optional<std::vector<BYTE>> ReadValue(HKEY root, const std::string& subKey,
                                           const std::string& name, DWORD expectedType) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    const char* valueName = name.empty() ? nullptr : name.c_str();
    DWORD type = 0;
    DWORD size = 0;
    std::optional<std::vector<BYTE>> result;
    if (RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == expectedType) {
        std::vector<BYTE> data(size);
        if (RegQueryValueExA(key, valueName, nullptr, &type, data.data(), &size) == ERROR_SUCCESS &&
            size <= data.size()) {
            data.resize(size);
            result = std::move(data);
        }
    }
    RegCloseKey(key);
    return result;
}

} // namespace

bool DeleteRegistryTree(HKEY root, const std::string& subKey) {
    const LSTATUS status = RegDeleteTreeA(root, subKey.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool WriteRegistryString(HKEY root, const std::string& subKey, const std::string& name,
                         const std::string& value) {
    return WriteValue(root, subKey, name, REG_SZ, value.c_str(),
                      static_cast<DWORD>(value.size() + 1));
}

bool WriteRegistryDword(HKEY root, const std::string& subKey, const std::string& name,
                        DWORD value) {
    return WriteValue(root, subKey, name, REG_DWORD, &value, sizeof value);
}

std::optional<std::string> ReadRegistryString(HKEY root, const std::string& subKey,
                                              const std::string& name) {
    std::optional<std::vector<BYTE>> data = ReadValue(root, subKey, name, REG_SZ);
    if (!data)
        return std::nullopt;
    std::string text(data->begin(), data->end());
    const std::size_t end = text.find('\0');
    if (end != std::string::npos)
        text.resize(end);
    return text;
}

std::optional<DWORD> ReadRegistryDword(HKEY root, const std::string& subKey,
                                       const std::string& name) {
    std::optional<std::vector<BYTE>> data = ReadValue(root, subKey, name, REG_DWORD);
    if (!data || data->size() != sizeof(DWORD))
        return std::nullopt;
    DWORD value = 0;
    for (std::size_t i = 0; i < sizeof value; ++i)
        value |= static_cast<DWORD>((*data)[i]) << (8 * i);
    return value;
}

} // namespace support
