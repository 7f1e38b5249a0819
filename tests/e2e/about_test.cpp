// Help > About as a user meets it: the box with the version and both links; a link opens its
// page in the browser and turns purple; the ".htm" browser is the way when the shell fails,
// and a box explains when both ways fail.
#include "tests/e2e/session_expectations.h"
#include "tests/e2e/skiffdesk_fixture.h"

#include <algorithm>

#include "tests/support/message_box.h"
#include "tests/support/records.h"
#include "tests/support/registry.h"
#include "tests/support/screenshot.h"
#include "tests/support/window_control.h"

namespace e2e {
namespace {

constexpr int kAppAbout = 57664;
constexpr int kWebLink = 1012;
constexpr int kSupportLink = 1013;
constexpr char kAboutCaption[] = "About Skiffdesk";
constexpr COLORREF kNormal = RGB(0, 0, 238);
constexpr COLORREF kVisited = RGB(85, 26, 139);
// A page type registered by the test, for the browser fallback.
constexpr char kPageClass[] = "skiffdesk.test.page";

// Whether the screen shows colour anywhere inside the control.
bool Shows(HWND control, COLORREF colour) {
    RECT rect{};
    GetWindowRect(control, &rect);
    for (LONG y = rect.top; y < rect.bottom; ++y)
        for (LONG x = rect.left; x < rect.right; ++x)
            if (support::ScreenPixel(POINT{x, y}) == colour)
                return true;
    return false;
}

// Clicks a static control as the mouse would.
void Click(HWND control) {
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

// Keeps registry values as they were before the test, whatever happens in it.
class SavedValues {
public:
    void Save(HKEY root, const std::string& key) {
        const std::optional<RawValue> value = ReadRawValue(root, key, "");
        ASSERT_TRUE(value.has_value()) << key;
        m_saved.push_back({root, key, *value});
    }
    ~SavedValues() {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it)
            WriteRawValue(it->root, it->key, "", it->value);
    }

private:
    struct Saved {
        HKEY root;
        std::string key;
        RawValue value;
    };
    std::vector<Saved> m_saved;
};

class AboutTest : public StartedTest {
protected:
    HWND OpenAbout() {
        HWND main = WaitForMainWindow(TheProgram());
        if (main == nullptr || !support::PostCommand(main, kAppAbout))
            return nullptr;
        return support::WaitForDialog(TheProgram().process.Id(), kAboutCaption);
    }
};

TEST_F(AboutTest, ShowsNameVersionAndLinksAndClosesWithOk) {
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    const struct {
        int id;
        std::string text;
    } texts[] = {
        {kWebLink, deployment::kHomePage},
        {kSupportLink, "Support Email: Click here"},
        {IDOK, "OK"},
    };
    for (const auto& t : texts)
        EXPECT_EQ(support::WindowText(GetDlgItem(about, t.id)), t.text);
    std::vector<std::string> statics;
    for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        statics.push_back(support::WindowText(child));
    EXPECT_NE(std::find(statics.begin(), statics.end(), "Version 1.0.0.0"), statics.end());
    EXPECT_NE(std::find(statics.begin(), statics.end(), "Skiffdesk"), statics.end());

    // Modal: the main window waits until the box is closed, then takes input again.
    HWND main = FindMainWindow(TheProgram());
    EXPECT_FALSE(IsWindowEnabled(main));
    ASSERT_TRUE(support::ClickButton(GetDlgItem(about, IDOK)));
    EXPECT_TRUE(support::WaitFor([&] { return !IsWindow(about); }));
    EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(AboutTest, EachLinkOpensItsPageAndTurnsVisited) {
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    const struct {
        int id;
        std::string page;
    } links[] = {
        {kWebLink, deployment::kHomePage},
        {kSupportLink, deployment::kContactPage},
    };
    std::size_t opened = 0;
    for (const auto& link : links) {
        SCOPED_TRACE(link.page);
        HWND label = GetDlgItem(about, link.id);
        ASSERT_TRUE(support::WaitFor([&] { return Shows(label, kNormal); }));
        Click(label);
        const std::vector<std::string> lines = WaitForRecord(kBrowserDouble, ++opened);
        ASSERT_EQ(lines.size(), opened);
        EXPECT_EQ(support::ArgumentsOf(lines.back()), "\"" + link.page + "\"");
        EXPECT_TRUE(support::WaitFor([&] { return Shows(label, kVisited); }));
    }
}

// The shell cannot start the browser; the page type's own command may still.
TEST_F(AboutTest, WithoutTheShellThePageTypesBrowserOpensElseABoxSaysWhy) {
    const std::string pageCommand = std::string(kPageClass) + "\\shell\\open\\command";
    struct RemoveClass {
        ~RemoveClass() { support::DeleteRegistryTree(HKEY_CLASSES_ROOT, kPageClass); }
    } removeClass;
    SavedValues saved;
    ASSERT_NO_FATAL_FAILURE(saved.Save(HKEY_CLASSES_ROOT, "http\\shell\\open\\command"));
    ASSERT_NO_FATAL_FAILURE(saved.Save(HKEY_CLASSES_ROOT, ".htm"));
    ASSERT_TRUE(support::WriteRegistryString(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "",
                                             "\"C:\\nowhere\\browser.exe\" \"%1\""));
    ASSERT_TRUE(support::WriteRegistryString(HKEY_CLASSES_ROOT, ".htm", "", kPageClass));
    HWND about = OpenAbout();
    ASSERT_NE(about, nullptr);
    HWND web = GetDlgItem(about, kWebLink);

    // A registered command with the quoted placeholder: the address follows one space.
    ASSERT_TRUE(
        support::WriteRegistryString(HKEY_CLASSES_ROOT, pageCommand, "",
                                     "\"" + DoublesFolder() + "\\browser.exe\" -page \"%1\""));
    Click(web);
    const std::vector<std::string> lines = WaitForRecord(kBrowserDouble);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(support::ArgumentsOf(lines[0]), std::string("-page  ") + deployment::kHomePage);
    EXPECT_TRUE(support::WaitFor([&] { return Shows(web, kVisited); }));

    // No command for the page type either.
    ASSERT_TRUE(support::DeleteRegistryTree(HKEY_CLASSES_ROOT, kPageClass));
    Click(web);
    // The About box is a dialog too: the error box is the one with the program's title.
    const std::optional<support::MessageBoxView> box =
        support::WaitFor([&]() -> std::optional<support::MessageBoxView> {
            for (support::MessageBoxView& b : support::MessageBoxesOf(TheProgram().process.Id()))
                if (b.caption == kAppTitle)
                    return std::move(b);
            return std::nullopt;
        });
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text.rfind("Unable to open hyperlink:\n\n", 0), 0u) << box->text;
    ASSERT_TRUE(support::AnswerMessageBox(*box, IDOK));
    EXPECT_EQ(Record(kBrowserDouble).size(), 1u);
}

} // namespace
} // namespace e2e
