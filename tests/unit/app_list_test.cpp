// Finding applications by name, and the choice of an application's own icon file.
#include "catalogue/app_filter.h"
#include "catalogue/app_icon_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

AnsiCase WesternRules() {
    AnsiCase rules = AnsiCase::Ascii();
    rules.lower[0xC9] = 0xE9; // E acute
    return rules;
}

// Lead bytes where a Japanese code page has them; trail bytes include ASCII letters.
AnsiCase DoubleByteRules() {
    AnsiCase rules = AnsiCase::Ascii();
    for (int b = 0x81; b <= 0x9F; ++b)
        rules.leadByte[static_cast<std::size_t>(b)] = true;
    for (int b = 0xE0; b <= 0xFC; ++b)
        rules.leadByte[static_cast<std::size_t>(b)] = true;
    return rules;
}

TEST(AppFilter, MatchesWholeCharactersIgnoringCase) {
    const AnsiCase western = WesternRules();
    const AnsiCase doubleByte = DoubleByteRules();
    const struct {
        const char* name;
        const char* typed;
        const AnsiCase& rules;
        bool found;
    } cases[] = {
        {"Microsoft Word", "WORD", western, true},
        {"Microsoft Word", "soft w", western, true},
        {"Calc", "", western, true},
        {"Calc", "Calcs", western, false},
        {"Caf\xC9", "caf\xE9", western, true},
        // "\x82\x61" is one character whose second byte is the code of 'a'.
        {"\x82\x61", "a", doubleByte, false},
        {"\x82\x61", "a", AnsiCase::Ascii(), true},
        {"\x82\x61z", "az", doubleByte, false},
        {"\x82\x61", "\x82\x41", doubleByte, false},
        {"x\x82\x61Y", "\x82\x61y", doubleByte, true},
        {"ab\x82", "b\x82", doubleByte, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameContains(c.name, c.typed, c.rules), c.found)
            << '"' << c.name << "\" / \"" << c.typed << '"';
}

TEST(AppFilter, KeepsCatalogueOrder) {
    std::vector<RemoteAppItem> apps(3);
    apps[0].m_strName = "Word";
    apps[1].m_strName = "Excel";
    apps[2].m_strName = "WordPad";
    EXPECT_EQ(MatchingApps(apps, "word", WesternRules()), (std::vector<int>{0, 2}));
    EXPECT_EQ(MatchingApps(apps, "", WesternRules()), (std::vector<int>{0, 1, 2}));
}

TEST(AppIconFile, StandsBesideTheConnectionFile) {
    EXPECT_EQ(IconPathFor(L"C:\\apps\\Word.rdp"), L"C:\\apps\\Word.ico");
    EXPECT_EQ(IconPathFor(L"C:\\apps\\My.App.RDP"), L"C:\\apps\\My.App.ico");
    EXPECT_EQ(IconPathFor(L"C:\\a.b\\Word"), L"C:\\a.b\\Word.ico");
}

void Put(std::string& bytes, std::size_t at, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

// An icon file of one image: a bitmap header of side by side pixels, or a PNG header.
std::string IconFile(std::uint32_t side, bool png = false, std::uint16_t type = 1) {
    std::string image;
    if (png) {
        image = std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16) + std::string(9, '\0');
        for (int i = 0; i < 4; ++i) {
            image[19 - static_cast<std::size_t>(i)] = static_cast<char>(side >> (8 * i));
            image[23 - static_cast<std::size_t>(i)] = static_cast<char>(side >> (8 * i));
        }
    } else {
        image.assign(40 + 16 * 16 * 4, '\0');
        Put(image, 0, 40, 4);
        Put(image, 4, side, 4);
        Put(image, 8, 2 * side, 4);
        Put(image, 12, 1, 2);
        Put(image, 14, 32, 2);
    }
    std::string file(22, '\0');
    Put(file, 2, type, 2);
    Put(file, 4, 1, 2);
    Put(file, 14, static_cast<std::uint32_t>(image.size()), 4);
    Put(file, 18, 22, 4);
    return file + image;
}

TEST(AppIconFile, OnlyWholeIconFilesOfSensibleImagesAreUsed) {
    const std::string good = IconFile(16);
    std::string offsetPastEnd = good;
    Put(offsetPastEnd, 18, static_cast<std::uint32_t>(good.size()), 4);
    std::string noImages = good;
    Put(noImages, 4, 0, 2);
    const struct {
        const char* what;
        std::string bytes;
        bool usable;
    } cases[] = {
        {"bitmap image", good, true},
        {"PNG image of 256", IconFile(256, true), true},
        {"empty", "", false},
        {"cut short", good.substr(0, good.size() - 1), false},
        {"larger than any icon", good + std::string(kMaxIconFileBytes, '\0'), false},
        {"a PNG file", IconFile(16, true).substr(22), false},
        {"a cursor", IconFile(16, false, 2), false},
        {"image beyond the end", offsetPastEnd, false},
        {"no images", noImages, false},
        {"bitmap of 512", IconFile(512), false},
        {"PNG image of 300", IconFile(300, true), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsUsableIconFile(c.bytes), c.usable) << c.what;
}

} // namespace
