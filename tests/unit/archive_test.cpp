#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/archive.h"
#include "framework/exceptions.h"
#include "framework/mem_file.h"
#include "wire_test_util.h"

#if defined(__SANITIZE_ADDRESS__)
#define SKIFF_HAS_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SKIFF_HAS_ASAN 1
#endif
#endif

#ifdef SKIFF_HAS_ASAN
#include <atomic>
// Declared here because GCC does not ship the sanitizer's interface headers.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*,
                                                                             std::size_t),
                                                         void (*free_hook)(const volatile void*));
#endif

namespace {

std::string ReadOneString(const std::string& bytes, std::string* rest = nullptr) {
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    std::string text = ar.ReadString();
    if (rest) {
        rest->resize(bytes.size());
        rest->resize(ar.Read(rest->data(), rest->size()));
    }
    return text;
}

CArchiveException::Cause FailureOfReadString(const std::string& bytes) {
    try {
        ReadOneString(bytes);
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    ADD_FAILURE() << "ReadString did not throw";
    return CArchiveException::generic;
}

std::string LengthPrefix(const std::string& encoded, std::size_t textSize) {
    return encoded.substr(0, encoded.size() - textSize);
}

TEST(ArchiveTest, StringLengthFormsAtTheirBoundaries) {
    const struct {
        std::size_t length;
        std::string prefix;
    } cases[] = {
        {0, Bytes({0x00})},
        {1, Bytes({0x01})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {65533, Bytes({0xFF, 0xFD, 0xFF})},
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const auto& c : cases) {
        std::string text(c.length, 'x');
        if (!text.empty())
            text.back() = 'y';
        const std::string encoded = Stored([&](CArchive& ar) { ar << text; });
        EXPECT_EQ(LengthPrefix(encoded, c.length), c.prefix) << "length " << c.length;
        EXPECT_EQ(encoded.substr(c.prefix.size()), text) << "length " << c.length;
        EXPECT_EQ(ReadOneString(encoded), text) << "length " << c.length;
    }
}

TEST(ArchiveTest, DecodesEveryLengthFormAndStaysAligned) {
    // Each case is followed by the string "Z", which must still be read intact.
    const struct {
        const char* name;
        std::string bytes;
        std::string text;
    } cases[] = {
        {"wide short form", Bytes({0xFF, 0xFE, 0xFF, 0x02, 'A', 0, 'B', 0}), "AB"},
        {"wide word form", Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x03, 0x00, 'A', 0, 'B', 0, 'C', 0}),
         "ABC"},
        {"wide dword form", Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0, 'A', 0}),
         "A"},
        {"word form for a short text", Bytes({0xFF, 0x02, 0x00, 'h', 'i'}), "hi"},
        {"dword form for a short text", Bytes({0xFF, 0xFF, 0xFF, 0x02, 0, 0, 0, 'h', 'i'}), "hi"},
        {"qword form",
         Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0, 0, 0, 0, 'a', 'b', 'c'}),
         "abc"},
        {"NUL in the middle", Bytes({0x05, 'a', 'b', 0, 'c', 'd'}), "ab"},
        {"NUL first", Bytes({0x03, 0, 'c', 'd'}), ""},
        {"wide NUL in the middle", Bytes({0xFF, 0xFE, 0xFF, 0x03, 'A', 0, 0, 0, 'B', 0}), "A"},
        {"empty wide", Bytes({0xFF, 0xFE, 0xFF, 0x00}), ""},
    };
    for (const auto& c : cases) {
        std::string rest;
        EXPECT_EQ(ReadOneString(c.bytes + Bytes({0x01, 'Z'}), &rest), c.text) << c.name;
        EXPECT_EQ(rest, Bytes({0x01, 'Z'})) << c.name;
    }
}

