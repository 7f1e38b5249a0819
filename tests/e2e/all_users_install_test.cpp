// The installer signed with the test publisher, run silently for all users: it installs under
// the given folder with a Start menu entry for everyone, adds its publisher to the machine's
// trusted-publisher list (merged, never twice), and its signed uninstaller takes out only the
// entry the install added.
#include "tests/e2e/skiffdesk_fixture.h"

#include <shlobj.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/registry.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Skiffdesk";
constexpr char kPolicyKey[] = "SOFTWARE\\Policies\\Microsoft\\Windows NT\\Terminal Services";
constexpr char kPolicyValue[] = "TrustedCertThumbprints";
constexpr char kWineOverrides[] = "Software\\Wine\\DllOverrides";
constexpr char kSomeoneElse[] = "00112233445566778899AABBCCDDEEFF00112233";
constexpr support::Millis kSetupTimeout{60000};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Whether the program's image carries an Authenticode signature (its certificate table).
bool HasSignature(const std::string& path) {
    const std::string image = ReadAll(path);
    const auto at = [&](std::size_t offset, std::size_t size) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size && offset + i < image.size(); ++i)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(image[offset + i]))
                     << (8 * i);
        return value;
    };
    const std::size_t optional = at(0x3C, 4) + 24;
    const std::size_t directories = optional + (at(optional, 2) == 0x20B ? 112 : 96);
    return at(directories + 4 * 8 + 4, 4) > 0; // the size of the security directory
}

std::string AllUsersShortcut() {
    char folder[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, folder) !=
        S_OK)
        return {};
    return std::string(folder) + "\\Skiffdesk.lnk";
}

class AllUsersInstallTest : public SandboxTest {
protected:
    void SetUp() override {
        SandboxTest::SetUp();
        ASSERT_TRUE(support::WriteRegistryString(HKEY_CURRENT_USER, kWineOverrides,
                                                 "winemenubuilder.exe", ""));
        m_policyBefore = ReadRawValue(HKEY_LOCAL_MACHINE, kPolicyKey, kPolicyValue);
        ASSERT_TRUE(m_policyBefore.has_value());
        ASSERT_TRUE(support::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstallKey));
    }
    void TearDown() override {
        if (m_policyBefore)
            WriteRawValue(HKEY_LOCAL_MACHINE, kPolicyKey, kPolicyValue, *m_policyBefore);
        support::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstallKey);
        SandboxTest::TearDown();
    }
    static std::optional<std::string> Policy() {
        return support::ReadRegistryString(HKEY_LOCAL_MACHINE, kPolicyKey, kPolicyValue);
    }

    std::optional<RawValue> m_policyBefore;
};

TEST_F(AllUsersInstallTest, TrustsItsPublisherOnceAndTheUninstallerTakesOutOnlyItsOwn) {
    std::string publisher = ReadAll(std::string(SKIFF_E2E_SIGNING) + "\\publisher.sha1");
    publisher.erase(publisher.find_last_not_of("\r\n") + 1);
    ASSERT_EQ(publisher.size(), 40u);
    const std::string other = kSomeoneElse;
    const struct {
        const char* what;
        std::string before, installed;
        std::optional<std::string> uninstalled;
    } cases[] = {
        {"merged", other, other + "," + publisher, other},
        {"already there", Lower(publisher) + "," + other, Lower(publisher) + "," + other,
         Lower(publisher) + "," + other},
    };
    const std::string folder = Sandbox() + "\\AllUsers\\Skiffdesk";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(
            support::WriteRegistryString(HKEY_LOCAL_MACHINE, kPolicyKey, kPolicyValue, c.before));
        support::Process setup = support::Process::Start(SKIFF_E2E_SIGNED_INSTALLER,
                                                         "/S /ALLUSERS /D=" + folder, Sandbox());
        ASSERT_TRUE(setup.Valid()) << setup.Error();
        ASSERT_EQ(setup.WaitForExit(kSetupTimeout), std::optional<DWORD>(0));
        EXPECT_EQ(Policy(), c.installed);
        EXPECT_EQ(support::ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"),
                  folder);
        EXPECT_TRUE(fs::is_regular_file(folder + "\\skiffdesk.exe"));
        EXPECT_TRUE(fs::is_regular_file(AllUsersShortcut())) << AllUsersShortcut();
        const std::string uninstaller = folder + "\\uninstall.exe";
        EXPECT_TRUE(HasSignature(uninstaller));

        support::Process uninstall = support::Process::Start(uninstaller, "/S", Sandbox());
        ASSERT_TRUE(uninstall.Valid()) << uninstall.Error();
        // It runs on from a copy of itself: wait for its work, not for its end.
        EXPECT_TRUE(support::WaitFor(
            [&] {
                return !fs::exists(uninstaller) &&
                       !support::ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey,
                                                    "InstallLocation");
            },
            kSetupTimeout));
        EXPECT_EQ(Policy(), c.uninstalled);
        EXPECT_FALSE(fs::exists(AllUsersShortcut()));
    }
}

} // namespace
} // namespace e2e
