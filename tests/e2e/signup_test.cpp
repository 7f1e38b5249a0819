// Signing up as a new user meets it: the dialog a first start opens by itself, its checks,
// the request on the wire, what each reply leaves in the text pane and the settings, the
// watchdog, the one-minute limit and an unreachable server.
#include "tests/e2e/skiffdesk_fixture.h"

#include "tests/support/records.h"
#include "tests/support/registry.h"
#include "tests/support/window_control.h"
#include "tests/support/window_find.h"

#include <chrono>

namespace e2e {
namespace {

using namespace std::chrono_literals;
using support::Reply;

constexpr char kDialogCaption[] = "Please register your account name";
constexpr int kName = 1007, kEmail = 1008, kPassword = 1010, kPasswordAgain = 1011;
constexpr char kCreated[] = "Create Account OK!";
constexpr char kRefused[] =
    "Failed to create Account! Please check your account name, password and email address.";

struct Entry {
    std::string name, email, password, again;
};
const Entry kAlice{"alice", "a@b.cd", "Secret7", "Secret7"};

class SignUpTest : public StartedTest {
protected:
    SignUpTest() { StartWithoutAccount(); }

    HWND WaitForSignUpDialog(support::Millis timeout = support::kDefaultTimeout) {
        return support::WaitForDialog(TheProgram().process.Id(), kDialogCaption, timeout);
    }
    static void Fill(HWND dialog, const Entry& entry) {
        support::SetWindowTextRemote(GetDlgItem(dialog, kName), entry.name);
        support::SetWindowTextRemote(GetDlgItem(dialog, kEmail), entry.email);
        support::SetWindowTextRemote(GetDlgItem(dialog, kPassword), entry.password);
        support::SetWindowTextRemote(GetDlgItem(dialog, kPasswordAgain), entry.again);
    }
    // The next message box of the program. The sign-up dialog's labels carry the id a box's
    // text has, so the dialog itself is passed over.
    std::optional<support::MessageBoxView> WaitForBox(support::Millis timeout) {
        return support::WaitFor(
            [&]() -> std::optional<support::MessageBoxView> {
                for (auto& box : support::MessageBoxesOf(TheProgram().process.Id()))
                    if (box.caption != kDialogCaption)
                        return std::move(box);
                return std::nullopt;
            },
            timeout);
    }
    // Fills the dialog and presses "Register"; the box it shows, if any.
    std::optional<support::MessageBoxView> Register(HWND dialog, const Entry& entry) {
        Fill(dialog, entry);
        support::PostCommand(dialog, IDOK);
        return WaitForBox(2000ms);
    }
    // The scripted server answers the sign-up (the second connection) with this script.
    void AnswerSignUp(support::ConnectionScript script) {
        Server().SetScript(1, std::move(script));
    }
    bool PaneShows(HWND main, const std::string& text) {
        return support::WaitFor([&] {
            const std::string pane = TextPane(main);
            return pane.size() >= text.size() &&
                   pane.compare(pane.size() - text.size(), text.size(), text) == 0;
        });
    }
};

// Every value under the settings key, as text, to look for a password in plain.
std::string AllSettingText(HKEY key) {
    std::string text;
    char name[256];
    BYTE data[4096];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name, dataSize = sizeof data;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, nullptr, data, &dataSize) !=
            ERROR_SUCCESS)
            break;
        text.append(reinterpret_cast<char*>(data), dataSize).push_back('\n');
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        HKEY sub = nullptr;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &sub) == ERROR_SUCCESS) {
            text += AllSettingText(sub);
            RegCloseKey(sub);
        }
    }
    return text;
}

