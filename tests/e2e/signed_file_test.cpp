// Signed connection files as a user meets them: a signed catalogue is listed as before; a
// file that verifies is launched; one changed after signing is refused with a box and nothing
// starts; with a pinned publisher, files signed by someone else and unsigned ones are refused.
#include "tests/e2e/skiffdesk_fixture.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>

#include "tests/support/records.h"
#include "tests/support/remote_list_view.h"
#include "tests/support/utf16_bytes.h"
#include "tests/support/window_control.h"

namespace e2e {
namespace {

constexpr int kConnect = 32776;
constexpr support::Millis kQuietSpell{1500};

std::string SigningFile(const std::string& name) {
    std::ifstream in(std::string(SKIFF_E2E_SIGNING) + "\\" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

using support::Utf16Bytes;

class SignedFileTest : public SandboxTest {
protected:
    // alpha.rdp (the test publisher's) with one covered setting changed after signing.
    static std::string Tampered() {
        std::string bytes = SigningFile("alpha.rdp");
        const std::string from = Utf16Bytes("redirectdrives:i:1");
        const std::size_t at = bytes.find(from);
        EXPECT_NE(at, std::string::npos);
        if (at != std::string::npos)
            bytes.replace(at, from.size(), Utf16Bytes("redirectdrives:i:0"));
        return bytes;
    }
    // Starts the program (the pinned build when asked), selects every item, connects; answers
    // each refusal box and returns the files the boxes named, in order.
    std::vector<std::string> ConnectAll(bool pinned, std::vector<std::string>* names) {
        if (pinned) {
            const std::string build = std::string(SKIFF_E2E_SIGNING) + "\\skiffdesk_pinned.exe";
            EXPECT_TRUE(CopyFileA(build.c_str(), (Sandbox() + "\\" + kProgramFile).c_str(), FALSE));
        }
        EXPECT_TRUE(WriteSetting("Setup", "reg", 1));
        m_pProgram = &StartProgram();
        HWND main = WaitForMainWindow(*m_pProgram);
        HWND list = main != nullptr ? ListOf(main) : nullptr;
        EXPECT_NE(list, nullptr);
        if (list == nullptr)
            return {};
        *names = support::ListItemTexts(list);
        EXPECT_TRUE(support::SetListItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED));
        EXPECT_TRUE(support::PostCommand(main, kConnect));
        std::vector<std::string> refused;
        while (const std::optional<support::MessageBoxView> box =
                   WaitForMessageBox(*m_pProgram, kQuietSpell)) {
            EXPECT_EQ(box->caption, "Error");
            EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
            refused.push_back(box->text);
            if (!support::AnswerMessageBox(*box, IDOK))
                break;
        }
        return refused;
    }
    std::string Refusal(const std::string& file) const {
        return "The connection file " + AppsFolder() + "\\" + file +
               " has been changed after your service published it. The Program does not launch "
               "it, please get it again from your service.";
    }
    std::vector<std::string> Launched() const {
        std::vector<std::string> files;
        for (const std::string& line : Record(kRemoteDesktopDouble))
            files.push_back(support::ArgumentsOf(line));
        return files;
    }
    std::string Quoted(const std::string& file) const {
        // Appended piece by piece: GCC 12 warns falsely of an overlap on the chained sum.
        std::string quoted = "\"";
        quoted += AppsFolder();
        quoted += '\\';
        quoted += file;
        quoted += '"';
        return quoted;
    }

    Program* m_pProgram = nullptr;
};

TEST_F(SignedFileTest, WithoutAPinValidSignaturesLaunchAndAChangedFileIsRefused) {
    ASSERT_TRUE(WriteAppsFile("a.rdp", SigningFile("alpha.rdp")));
    ASSERT_TRUE(WriteAppsFile("b.rdp", Tampered()));
    ASSERT_TRUE(WriteAppsFile("c.rdp", SigningFile("beta.rdp")));
    std::vector<std::string> names;
    EXPECT_EQ(ConnectAll(false, &names), std::vector<std::string>{Refusal("b.rdp")});
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Alpha", "Beta"}));
    EXPECT_EQ(Launched(), (std::vector<std::string>{Quoted("a.rdp"), Quoted("c.rdp")}));
}

TEST_F(SignedFileTest, WithAPinOnlyThePublishersFilesLaunch) {
    ASSERT_TRUE(WriteAppsFile("a.rdp", SigningFile("alpha.rdp")));
    ASSERT_TRUE(WriteAppsFile("b.rdp", SigningFile("beta.rdp")));
    ASSERT_TRUE(WriteConnectionFile("c.rdp", "Plain"));
    ASSERT_TRUE(WriteAppsFile("d.rdp", Tampered()));
    std::vector<std::string> names;
    EXPECT_EQ(ConnectAll(true, &names),
              (std::vector<std::string>{Refusal("b.rdp"), Refusal("c.rdp"), Refusal("d.rdp")}));
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Beta", "Plain", "Alpha"}));
    EXPECT_EQ(Launched(), std::vector<std::string>{Quoted("a.rdp")});
}

} // namespace
} // namespace e2e
