// A byte stream held in memory: what is put in is read out, what is written is collected.
// Stands in for a socket stream where no socket is wanted (tests, fuzzing, the reference
// server's decoding); a limit per Read imitates data that arrives in small segments.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "framework/file.h"

class CMemFile : public CFile {
public:
    // maxPerRead 0: a Read takes everything it is asked for that is there.
    explicit CMemFile(std::string_view input = {}, std::size_t maxPerRead = 0);

    void Put(std::string_view bytes); // more input for later Reads

    // Returns 0 once all input is taken: the stream has ended (until more is put in).
    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;
    void Flush() override { ++m_nFlushes; }

    const std::string& Output() const { return m_output; }
    std::string TakeOutput(); // the written bytes, leaving the output empty
    std::size_t UnreadInput() const { return m_input.size() - m_nInputPos; }
    int ReadCalls() const { return m_nReadCalls; }
    int Flushes() const { return m_nFlushes; }

private:
    std::string m_input;
    std::size_t m_nInputPos = 0;
    std::size_t m_nMaxPerRead;
    std::string m_output;
    int m_nReadCalls = 0;
    int m_nFlushes = 0;
};
