#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/shared_folder_rules.h"

namespace {

using sharedfolder::SharedFolderHost;

// The platform as a table: what each step gives, and a log of what was asked.
struct FakeHost : SharedFolderHost {
    Documents documentsResult = Documents::found;
    std::wstring documents = L"C:\\users\\u\\Documents";
    bool exists = false;
    bool canCreate = true;
    std::optional<std::wstring> setting;

    int shellCalls = 0;
    std::vector<std::wstring> created;
    std::vector<std::wstring> messages; // "text|caption"

    Documents DocumentsFolder(std::wstring& path) override {
        ++shellCalls;
        path = documents;
        return documentsResult;
    }
    bool IsDirectory(const std::wstring&) override { return exists; }
    bool MakeDirectory(const std::wstring& path) override {
        created.push_back(path);
        return canCreate;
    }
    void ShowMessage(const std::string& text, const std::wstring& caption) override {
        messages.push_back(std::wstring(text.begin(), text.end()) + L"|" + caption);
    }
    std::wstring ReadOverride(const std::wstring& fallback) override {
        return setting.value_or(fallback);
    }
};

TEST(SharedFolderTest, ChoosesFolderFromVersionAndResults) {
    using D = SharedFolderHost::Documents;
    const D ok = D::found;
    const std::wstring docs = L"C:\\users\\u\\Documents";
    const std::wstring sub = docs + L"\\skiffdesk\\";
    // 259 characters with the backslash added: the subfolder no longer fits.
    const std::wstring longDocs = L"C:\\" + std::wstring(252, 'd');
    // The documents folder itself fills the buffer once its backslash is added.
    const std::wstring fullDocs = L"C:\\" + std::wstring(256, 'd');
    const std::wstring noShell = L"Can not get SHGetFolderPathA!|Error";
    const std::wstring noDocs = L"Can not get My Documents directory!|Error";
    const std::wstring cannot = L"Can not create the directory|";
    // Settings that cannot name a folder: set aside, the box captioned with at most 259 of them.
    const std::wstring huge(1 << 20, L'x');
    const struct {
        int version;
        D result;
        std::wstring documents;
        bool exists, canCreate;
        std::optional<std::wstring> setting;
        int shellCalls;
        std::vector<std::wstring> created, messages;
        std::wstring chosen;
    } cases[] = {
        {3, ok, docs, false, true, {}, 0, {}, {}, L"c:\\"},
        {3, ok, docs, false, true, L"D:\\x", 0, {}, {}, L"D:\\x"},
        {5, ok, docs, false, true, {}, 1, {sub}, {}, sub},
        {6, ok, docs, true, true, {}, 1, {}, {}, sub},
        // The setting wins; the subfolder is made all the same.
        {6, ok, docs, false, true, L"D:\\s\\", 1, {sub}, {}, L"D:\\s\\"},
        {6, ok, docs, true, true, L"D:\\\u4E2D\u6587", 1, {}, {}, L"D:\\\u4E2D\u6587"},
        {6, ok, docs, true, true, huge, 1, {}, {cannot + huge.substr(0, 259)}, sub},
        {6, ok, docs, true, true, L"D:\\a\tb", 1, {}, {cannot + L"D:\\a\tb"}, sub},
        {6, ok, docs, true, true, L"D:\\a:b", 1, {}, {cannot + L"D:\\a:b"}, sub},
        {6, ok, docs, true, true, L"D:\\a?", 1, {}, {cannot + L"D:\\a?"}, sub},
        {3, ok, docs, false, true, L"\"D:\\\"", 0, {}, {cannot + L"\"D:\\\""}, L"c:\\"},
        {6, D::noShellFunction, docs, false, true, {}, 1, {}, {noShell}, L"c:\\"},
        {6, D::failed, docs, false, true, L"E:\\", 1, {}, {noDocs}, L"E:\\"},
        {6, ok, docs, false, false, {}, 1, {sub}, {cannot + sub}, docs + L"\\"},
        {6,
         ok,
         longDocs,
         false,
         true,
         {},
         1,
         {},
         {cannot + longDocs + L"\\skiffdesk\\"},
         longDocs + L"\\"},
        {6, ok, fullDocs, false, true, {}, 1, {}, {cannot + fullDocs + L"\\skiffdesk\\"}, L"c:\\"},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(row++);
        FakeHost host;
        host.documentsResult = c.result;
        host.documents = c.documents;
        host.exists = c.exists;
        host.canCreate = c.canCreate;
        host.setting = c.setting;
        EXPECT_EQ(sharedfolder::ChooseSharedFolder(host, c.version, L"c:\\"), c.chosen);
        EXPECT_EQ(host.shellCalls, c.shellCalls);
        EXPECT_EQ(host.created, c.created);
        EXPECT_EQ(host.messages, c.messages);
    }
}

TEST(SharedFolderTest, StripsOneBackslashAndQuotesTheFolderForSubst) {
    const struct {
        const wchar_t* setting;
        const wchar_t* folder;
        const wchar_t* parameters;
    } cases[] = {
        {L"c:\\", L"c:", L"z: \"c:\""},
        {L"D:\\share\\", L"D:\\share", L"z: \"D:\\share\""},
        {L"D:\\share\\\\", L"D:\\share\\", L"z: \"D:\\share\\\""},
        {L"C:\\my files", L"C:\\my files", L"z: \"C:\\my files\""},
        {L"", L"", L"z: \"\""},
        {L"\\", L"", L"z: \"\""},
        // U+8868 is 0x95 0x5C in code page 932: as a character it ends in no backslash.
        {L"C:\\\u8868", L"C:\\\u8868", L"z: \"C:\\\u8868\""},
    };
    for (const auto& c : cases) {
        const std::wstring folder = sharedfolder::StripTrailingBackslash(c.setting);
        EXPECT_EQ(folder, c.folder) << testing::PrintToString(std::wstring(c.setting));
        EXPECT_EQ(sharedfolder::SubstParameters(folder), c.parameters);
    }
    EXPECT_EQ(sharedfolder::InformationText("c:"),
              "The program will map the directory c: to virtual drive Z: . You may transfer "
              "files to drive Z: so that you could upload or download files to apps server.");
}

} // namespace
