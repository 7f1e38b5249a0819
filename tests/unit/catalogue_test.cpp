// The catalogue's portable rules: the connection-file reader on real UTF-16LE bytes, the
// connection-file and device-name tests, folder paths, the walk's order within a folder, and
// text fitting.
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
        // Fed in pieces of odd sizes, as a file is read: the same outcome.
        AppNameReader reader;
        for (std::size_t at = 0; at < c.bytes.size(); at += 3)
            reader.Feed(std::string_view(c.bytes).substr(at, 3));
        const AppNameResult pieces = reader.Finish();
        EXPECT_EQ(pieces.outcome, c.outcome);
        EXPECT_EQ(pieces.name, c.name);
    }
}

TEST(AppNameReader, StopsAtTheKeyLineAndAtTheBound) {
    const std::string filler = Utf16File(u"x:s:" + std::u16string(1000, u'y') + u"\r\n").substr(2);
    std::string beyond = Utf16File(u"");
    while (beyond.size() < kMaxConnectionFileBytes)
        beyond += filler;
    beyond += Utf16File(kKey + u"Late\r\n").substr(2);
    EXPECT_EQ(ReadAppNameFromBytes(beyond).outcome, AppNameResult::notFound);

    AppNameReader reader;
    reader.Feed(Utf16File(kKey + u"Early\r\n"));
    EXPECT_TRUE(reader.Done()); // no more of the file is read
    reader.Feed(filler);
    EXPECT_EQ(reader.Finish().name, "Early");
}

TEST(CatalogueRules, ConnectionFilesByExtension) {
    const struct {
        const wchar_t* path;
        bool wanted;
    } cases[] = {
        {L"C:\\apps\\Word.RDP", true},
        {L"C:\\apps\\Word.rdp.bak", false},
        {L"C:\\apps\\Word.rdpx", false},
        {L"C:\\apps\\.rdp", true},
        {L"C:\\apps.rdp\\Word", false},
        {L"C:\\apps\\Word", false},
        {L"Word.Rdp", true},
        {L"C:\\\u4E2D\u6587\\\u5E94\u7528.rdp", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsConnectionFile(c.path), c.wanted)
            << testing::PrintToString(std::wstring(c.path));
}

TEST(CatalogueRules, DeviceNamesInAnyCaseAndForm) {
    const struct {
        const wchar_t* path;
        bool device;
    } cases[] = {
        {L"C:\\apps\\COM1.rdp", true},      {L"C:\\apps\\con.rdp", true},
        {L"C:\\apps\\Nul.x.rdp", true},     {L"C:\\apps\\AUX .rdp", true},
        {L"C:\\apps\\lpt9.RDP", true},      {L"C:\\apps\\PRN", true},
        {L"C:\\apps\\COM\u00B9.rdp", true}, {L"C:\\apps\\CONOUT$.rdp", true},
        {L"C:\\apps\\COM10.rdp", false},    {L"C:\\apps\\COM0.rdp", false},
        {L"C:\\apps\\CONSOLE.rdp", false},  {L"C:\\apps\\xCON.rdp", false},
        {L"C:\\CON\\app.rdp", false},       {L"C:\\apps\\.rdp", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsDeviceName(c.path), c.device) << testing::PrintToString(std::wstring(c.path));
}

TEST(CatalogueRules, FolderPaths) {
    EXPECT_EQ(GetFolderOf(L"D:\\Tools\\skiffdesk.exe"), L"D:\\Tools\\");
    EXPECT_EQ(GetFolderOf(L"skiffdesk.exe"), L"");
    EXPECT_EQ(WithTrailingBackslash(L"D:\\Tools\\apps"), L"D:\\Tools\\apps\\");
    EXPECT_EQ(WithTrailingBackslash(L"D:\\Tools\\apps\\"), L"D:\\Tools\\apps\\");
    EXPECT_EQ(WithTrailingBackslash(L""), L"\\");
    // The walk's tree: below the root only, whatever the letters' case.
    EXPECT_TRUE(IsInsideFolder(L"\\\\?\\C:\\Tools\\apps", L"\\\\?\\c:\\tools\\APPS\\sub"));
    EXPECT_TRUE(IsInsideFolder(L"C:\\Tools\\apps\\", L"C:\\Tools\\apps\\sub"));
    EXPECT_FALSE(IsInsideFolder(L"C:\\Tools\\apps", L"C:\\Tools\\apps"));
    EXPECT_FALSE(IsInsideFolder(L"C:\\Tools\\apps", L"C:\\Tools\\apps2\\sub"));
    EXPECT_FALSE(IsInsideFolder(L"C:\\Tools\\apps", L"C:\\"));
}

TEST(CatalogueRules, FolderEntriesSortByNameIgnoringCase) {
    std::vector<FolderEntry> entries = {
        {L"beta.rdp", false}, {L"Zeta", true},    {L"alpha", true},
        {L"Beta.rdp", false}, {L"_x.rdp", false}, {L"Alpha.rdp", false},
    };
    SortFolderEntries(entries);
    std::vector<std::wstring> names;
    for (const FolderEntry& entry : entries)
        names.push_back(entry.name);
    // Upper-cased and ordinal: '_' (0x5F) sorts after the letters.
    EXPECT_EQ(names, (std::vector<std::wstring>{L"alpha", L"Alpha.rdp", L"Beta.rdp", L"beta.rdp",
                                                L"Zeta", L"_x.rdp"}));
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