TEST_F(SignUpTest, FirstStartOpensTheEmptyDialogAboutTwoAndAHalfSecondsAfterStart) {
    // The shared-folder message comes before the window and its list view exist.
    const auto box = WaitForMessageBox(TheProgram());
    ASSERT_TRUE(box.has_value());
    ASSERT_EQ(box->caption, kSharedFolderCaption);
    ASSERT_TRUE(support::AnswerMessageBox(*box, IDOK));
    const auto answered = std::chrono::steady_clock::now();
    HWND dialog = WaitForSignUpDialog(10000ms);
    ASSERT_NE(dialog, nullptr);
    const auto after = std::chrono::steady_clock::now() - answered;
    EXPECT_GE(after, 2300ms);
    EXPECT_LT(after, 6000ms);
    const struct {
        std::string className, text;
    } expected[] = {{"Edit", ""},
                    {"Edit", ""},
                    {"Edit", ""},
                    {"Edit", ""},
                    {"Button", "Register"},
                    {"Button", "Cancel"},
                    {"Static", "Account Name"},
                    {"Static", "Email"},
                    {"Static", "Password"},
                    {"Static", "Password again"}};
    const std::vector<HWND> children = support::ChildWindows(dialog);
    ASSERT_EQ(children.size(), std::size(expected));
    for (std::size_t i = 0; i < children.size(); ++i) {
        EXPECT_EQ(support::ClassNameOf(children[i]), expected[i].className) << i;
        EXPECT_EQ(support::WindowText(children[i]), expected[i].text) << i;
    }
    for (int id : {kPassword, kPasswordAgain})
        EXPECT_NE(support::StyleOf(GetDlgItem(dialog, id)) & ES_PASSWORD, 0) << id;
    // It opens in the middle of the main window.
    RECT shown{};
    RECT main{};
    ASSERT_TRUE(GetWindowRect(dialog, &shown));
    ASSERT_TRUE(GetWindowRect(FindMainWindow(TheProgram()), &main));
    EXPECT_NEAR(shown.left + shown.right, main.left + main.right, 2);
    EXPECT_NEAR(shown.top + shown.bottom, main.top + main.bottom, 2);
}

TEST_F(SignUpTest, ChecksRunInOrderAndKeepTheDialogOpen) {
    ASSERT_NE(WaitForMainWindow(TheProgram()), nullptr);
    HWND dialog = WaitForSignUpDialog(10000ms);
    ASSERT_NE(dialog, nullptr);
    const std::string longEmail = std::string(95, 'a') + "@b.cd"; // 100 characters, valid
    const struct {
        Entry entry;
        const char* message;
    } cases[] = {
        {{"", "", "", ""}, "Account Name can not be empty!"},
        {{" ", "", "", ""}, "Email adress can not be empty!"},
        {{" ", "a@.bc", "x", ""}, "Email adress is not valid!"},
        {{" ", longEmail, "Secret7", "Secret7"},
         "Email adress is too long (at most 99 characters)!"},
        {{" ", "a@b.cd", "secret7", "Secret8"},
         "Very weak password! At least 6 characters include upper case , lower case and digit "
         "number"},
        {{" ", "a@b.cd", "Secret7", "Secret8"}, "Passwords are not same!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const auto box = Register(dialog, c.entry);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->caption, "Skiffdesk");
        EXPECT_EQ(box->text, c.message);
        EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
        ASSERT_TRUE(support::AnswerMessageBox(*box, IDOK));
        EXPECT_TRUE(IsWindowVisible(dialog));
    }
    EXPECT_EQ(Server().Connections().size(), 1u) << "nothing may be sent before the checks pass";
    EXPECT_FALSE(ReadSettingDword("Setup", "t_first_register").has_value());
}

TEST_F(SignUpTest, SuccessSendsTheRequestAndKeepsTheAccountForTheNextStart) {
    AnswerSignUp(support::ConnectionScript().After(1, Reply::Message("SKDR1 welcome")));
    HWND main = WaitForMainWindow(TheProgram());
    HWND dialog = WaitForSignUpDialog(10000ms);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(Register(dialog, kAlice).has_value());
    ASSERT_TRUE(PaneShows(main, kCreated));

    ASSERT_TRUE(Server().WaitForMessages(1, 1));
    const support::ConnectionRecord signUp = Server().Connections()[1];
    const std::string text = "SKDR002405alice06a@b.cd07Secret7";
    EXPECT_EQ(signUp.received.substr(0, 3 + text.size() + 2),
              std::string("\0\0", 2) + char(text.size()) + text + std::string("\0\0", 2));
    ASSERT_TRUE(Server().WaitForClientClose(1)) << "the reply closes the connection";
    EXPECT_TRUE(Server().Connections()[1].goodbye);

    EXPECT_EQ(ReadSettingDword("Setup", "reg"), 1u);
    EXPECT_EQ(ReadSettingString("Option", "AccountName"), "alice");
    EXPECT_EQ(ReadSettingString("Option", "EmailAdress"), "a@b.cd");
    const std::optional<std::string> stored = ReadSettingString("Option", "Password");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->rfind("dp1:", 0), 0u) << *stored;
    HKEY root = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\SKIFFDESK", 0, KEY_READ, &root),
              ERROR_SUCCESS);
    EXPECT_EQ(AllSettingText(root).find("Secret7"), std::string::npos);
    RegCloseKey(root);

    // The next start opens straight into the list; "Register user" shows the stored account.
    ASSERT_TRUE(support::PostClose(main));
    ASSERT_TRUE(TheProgram().process.WaitForExit().has_value());
    Program& next = StartProgram();
    HWND nextMain = WaitForMainWindow(next);
    ASSERT_NE(nextMain, nullptr);
    EXPECT_EQ(support::WaitForDialog(next.process.Id(), kDialogCaption, 4000ms), nullptr);
    support::PostCommand(nextMain, 32781);
    HWND again = support::WaitForDialog(next.process.Id(), kDialogCaption);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(support::WindowText(GetDlgItem(again, kName)), "alice");
    EXPECT_EQ(support::WindowText(GetDlgItem(again, kEmail)), "a@b.cd");
    EXPECT_EQ(support::WindowText(GetDlgItem(again, kPassword)), "");
}

