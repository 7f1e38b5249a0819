// Settings in the registry through the application object: types, defaults, sections as
// sub-keys, and the standard settings read at start and written back at exit.
#include "tests/win/framework_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using frameworktest::TestApp;

class ProfileTest : public testing::Test {
protected:
    ProfileTest() : m_company("SkiffdeskTest" + std::to_string(GetCurrentProcessId())) {
        DeleteAll();
        app.SetRegistryKey(m_company.c_str());
    }
    ~ProfileTest() override { DeleteAll(); }

    std::string SectionPath(const std::string& section) const {
        return "Software\\" + m_company + "\\Skiffdesk\\" + section;
    }
    // The type of the stored value, or REG_NONE when there is none.
    DWORD StoredType(const std::string& section, const char* entry) const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_QUERY_VALUE,
                          &key) != ERROR_SUCCESS)
            return REG_NONE;
        DWORD type = REG_NONE;
        if (RegQueryValueExA(key, entry, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
            type = REG_NONE;
        RegCloseKey(key);
        return type;
    }
    bool SectionExists(const std::string& section) const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_QUERY_VALUE,
                          &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    void DeleteAll() const {
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + m_company).c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, ("Software\\" + m_company).c_str());
    }

    TestApp app;

private:
    std::string m_company;
};

TEST_F(ProfileTest, MissingValuesReadAsTheirDefaults) {
    ASSERT_TRUE(app.WriteProfileInt("Setup", "other", 5)); // the section exists, the value not
    EXPECT_EQ(app.GetProfileInt("Setup", "reg", 0), 0u);
    EXPECT_EQ(static_cast<int>(app.GetProfileInt("Setup", "reg", -3)), -3);
    EXPECT_EQ(app.GetProfileInt("Nowhere", "reg", 9), 9u);
    EXPECT_EQ(app.GetProfileString("Option", "AccountName"), "");
    EXPECT_EQ(app.GetProfileString("Option", "AccountName", "nobody"), "nobody");
    EXPECT_EQ(app.GetProfileString("Setup", "other", "text"), "text");
}

TEST_F(ProfileTest, IntegersAreStoredAsDwordsAndReadBack) {
    const struct {
        const char* section;
        const char* entry;
        int value;
    } cases[] = {
        {"Setup", "reg", 1},
        {"Setup", "count", 0},
        {"Other", "reg", -1},
        {"Other", "big", 2147483647},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.entry);
        ASSERT_TRUE(app.WriteProfileInt(c.section, c.entry, c.value));
        EXPECT_EQ(StoredType(c.section, c.entry), static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(static_cast<int>(app.GetProfileInt(c.section, c.entry, 77)), c.value);
    }
    // Sections are separate keys: the same entry name holds different values.
    EXPECT_EQ(app.GetProfileInt("Setup", "reg", 0), 1u);
    EXPECT_EQ(static_cast<int>(app.GetProfileInt("Other", "reg", 0)), -1);
}

TEST_F(ProfileTest, StringsAreStoredAsTextAndReadBack) {
    const std::string longText(5000, 'x');
    const struct {
        const char* entry;
        std::string value;
    } cases[] = {
        {"AccountName", "alice"}, {"EmailAdress", "alice@example.org"},
        {"Password", ""},         {"Spaces", "  two  words  "},
        {"Long", longText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        ASSERT_TRUE(app.WriteProfileString("Option", c.entry, c.value.c_str()));
        EXPECT_EQ(StoredType("Option", c.entry), static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(app.GetProfileString("Option", c.entry, "default"), c.value);
    }
}

TEST_F(ProfileTest, AValueOfTheOtherTypeReadsAsTheDefault) {
    ASSERT_TRUE(app.WriteProfileString("Setup", "reg", "1"));
    ASSERT_TRUE(app.WriteProfileInt("Option", "AccountName", 1));
    EXPECT_EQ(app.GetProfileInt("Setup", "reg", 0), 0u);
    EXPECT_EQ(app.GetProfileString("Option", "AccountName", "none"), "none");
}

TEST_F(ProfileTest, WithoutARegistryKeyReadsGiveDefaultsAndWritesFail) {
    TestApp bare;
    EXPECT_FALSE(bare.WriteProfileInt("Setup", "reg", 1));
    EXPECT_FALSE(bare.WriteProfileString("Option", "AccountName", "alice"));
    EXPECT_EQ(bare.GetProfileInt("Setup", "reg", 4), 4u);
    EXPECT_EQ(bare.GetProfileString("Option", "AccountName", "d"), "d");
}

TEST_F(ProfileTest, StandardSettingsAreReadAtStartAndWrittenBackAtExit) {
    ASSERT_TRUE(app.WriteProfileString("Recent File List", "File1", "C:\\a.txt"));
    ASSERT_TRUE(app.WriteProfileString("Recent File List", "File3", "C:\\c.txt"));
    ASSERT_TRUE(app.WriteProfileString("Recent File List", "File5", "C:\\beyond.txt"));
    ASSERT_TRUE(app.WriteProfileInt("Settings", "PreviewPages", 2));

    app.LoadStdProfileSettings(4);
    EXPECT_EQ(app.m_recentFiles, (std::vector<std::string>{"C:\\a.txt", "", "C:\\c.txt", ""}));
    EXPECT_EQ(app.m_nNumPreviewPages, 2);

    DeleteAll();
    app.ExitInstance();
    EXPECT_EQ(app.GetProfileString("Recent File List", "File1"), "C:\\a.txt");
    EXPECT_EQ(StoredType("Recent File List", "File2"), static_cast<DWORD>(REG_NONE));
    EXPECT_EQ(app.GetProfileString("Recent File List", "File3"), "C:\\c.txt");
    EXPECT_EQ(StoredType("Recent File List", "File5"), static_cast<DWORD>(REG_NONE));
    EXPECT_EQ(StoredType("Settings", "PreviewPages"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(app.GetProfileInt("Settings", "PreviewPages", 0), 2u);
}

TEST_F(ProfileTest, FreshStandardSettingsLeaveNoTraceAtExit) {
    app.LoadStdProfileSettings(4);
    EXPECT_EQ(app.m_recentFiles, std::vector<std::string>(4));
    EXPECT_EQ(app.m_nNumPreviewPages, 0);
    app.ExitInstance();
    EXPECT_FALSE(SectionExists("Recent File List"));
    EXPECT_FALSE(SectionExists("Settings"));
}

} // namespace
