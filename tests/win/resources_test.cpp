// The program's resources as the framework loads them: strings, the template string's
// fields, the accelerator table, and the names the application object takes.
#include "deployment.h"
#include "framework/resource_string.h"
#include "tests/win/framework_test_support.h"
#include "ui/resource.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(ResourcesTest, StringTableHoldsTheProgramsTexts) {
    const struct {
        UINT id;
        std::string text;
    } cases[] = {
        {AFX_IDS_APP_TITLE, "Skiffdesk"},
        {IDP_SOCKETS_INIT_FAILED, "Windows sockets initialization failed."},
        {IDR_MAINFRAME, "Skiffdesk\n\nSkiffdesk\nText Files (*.txt)\n.txt\nSkiffdesk.Document\n"
                        "Skiffdesk Document"},
        {IDS_CONNECT_UPDATE, std::string("Can not connect the server. Please download the "
                                         "client application at ") +
                                 deployment::kWebAddress + " and update it."},
        {IDS_GOODBYE, "SKDS1"},
        {IDS_SOCKET_CREATE_FAILED, "Failed to create a socket"},
        {IDS_CONNECT_RETRY, "Failed to connect to server\nTry again?"},
        {IDS_CONNECTION_RESET, "Server has reset the connection"},
        {IDS_CLOSING_CONNECTION, "Closing connection"},
        {9999, ""}, // no such string
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(AfxLoadString(c.id), c.text);
    }
}

TEST(ResourcesTest, FieldsOfANewlineSeparatedText) {
    const std::string templateString = AfxLoadString(IDR_MAINFRAME);
    const struct {
        std::string text;
        int index;
        std::string field;
    } cases[] = {
        {templateString, 0, "Skiffdesk"}, // the frame's title
        {templateString, 1, ""},          // the document's name
        {templateString, 3, "Text Files (*.txt)"},
        {templateString, 6, "Skiffdesk Document"},
        {templateString, 7, ""},
        {"", 0, ""},
        {"one", 0, "one"},
        {"one", 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(AfxExtractSubString(c.text, c.index), c.field);
    }
}

TEST(ResourcesTest, AcceleratorsOfTheMainFrame) {
    const HACCEL table =
        LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    std::vector<ACCEL> entries(static_cast<std::size_t>(CopyAcceleratorTableA(table, nullptr, 0)));
    CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
    const struct {
        WORD key;
        BYTE modifiers;
        WORD command;
    } expected[] = {
        {'N', FCONTROL, ID_FILE_NEW},
        {'S', FCONTROL, ID_FILE_SAVE},
        {'F', FCONTROL, ID_FIND_APP},
        {VK_F6, 0, ID_NEXT_PANE},
        {VK_F6, FSHIFT, ID_PREV_PANE},
    };
    ASSERT_EQ(entries.size(), std::size(expected));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].key, expected[i].key);
        EXPECT_EQ(entries[i].fVirt & ~FNOINVERT, FVIRTKEY | expected[i].modifiers);
        EXPECT_EQ(entries[i].cmd, expected[i].command);
    }
}

// Each item of a menu level has an access key of its own, so every item can be chosen by
// keyboard.
void ExpectAccessKeys(HMENU menu) {
    std::string keys;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if ((GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0)
            continue;
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        SCOPED_TRACE(text);
        const char* amp = strchr(text, '&');
        ASSERT_NE(amp, nullptr);
        const char key = static_cast<char>(toupper(static_cast<unsigned char>(amp[1])));
        EXPECT_TRUE(isalnum(static_cast<unsigned char>(key)));
        EXPECT_EQ(keys.find(key), std::string::npos) << "taken twice";
        keys.push_back(key);
        if (HMENU sub = GetSubMenu(menu, i))
            ExpectAccessKeys(sub);
    }
}

TEST(ResourcesTest, EveryItemOfTheMenusHasAnAccessKey) {
    for (UINT id : {IDR_MAINFRAME, IDR_APP_POPUP, IDR_VIEW_POPUP}) {
        SCOPED_TRACE(id);
        const HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
        ASSERT_NE(menu, nullptr);
        ExpectAccessKeys(menu);
        DestroyMenu(menu);
    }
}

TEST(ResourcesTest, ApplicationTakesItsNamesFromTheStringTableAndTheExecutable) {
    CWinApp app;
    app.InitApplication(GetModuleHandleA(nullptr), "h host 4000", SW_SHOW);
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(app.m_strAppName, "Skiffdesk");
    EXPECT_EQ(AfxGetAppName(), "Skiffdesk");
    EXPECT_EQ(app.m_strExeName, "win_tests");
    EXPECT_EQ(app.m_lpCmdLine, "h host 4000");
}

} // namespace
