// The exchange folder as a user meets it at every start: the documents subfolder made, subst
// started once with the folder, the information box naming it, and drive Z:'s label.
#include "tests/e2e/skiffdesk_fixture.h"

#include <filesystem>
#include <ostream>

#include "tests/support/records.h"
#include "tests/support/registry.h"
#include "tests/support/window_control.h"

namespace e2e {
namespace {

constexpr char kLabelKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\Z\\DefaultLabel";

std::string InformationText(const std::string& folder) {
    return "The program will map the directory " + folder +
           " to virtual drive Z: . You may transfer files to drive Z: so that you could upload "
           "or download files to apps server.";
}

struct FolderCase {
    const char* what;
    const char* setting; // nullptr: no override
    const char* mapped;  // nullptr: the documents subfolder
};

void PrintTo(const FolderCase& c, std::ostream* os) {
    *os << c.what;
}

class SharedFolderTest : public SandboxTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(SharedFolderTest, MapsTheFolderOnceAndNamesItInTheInformationBox) {
    const FolderCase& c = GetParam();
    if (c.setting != nullptr)
        ASSERT_TRUE(WriteSetting("Option", "skiffdesk", c.setting));
    const std::string subfolder = DocumentsFolder() + "\\skiffdesk";
    const std::string mapped = c.mapped != nullptr ? c.mapped : subfolder;
    Program& program = StartProgram();

    const std::optional<support::MessageBoxView> box = WaitForMessageBox(program);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, kSharedFolderCaption);
    EXPECT_EQ(box->text, InformationText(mapped));
    const std::vector<std::string> calls = WaitForRecord(kSubstDouble);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(support::ArgumentsOf(calls[0]), "z: \"" + mapped + "\"");
    EXPECT_TRUE(std::filesystem::is_directory(subfolder)) << "made even when overridden";

    ASSERT_TRUE(support::AnswerMessageBox(*box, IDOK));
    ASSERT_NE(WaitForMainWindow(program), nullptr);
    EXPECT_EQ(Record(kSubstDouble).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SharedFolderTest,
    ::testing::Values(FolderCase{"Documents", nullptr, nullptr},
                      FolderCase{"TrailingBackslash", "D:\\share\\", "D:\\share"},
                      FolderCase{"Empty", "", ""}),
    [](const ::testing::TestParamInfo<FolderCase>& info) { return info.param.what; });

using SharedFolderPathTest = SandboxTest;

// A megabyte where a folder's path belongs: one box with as much of it as a path can hold,
// then the documents subfolder is mapped and named as usual.
TEST_F(SharedFolderPathTest, AnOverrideThatCannotBeAPathIsSetAside) {
    ASSERT_TRUE(WriteSetting("Option", "skiffdesk", std::string(1 << 20, 'x')));
    const std::string subfolder = DocumentsFolder() + "\\skiffdesk";
    Program& program = StartProgram();
    const std::optional<support::MessageBoxView> refused = WaitForMessageBox(program);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->text, "Can not create the directory");
    EXPECT_EQ(refused->caption, std::string(259, 'x'));
    ASSERT_TRUE(support::AnswerMessageBox(*refused, IDOK));
    const std::optional<support::MessageBoxView> information = WaitForMessageBox(program);
    ASSERT_TRUE(information.has_value());
    EXPECT_EQ(information->text, InformationText(subfolder));
    const std::vector<std::string> calls = WaitForRecord(kSubstDouble);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(support::ArgumentsOf(calls[0]), "z: \"" + subfolder + "\"");
    ASSERT_TRUE(support::AnswerMessageBox(*information, IDOK));
    EXPECT_NE(WaitForMainWindow(program), nullptr);
}

// A user profile named in Chinese on a Western system: the documents folder the shell gives
// lies outside the code page, and its subfolder is made and mapped all the same.
TEST_F(SharedFolderPathTest, ADocumentsFolderNamedInChineseIsMappedWhole) {
    const std::wstring documents = WideSandbox() + L"\\\u6587\u6863";
    ASSERT_TRUE(CreateDirectoryW(documents.c_str(), nullptr));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER,
                            L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User "
                            L"Shell Folders",
                            0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    // The fixture puts its own folder back afterwards.
    const LONG written = RegSetValueExW(
        key, L"Personal", 0, REG_SZ, reinterpret_cast<const BYTE*>(documents.c_str()),
        static_cast<DWORD>((documents.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    ASSERT_EQ(written, ERROR_SUCCESS);
    Program& program = StartProgram();
    const std::vector<std::string> calls = WaitForRecord(kSubstDouble);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(support::ArgumentsOf(calls[0]), Utf8(L"z: \"" + documents + L"\\skiffdesk\""));
    const DWORD made = GetFileAttributesW((documents + L"\\skiffdesk").c_str());
    EXPECT_TRUE(made != INVALID_FILE_ATTRIBUTES && (made & FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_NE(WaitForMainWindow(program), nullptr);
}

// The last write time of the label key, to tell whether the program wrote it.
std::optional<FILETIME> LabelWritten() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kLabelKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    FILETIME written{};
    const LONG result = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr, &written);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    return written;
}

using DriveLabelTest = SandboxTest;

TEST_F(DriveLabelTest, MissingKeyIsCreatedAndAPresentLabelIsLeftAlone) {
    ASSERT_TRUE(support::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kLabelKey));
    Program& first = StartProgram();
    HWND main = WaitForMainWindow(first); // a failure box would hold the window back
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(support::ReadRegistryString(HKEY_LOCAL_MACHINE, kLabelKey, ""), "Local Disk");
    const std::optional<FILETIME> written = LabelWritten();
    ASSERT_TRUE(written.has_value());
    ASSERT_TRUE(support::PostClose(main));
    ASSERT_TRUE(first.process.WaitForExit().has_value());

    Program& second = StartProgram();
    ASSERT_NE(WaitForMainWindow(second), nullptr);
    const std::optional<FILETIME> after = LabelWritten();
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(CompareFileTime(&*after, &*written), 0) << "the label in place is not written";
}

} // namespace
} // namespace e2e