TEST_F(SignUpTest, RefusalShowsItsTextWritesNothingAndASecondTryWithinAMinuteIsRefused) {
    AnswerSignUp(support::ConnectionScript().After(1, Reply::Message("SKDR0")));
    HWND main = WaitForMainWindow(TheProgram());
    HWND dialog = WaitForSignUpDialog(10000ms);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(Register(dialog, kAlice).has_value());
    ASSERT_TRUE(PaneShows(main, kRefused));
    EXPECT_FALSE(ReadSettingDword("Setup", "reg").has_value());
    EXPECT_FALSE(ReadSettingString("Option", "Password").has_value());
    const std::optional<DWORD> attempt = ReadSettingDword("Setup", "t_first_register");
    ASSERT_TRUE(attempt.has_value());

    support::PostCommand(main, 32781);
    HWND second = WaitForSignUpDialog();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(support::WindowText(GetDlgItem(second, kName)), "alice") << "refused details stay";
    const auto box = Register(second, kAlice);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Sign up your account too fast");
    EXPECT_EQ(box->text, "Please wait for one minute to register the next account!");
    ASSERT_TRUE(support::AnswerMessageBox(*box, IDOK));
    EXPECT_TRUE(IsWindowVisible(second));
    EXPECT_EQ(ReadSettingDword("Setup", "t_first_register"), attempt);
}

TEST_F(SignUpTest, NoReplyIsReportedAfterFiveSecondsAndALateSuccessStillCounts) {
    AnswerSignUp(support::ConnectionScript()
                     .After(1, Reply::Pause(7000ms))
                     .After(1, Reply::Message("SKDR1")));
    HWND main = WaitForMainWindow(TheProgram());
    HWND dialog = WaitForSignUpDialog(10000ms);
    ASSERT_NE(dialog, nullptr);
    Fill(dialog, kAlice);
    support::PostCommand(dialog, IDOK);
    const auto sent = std::chrono::steady_clock::now();
    const auto box = WaitForBox(10000ms);
    ASSERT_TRUE(box.has_value());
    EXPECT_GE(std::chrono::steady_clock::now() - sent, 4500ms);
    EXPECT_EQ(box->caption, "Error");
    EXPECT_EQ(box->text, "Failed to register!");
    ASSERT_TRUE(support::AnswerMessageBox(*box, IDOK));
    ASSERT_TRUE(PaneShows(main, kCreated));
    EXPECT_EQ(ReadSettingDword("Setup", "reg"), 1u);
}

TEST_F(SignUpTest, UnreachableServerOffersTheWebSite) {
    HWND main = WaitForMainWindow(TheProgram());
    ASSERT_TRUE(Server().WaitForClientClose(0)) << "the handshake's connection ends first";
    Server().Stop();
    HWND dialog = WaitForSignUpDialog(10000ms);
    ASSERT_NE(dialog, nullptr);
    const auto retry = Register(dialog, kAlice);
    ASSERT_TRUE(retry.has_value());
    EXPECT_EQ(retry->text, "Failed to connect to server\nTry again?");
    ASSERT_TRUE(support::AnswerMessageBox(*retry, IDNO));
    const auto offer = WaitForBox(support::kDefaultTimeout);
    ASSERT_TRUE(offer.has_value());
    EXPECT_EQ(offer->text, "Can not connect the server. Please download the client application "
                           "at http://www.skiffdesk.example and update it.");
    EXPECT_EQ(offer->buttons, (std::vector<int>{IDYES, IDNO}));
    ASSERT_TRUE(support::AnswerMessageBox(*offer, IDYES));
    const std::vector<std::string> opened = WaitForRecord(kBrowserDouble);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(support::ArgumentsOf(opened.front()), "\"http://www.skiffdesk.example/index.htm\"");
    EXPECT_NE(main, nullptr);
}

} // namespace
} // namespace e2e
