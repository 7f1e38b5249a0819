// A sign-up reply's outcome in the text pane: shown after what came before it in the same
// read, and a success whose account cannot be kept says so.
#include "tests/win/session_test_support.h"

#include "account/account_settings.h"
#include "session/chat_doc.h"

using namespace sessiontest;

namespace {

class SessionSignUpReplyTest : public sockettest::SocketTest {};

TEST_F(SessionSignUpReplyTest, TheOutcomeIsTheLastTextAndTellsWhetherTheAccountWasKept) {
    const std::string company = "SkiffdeskTest" + std::to_string(GetCurrentProcessId());
    const struct {
        const char* reply;
        bool settingsWork;
        const char* shown;
        int reg;
    } cases[] = {
        {"SKDR1", true, "Create Account OK!", 1},
        {"SKDR1", false, "The account was created, but it could not be saved on this computer!", 0},
        {"SKDR0", true,
         "Failed to create Account! Please check your account name, password and email address.",
         0},
    };
    for (const auto& test : cases) {
        TestApp app;
        if (test.settingsWork)
            app.SetRegistryKey(company.c_str());
        CChatDoc doc;
        PaneRecorder views(doc);
        ASSERT_TRUE(views.Ready());
        doc.m_strAccountName = "n";
        doc.m_strEmail = "e@";
        doc.m_strPassword = "Pw1";
        {
            LoopbackServer server([&](sockettest::Peer& peer) {
                peer.ReceiveUpTo(Wire(0, "SKDR001201n02e@03Pw1").size());
                peer.SendAll(Wire(0, "SKDX", {"earlier"}) + Wire(0, test.reply));
                ReadToEnd(peer);
            });
            ASSERT_TRUE(doc.ConnectAndRegister("", "127.0.0.1", server.Port()));
            EXPECT_TRUE(sockettest::PumpUntil([&] { return doc.m_pSocket == nullptr; }));
        }
        ASSERT_FALSE(views.Texts().empty()) << test.reply;
        EXPECT_EQ(views.Texts().back(), test.shown) << test.reply;
        app.SetRegistryKey(company.c_str());
        EXPECT_EQ(app.GetProfileInt(account_settings::kSetup, account_settings::kRegistered, 0),
                  static_cast<UINT>(test.reg))
            << test.reply;
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + company).c_str());
        sockettest::PumpUntil([] { return CChatSocket::LingeringCount() == 0; });
    }
}

} // namespace
