#include "bench/part_reader.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

bool ReadAppNameByChunks(const std::string& path, std::string& name) {
    char pathBuffer[260] = {};
    std::strncpy(pathBuffer, path.c_str(), sizeof pathBuffer - 1);
    FILE* file = std::fopen(pathBuffer, "r");
    if (file == nullptr)
        return false;
    char chunk[512] = {};
    if (std::fread(chunk, 1, 2, file) == 0) {
        std::fclose(file);
        return false;
    }
    static const char kKey[] = "remoteapplicationname:s:";
    for (;;) {
        std::memset(chunk, 0, sizeof chunk);
        if (std::fgets(chunk, sizeof chunk, file) == nullptr)
            break;
        char line[512] = {};
        const auto* wide = reinterpret_cast<const wchar_t*>(chunk);
        const int n =
            WideCharToMultiByte(GetACP(), 0, wide, -1, line, sizeof line - 1, nullptr, nullptr);
        char trimmed[512] = {};
        const int length = n > 0 ? static_cast<int>(std::strlen(line)) : 0;
        if (length >= 2)
            std::memcpy(trimmed, line, static_cast<std::size_t>(length - 2));
        if (const char* at = std::strstr(trimmed, kKey)) {
            name = at + sizeof kKey - 1;
            std::fclose(file);
            return true;
        }
        std::fgetc(file);
    }
    std::fclose(file);
    return false;
}
