// The catalogue's portable rules: the connection-file reader on real UTF-16LE bytes, the
// connection-file test, folder paths, the walk's order within a folder, and text fitting.
#include "catalogue/app_name.h"
#include "catalogue/catalogue_rules.h"
#include "catalogue/text_fit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A connection file as the remote desktop client writes it: byte-order mark, UTF-16LE.
std::string Utf16File(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

const std::u16string kKey = u"remoteapplicationname:s:";

TEST(AppNameReader, FindsTheNameOnTheFirstKeyLine) {
    const std::u16string longText(300, u'a');
    const std::string narrowLong(300, 'a');
    const struct {
        const char* what;
        std::string bytes;
        AppNameResult::Outcome outcome;
        std::string name;
    } cases[] = {
        {"key line", Utf16File(u"full address:s:host\r\n" + kKey + u"Notepad\r\nx:i:1\r\n"),
         AppNameResult::found, "Notepad"},
        {"key inside a line", Utf16File(u"x" + kKey + u"Calc\r\n"), AppNameResult::found, "Calc"},
        {"capitalised key", Utf16File(u"RemoteApplicationName:s:Calc\r\n"), AppNameResult::notFound,
         ""},
        {"8-bit file", "remoteapplicationname:s:Calc\r\n", AppNameResult::notFound, ""},
        {"last line without CR LF keeps all", Utf16File(u"a:s:b\r\n" + kKey + u"Word"),
         AppNameResult::found, "Word"},
        {"nothing after the key", Utf16File(kKey + u"\r\n"), AppNameResult::found, ""},
        {"first key line wins", Utf16File(kKey + u"One\r\n" + kKey + u"Two\r\n"),
         AppNameResult::found, "One"},
        {"long line before the key", Utf16File(longText + u"\r\n" + kKey + u"Paint\r\n"),
         AppNameResult::found, "Paint"},
        {"long line holding the key", Utf16File(longText + kKey + longText + u"\r\n"),
         AppNameResult::found, narrowLong},
        // Bytes 0x1A and 0x0D 0x0A inside characters end or bend nothing.
        {"0x1A inside a character", Utf16File(u"\u1A41\r\n" + kKey + u"Mail\r\n"),
         AppNameResult::found, "Mail"},
        {"CR LF bytes inside a character", Utf16File(u"\u0A0D" + kKey + u"Mail\u0A0D\r\n"),
         AppNameResult::found, "Mail?"},
        {"a unit 0 ends the line's text", Utf16File(kKey + u"Ab" + u'\0' + u"cd\r\n"),
         AppNameResult::found, "Ab"},
        {"empty file", "", AppNameResult::empty, ""},
        {"only part of a mark", "\xFF", AppNameResult::notFound, ""},
        {"no key", Utf16File(u"full address:s:host\r\n"), AppNameResult::notFound, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const AppNameResult result = ReadAppNameFromBytes(c.bytes);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.name, c.name);
    }
}

TEST(CatalogueRules, ConnectionFilesByExtension) {
    const struct {
        const char* path;
        bool wanted;
    } cases[] = {
        {"C:\\apps\\Word.RDP", true},
        {"C:\\apps\\Word.rdp.bak", false},
        {"C:\\apps\\Word.rdpx", false},
        {"C:\\apps\\.rdp", true},
        {"C:\\apps.rdp\\Word", false},
        {"C:\\apps\\Word", false},
        {"Word.Rdp", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsConnectionFile(c.path), c.wanted) << c.path;
}

TEST(CatalogueRules, FolderPaths) {
    EXPECT_EQ(GetFolderOf("D:\\Tools\\skiffdesk.exe"), "D:\\Tools\\");
    EXPECT_EQ(GetFolderOf("skiffdesk.exe"), "");
    EXPECT_EQ(WithTrailingBackslash("D:\\Tools\\apps"), "D:\\Tools\\apps\\");
    EXPECT_EQ(WithTrailingBackslash("D:\\Tools\\apps\\"), "D:\\Tools\\apps\\");
    EXPECT_EQ(WithTrailingBackslash(""), "\\");
}

TEST(CatalogueRules, FolderEntriesSortByNameIgnoringCase) {
    std::vector<FolderEntry> entries = {
        {"beta.rdp", false}, {"Zeta", true},    {"alpha", true},
        {"Beta.rdp", false}, {"_x.rdp", false}, {"Alpha.rdp", false},
    };
    SortFolderEntries(entries);
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries)
        names.push_back(entry.name);
    // Upper-cased and ordinal: '_' (0x5F) sorts after the letters.
    EXPECT_EQ(names, (std::vector<std::string>{"alpha", "Alpha.rdp", "Beta.rdp", "beta.rdp", "Zeta",
                                               "_x.rdp"}));
}

TEST(TextFit, CutsWithDotsOnlyWhenTheTextDoesNotFit) {
    const TextWidth tenPerChar = [](std::string_view s) { return static_cast<int>(s.size()) * 10; };
    const struct {
        const char* text;
        int width;
        int offset;
        const char* fitted;
    } cases[] = {
        {"", 0, 4, ""},
        {"Notepad", 74, 4, "Notepad"}, // exactly fits
        {"Notepad", 73, 4, "Not..."},  // four letters: 40 + 4 + 30 = 74 > 73
        {"Notepad", 10, 12, "N..."},   // not even one letter fits
        {"N", 5, 4, "N..."},
        {"Calculator", 96, 12, "Calcu..."}, // 50 + 12 + 30 = 92
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitTextToWidth(c.text, c.width, c.offset, tenPerChar), c.fitted)
            << c.text << " in " << c.width;
}

} // namespace
