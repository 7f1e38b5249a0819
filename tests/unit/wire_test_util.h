// Helpers for tests that look at wire bytes.
#pragma once

#include <initializer_list>
#include <string>

#include "framework/archive.h"
#include "framework/mem_file.h"

// Raw bytes written as numbers, so escapes cannot run into the characters that follow.
inline std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

// The bytes that `store` writes through a storing archive, flushed.
template <typename Store> std::string Stored(Store store, std::size_t bufferSize = 4096) {
    CMemFile file;
    CArchive ar(&file, CArchive::store, bufferSize);
    store(ar);
    ar.Flush();
    return file.Output();
}
