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
    std::string documents = "C:\\users\\u\\Documents";
    bool exists = false;
    bool canCreate = true;
    std::optional<std::string> setting;

    int shellCalls = 0;
    std::vector<std::string> created;
    std::vector<std::string> messages; // "text|caption"

    Documents DocumentsFolder(std::string& path) override {
        ++shellCalls;
        path = documents;
        return documentsResult;
    }
    bool IsDirectory(const std::string&) override { return exists; }
    bool MakeDirectory(const std::string& path) override {
        created.push_back(path);
        return canCreate;
    }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        messages.push_back(text + "|" + caption);
    }
    std::string ReadOverride(const std::string& fallback) override {
        return setting.value_or(fallback);
    }
};

TEST(SharedFolderTest, ChoosesFolderFromVersionAndResults) {
    using D = SharedFolderHost::Documents;
    const D ok = D::found;
    const std::string docs = "C:\\users\\u\\Documents";
    const std::string sub = docs + "\\skiffdesk\\";
    // 259 characters with the backslash added: the subfolder no longer fits.
    const std::string longDocs = "C:\\" + std::string(252, 'd');
    // The documents folder itself fills the buffer once its backslash is added.
    const std::string fullDocs = "C:\\" + std::string(256, 'd');
    const std::string noShell = "Can not get SHGetFolderPathA!|Error";
    const std::string noDocs = "Can not get My Documents directory!|Error";
    const std::string cannot = "Can not create the directory|";
    const struct {
        int version;
        D result;
        std::string documents;
        bool exists, canCreate;
        std::optional<std::string> setting;
        int shellCalls;
        std::vector<std::string> created, messages;
        std::string chosen;
    } cases[] = {
        {3, ok, docs, false, true, {}, 0, {}, {}, "c:\\"},
        {3, ok, docs, false, true, "D:\\x", 0, {}, {}, "D:\\x"},
        {5, ok, docs, false, true, {}, 1, {sub}, {}, sub},
        {6, ok, docs, true, true, {}, 1, {}, {}, sub},
        // The setting wins; the subfolder is made all the same.
        {6, ok, docs, false, true, "D:\\s\\", 1, {sub}, {}, "D:\\s\\"},
        {6, D::noShellFunction, docs, false, true, {}, 1, {}, {noShell}, "c:\\"},
        {6, D::failed, docs, false, true, "E:\\", 1, {}, {noDocs}, "E:\\"},
        {6, ok, docs, false, false, {}, 1, {sub}, {cannot + sub}, docs + "\\"},
        {6,
         ok,
         longDocs,
         false,
         true,
         {},
         1,
         {},
         {cannot + longDocs + "\\skiffdesk\\"},
         longDocs + "\\"},
        {6, ok, fullDocs, false, true, {}, 1, {}, {cannot + fullDocs + "\\skiffdesk\\"}, "c:\\"},
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
        EXPECT_EQ(sharedfolder::ChooseSharedFolder(host, c.version, "c:\\"), c.chosen);
        EXPECT_EQ(host.shellCalls, c.shellCalls);
        EXPECT_EQ(host.created, c.created);
        EXPECT_EQ(host.messages, c.messages);
    }
}

TEST(SharedFolderTest, StripsOneBackslashAndQuotesTheFolderForSubst) {
    const struct {
        const char* setting;
        const char* folder;
        const char* parameters;
    } cases[] = {
        {"c:\\", "c:", "z: \"c:\""},
        {"D:\\share\\", "D:\\share", "z: \"D:\\share\""},
        {"D:\\share\\\\", "D:\\share\\", "z: \"D:\\share\\\""},
        {"C:\\my files", "C:\\my files", "z: \"C:\\my files\""},
        {"", "", "z: \"\""},
        {"\\", "", "z: \"\""},
    };
    for (const auto& c : cases) {
        const std::string folder = sharedfolder::StripTrailingBackslash(c.setting);
        EXPECT_EQ(folder, c.folder) << c.setting;
        EXPECT_EQ(sharedfolder::SubstParameters(folder), c.parameters) << c.setting;
    }
    EXPECT_EQ(sharedfolder::InformationText("c:"),
              "The program will map the directory c: to virtual drive Z: . You may transfer "
              "files to drive Z: so that you could upload or download files to apps server.");
}

} // namespace
