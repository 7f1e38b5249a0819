// The account kept in the settings: in the document before the catalogue is read, and never
// larger than its fields.
#include "tests/win/session_test_support.h"

#include "account/account_settings.h"
#include "catalogue/chat_view.h"
#include "framework/wide_path.h"
#include "session/chat_doc.h"

#include <fstream>

using namespace sessiontest;

namespace {

class StoredAccountTest : public testing::Test {
protected:
    StoredAccountTest() : m_company("SkiffdeskTest" + std::to_string(GetCurrentProcessId())) {
        m_app.SetRegistryKey(m_company.c_str());
    }
    ~StoredAccountTest() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + m_company).c_str());
    }

    std::string m_company;
    TestApp m_app;
};

TEST_F(StoredAccountTest, AValueLongerThanItsFieldReadsAsEmpty) {
    const struct {
        const char* entry;
        std::size_t limit;
        std::string account_settings::Account::*field;
    } fields[] = {
        {account_settings::kAccountName, 64, &account_settings::Account::name},
        {account_settings::kEmail, 99, &account_settings::Account::email},
        {account_settings::kPassword, 32, &account_settings::Account::password},
    };
    for (const auto& field : fields) {
        for (const std::size_t length : {field.limit, field.limit + 1, std::size_t{1} << 20}) {
            const std::string stored(length, 'x');
            ASSERT_TRUE(
                m_app.WriteProfileString(account_settings::kOption, field.entry, stored.c_str()));
            EXPECT_EQ(account_settings::Load(m_app).*field.field,
                      length <= field.limit ? stored : std::string())
                << field.entry << " of " << length;
        }
    }
}

// A box of the catalogue runs while the list view is made: the account is there already.
TEST_F(StoredAccountTest, IsInTheDocumentBeforeTheCatalogueIsRead) {
    ASSERT_TRUE(m_app.WriteProfileInt(account_settings::kSetup, account_settings::kRegistered, 1));
    ASSERT_TRUE(m_app.WriteProfileString(account_settings::kOption, account_settings::kAccountName,
                                         "kept"));
    const std::string probe =
        PathForDisplay(CChatView::GetFolder(AfxGetModulePathW())) + "apps\\order_probe.rdp";
    std::ofstream(probe) << "not a connection file";
    CChatDoc doc;
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "list", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    auto* view = new CChatView;
    view->m_bAutoDelete = true;
    CCreateContext context{&doc, nullptr};
    std::string atTheBox = "no box";
    {
        BoxAnswerer boxes({}, [&] { atTheBox = doc.m_strAccountName; });
        view->Create(nullptr, "", WS_CHILD, RECT{0, 0, 200, 100}, &parent, 1, &context);
    }
    DeleteFileA(probe.c_str());
    parent.DestroyWindow();
    EXPECT_EQ(atTheBox, "kept");
}

} // namespace