TEST(ArchiveTest, RejectsLengthsItCannotHoldAndStopsAtTheEndOfTheStream) {
    const auto limit = static_cast<std::uint32_t>(CArchive::kMaxStringBytes);
    auto dwordForm = [](std::uint32_t n) {
        return Bytes({0xFF, 0xFF, 0xFF, int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF),
                      int(n >> 24)});
    };
    auto wideDwordForm = [](std::uint32_t n) {
        return Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, int(n & 0xFF), int((n >> 8) & 0xFF),
                      int((n >> 16) & 0xFF), int(n >> 24)});
    };
    auto qwordForm = [](std::uint64_t n) {
        std::string bytes = Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        for (int i = 0; i < 8; ++i)
            bytes.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
        return bytes;
    };
    const struct {
        const char* name;
        std::string bytes;
        CArchiveException::Cause cause;
    } cases[] = {
        {"qword above 0x7FFFFFFF", qwordForm(0x80000000u), CArchiveException::generic},
        {"qword all ones", qwordForm(~0ull), CArchiveException::generic},
        {"wide qword whose byte count wraps to zero",
         Bytes({0xFF, 0xFE, 0xFF}) + qwordForm(0x8000000000000000ull), CArchiveException::generic},
        {"qword at 0x7FFFFFFF is beyond the size limit", qwordForm(0x7FFFFFFF),
         CArchiveException::generic},
        {"one byte over the size limit", dwordForm(limit + 1), CArchiveException::generic},
        {"at the size limit, nothing behind", dwordForm(limit) + "abc",
         CArchiveException::endOfFile},
        {"wide, one character over the limit", wideDwordForm(limit / 2 + 1),
         CArchiveException::generic},
        {"wide at the limit, nothing behind", wideDwordForm(limit / 2),
         CArchiveException::endOfFile},
        {"empty stream", "", CArchiveException::endOfFile},
        {"inside the word length", Bytes({0xFF, 0x10}), CArchiveException::endOfFile},
        {"inside the qword length", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0}),
         CArchiveException::endOfFile},
        {"inside the text", Bytes({0x05, 'a', 'b'}), CArchiveException::endOfFile},
        {"inside a wide character", Bytes({0xFF, 0xFE, 0xFF, 0x01, 'A'}),
         CArchiveException::endOfFile},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FailureOfReadString(c.bytes), c.cause) << c.name;
}

#ifdef SKIFF_HAS_ASAN
std::atomic<bool> g_trackAllocations{false};
std::atomic<std::size_t> g_largestAllocation{0};

void NoteAllocation(const volatile void*, std::size_t size) {
    if (!g_trackAllocations.load())
        return;
    std::size_t seen = g_largestAllocation.load();
    while (size > seen && !g_largestAllocation.compare_exchange_weak(seen, size)) {
    }
}
void NoteFree(const volatile void*) {}
#endif

TEST(ArchiveTest, HugeDeclaredLengthWithFewBytesBehindAllocatesLittle) {
#ifdef SKIFF_HAS_ASAN
    static const bool installed =
        __sanitizer_install_malloc_and_free_hooks(NoteAllocation, NoteFree) != 0;
    ASSERT_TRUE(installed);
    const std::string bytes =
        Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x01}) + std::string(100, 'a');
    CMemFile file(bytes);
    g_largestAllocation = 0;
    g_trackAllocations = true;
    CArchiveException::Cause cause = CArchiveException::generic;
    try {
        CArchive ar(&file, CArchive::load);
        ar.ReadString();
    } catch (const CArchiveException& e) {
        cause = e.m_cause;
    }
    g_trackAllocations = false;
    EXPECT_EQ(cause, CArchiveException::endOfFile);
    EXPECT_LE(g_largestAllocation.load(), 2 * CArchive::kDefaultBufferSize);
#else
    GTEST_SKIP() << "allocation hooks need the address sanitizer build";
#endif
}

