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
    std::string fallbackRead;

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
        fallbackRead = fallback;
        return setting.value_or(fallback);
    }
};

TEST(SharedFolderTest, ChoosesFolderFromVersionAndResults) {
    using D = SharedFolderHost::Documents;
    const std::string docs = "C:\\users\\u\\Documents";
    const std::string sub = docs + "\\skiffdesk\\";
    // 259 characters with the backslash added: the subfolder no longer fits.
    const std::string longDocs = "C:\\" + std::string(252, 'd');
    // The documents folder itself fills the buffer once its backslash is added.
    const std::string fullDocs = "C:\\" + std::string(256, 'd');
    const struct {
        const char* what;
        int version;
        D result;
        std::string documents;
        bool exists, canCreate;
        std::optional<std::string> setting;
        int shellCalls;
        std::vector<std::string> created, messages;
        std::string chosen;
    } cases[] = {
        {"version 3 asks no shell", 3, D::found, docs, false, true, {}, 0, {}, {}, "c:\\"},
        {"version 3 takes the setting",
         3,
         D::found,
         docs,
         false,
         true,
         "D:\\x",
         0,
         {},
         {},
         "D:\\x"},
        {"version 5 creates the subfolder", 5, D::found, docs, false, true, {}, 1, {sub}, {}, sub},
        {"version 6 uses an existing subfolder", 6, D::found, docs, true, true, {}, 1, {}, {}, sub},
        {"the setting wins, the subfolder is still made",
         6,
         D::found,
         docs,
         false,
         true,
         "D:\\share\\",
         1,
         {sub},
         {},
         "D:\\share\\"},
        {"no shell function",
         6,
         D::noShellFunction,
         docs,
         false,
         true,
         {},
         1,
         {},
         {"Can not get SHGetFolderPathA!|Error"},
         "c:\\"},
        {"no documents folder",
         6,
         D::failed,
         docs,
         false,
         true,
         "E:\\",
         1,
         {},
         {"Can not get My Documents directory!|Error"},
         "E:\\"},
        {"creation fails",
         6,
         D::found,
         docs,
         false,
         false,
         {},
         1,
         {sub},
         {"Can not create the directory|" + sub},
         docs + "\\"},
        {"subfolder too long",
         6,
         D::found,
         longDocs,
         false,
         true,
         {},
         1,
         {},
         {"Can not create the directory|" + longDocs + "\\skiffdesk\\"},
         longDocs + "\\"},
        {"documents folder too long",
         6,
         D::found,
         fullDocs,
         false,
         true,
         {},
         1,
         {},
         {"Can not create the directory|" + fullDocs + "\\skiffdesk\\"},
         "c:\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
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