TEST(ArchiveTest, CountForms) {
    const struct {
        std::size_t count;
        std::string bytes;
    } cases[] = {
        {0, Bytes({0x00, 0x00})},
        {2, Bytes({0x02, 0x00})},
        {65534, Bytes({0xFE, 0xFF})},
        {65535, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
        {0xFFFFFFFF, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Stored([&](CArchive& ar) { ar.WriteCount(c.count); }), c.bytes) << c.count;
        CMemFile file(c.bytes);
        CArchive ar(&file, CArchive::load);
        EXPECT_EQ(ar.ReadCount(), c.count);
    }

    CMemFile shortCount(Bytes({0xFF, 0xFF, 0x05, 0x00}));
    CArchive ar(&shortCount, CArchive::load);
    EXPECT_THROW(ar.ReadCount(), CArchiveException);
}

TEST(ArchiveTest, IntegersAreLittleEndian) {
    const std::string bytes = Stored([](CArchive& ar) {
        ar << std::uint8_t{0x12} << std::uint16_t{0x3456} << std::uint32_t{0x789ABCDE}
           << std::uint64_t{0x0102030405060708};
    });
    EXPECT_EQ(bytes, Bytes({0x12, 0x56, 0x34, 0xDE, 0xBC, 0x9A, 0x78, 8, 7, 6, 5, 4, 3, 2, 1}));

    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    std::uint8_t b = 0;
    std::uint16_t w = 0;
    std::uint32_t d = 0;
    std::uint64_t q = 0;
    ar >> b >> w >> d >> q;
    EXPECT_EQ(b, 0x12);
    EXPECT_EQ(w, 0x3456);
    EXPECT_EQ(d, 0x789ABCDEu);
    EXPECT_EQ(q, 0x0102030405060708u);
    EXPECT_THROW(ar >> b, CArchiveException);
}

// Whatever the buffer sizes and however the stream cuts the bytes, the same values come out.
TEST(ArchiveTest, BufferSizeAndSegmentationDoNotChangeTheBytes) {
    const std::vector<std::string> texts = {
        "", "a", std::string(254, 'b'), std::string(255, 'c'), std::string(70000, 'd'), "tail"};
    const std::string reference = Stored([&](CArchive& ar) {
        for (const auto& t : texts)
            ar << t;
        ar.WriteCount(70000);
    });
    for (std::size_t storeBuffer : {1, 3, 4096}) {
        EXPECT_EQ(Stored(
                      [&](CArchive& ar) {
                          for (const auto& t : texts)
                              ar << t;
                          ar.WriteCount(70000);
                      },
                      storeBuffer),
                  reference)
            << "store buffer " << storeBuffer;
    }
    for (std::size_t loadBuffer : {1, 7, 4096}) {
        for (std::size_t perRead : {0, 1, 5}) {
            CMemFile file(reference, perRead);
            CArchive ar(&file, CArchive::load, loadBuffer);
            for (const auto& t : texts)
                EXPECT_EQ(ar.ReadString(), t) << loadBuffer << "/" << perRead;
            EXPECT_EQ(ar.ReadCount(), 70000u);
            EXPECT_TRUE(ar.IsBufferEmpty());
        }
    }
}

TEST(ArchiveTest, LoadingTakesWhatOneReadDeliversWithoutWaitingForMore) {
    CMemFile file(Bytes({0x01, 'a', 0x02, 'b', 'c'}));
    CArchive ar(&file, CArchive::load);
    EXPECT_TRUE(ar.IsBufferEmpty());
    EXPECT_EQ(ar.ReadString(), "a");
    EXPECT_FALSE(ar.IsBufferEmpty());
    EXPECT_EQ(file.ReadCalls(), 1);
    EXPECT_EQ(ar.ReadString(), "bc");
    EXPECT_TRUE(ar.IsBufferEmpty());
    EXPECT_EQ(file.ReadCalls(), 1);

    std::string raw(4, '\0');
    EXPECT_EQ(ar.Read(raw.data(), raw.size()), 0u);
}

TEST(ArchiveTest, FlushHandsOverAndAbortDrops) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << std::string("kept");
        EXPECT_FALSE(ar.IsBufferEmpty());
        EXPECT_EQ(file.Output(), "");
        ar.Flush();
        EXPECT_TRUE(ar.IsBufferEmpty());
        EXPECT_EQ(file.Output(), Bytes({0x04}) + "kept");
        EXPECT_EQ(file.Flushes(), 1);
        ar << std::string("dropped");
        ar.Abort();
    }
    EXPECT_EQ(file.Output(), Bytes({0x04}) + "kept");
    EXPECT_EQ(file.Flushes(), 1);
}

TEST(ArchiveTest, ArchiveUsedAgainstItsModeOrAfterAbortThrows) {
    CMemFile file(Bytes({0x00}));
    CArchive loading(&file, CArchive::load);
    EXPECT_THROW(loading << std::uint8_t{1}, CArchiveException);
    CArchive storing(&file, CArchive::store);
    EXPECT_THROW(storing.ReadString(), CArchiveException);
    loading.Abort();
    EXPECT_THROW(loading.ReadString(), CArchiveException);
}

} // namespace
