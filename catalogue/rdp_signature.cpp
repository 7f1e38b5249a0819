#include "catalogue/rdp_signature.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

struct SecureSetting {
    std::string_view prefix; // the start of its line
    std::string_view name;   // as signscope names it
};

// The settings a signature covers, in the order a signer lists them.
constexpr std::array<SecureSetting, 45> kSecureSettings{{
    {"full address:s:", "Full Address"},
    {"alternate full address:s:", "Alternate Full Address"},
    {"pcb:s:", "PCB"},
    {"use redirection server name:i:", "Use Redirection Server Name"},
    {"server port:i:", "Server Port"},
    {"negotiate security layer:i:", "Negotiate Security Layer"},
    {"enablecredsspsupport:i:", "EnableCredSspSupport"},
    {"disableconnectionsharing:i:", "DisableConnectionSharing"},
    {"autoreconnection enabled:i:", "AutoReconnection Enabled"},
    {"gatewayhostname:s:", "GatewayHostname"},
    {"gatewayusagemethod:i:", "GatewayUsageMethod"},
    {"gatewayprofileusagemethod:i:", "GatewayProfileUsageMethod"},
    {"gatewaycredentialssource:i:", "GatewayCredentialsSource"},
    {"support url:s:", "Support URL"},
    {"promptcredentialonce:i:", "PromptCredentialOnce"},
    {"require pre-authentication:i:", "Require pre-authentication"},
    {"pre-authentication server address:s:", "Pre-authentication server address"},
    {"alternate shell:s:", "Alternate Shell"},
    {"shell working directory:s:", "Shell Working Directory"},
    {"remoteapplicationprogram:s:", "RemoteApplicationProgram"},
    {"remoteapplicationexpandworkingdir:s:", "RemoteApplicationExpandWorkingdir"},
    {"remoteapplicationmode:i:", "RemoteApplicationMode"},
    {"remoteapplicationguid:s:", "RemoteApplicationGuid"},
    {"remoteapplicationname:s:", "RemoteApplicationName"},
    {"remoteapplicationicon:s:", "RemoteApplicationIcon"},
    {"remoteapplicationfile:s:", "RemoteApplicationFile"},
    {"remoteapplicationfileextensions:s:", "RemoteApplicationFileExtensions"},
    {"remoteapplicationcmdline:s:", "RemoteApplicationCmdLine"},
    {"remoteapplicationexpandcmdline:s:", "RemoteApplicationExpandCmdLine"},
    {"prompt for credentials:i:", "Prompt For Credentials"},
    {"authentication level:i:", "Authentication Level"},
    {"audiomode:i:", "AudioMode"},
    {"redirectdrives:i:", "RedirectDrives"},
    {"redirectprinters:i:", "RedirectPrinters"},
    {"redirectcomports:i:", "RedirectCOMPorts"},
    {"redirectsmartcards:i:", "RedirectSmartCards"},
    {"redirectposdevices:i:", "RedirectPOSDevices"},
    {"redirectclipboard:i:", "RedirectClipboard"},
    {"devicestoredirect:s:", "DevicesToRedirect"},
    {"drivestoredirect:s:", "DrivesToRedirect"},
    {"loadbalanceinfo:s:", "LoadBalanceInfo"},
    {"redirectdirectx:i:", "RedirectDirectX"},
    {"rdgiskdcproxy:i:", "RDGIsKDCProxy"},
    {"kdcproxyname:s:", "KDCProxyName"},
    {"eventloguploadaddress:s:", "EventLogUploadAddress"},
}};
constexpr std::string_view kSignscopeKey = "signscope:s:";
constexpr std::string_view kSignatureKey = "signature:s:";
constexpr std::array<unsigned char, 8> kSignatureMagic{1, 0, 1, 0, 1, 0, 0, 0};
constexpr std::size_t kSignatureHeaderBytes = 12;

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

bool StartsWith(std::u16string_view text, std::string_view ascii) {
    if (text.size() < ascii.size())
        return false;
    for (std::size_t i = 0; i < ascii.size(); ++i)
        if (Lower(text[i]) != Lower(static_cast<char16_t>(ascii[i])))
            return false;
    return true;
}

bool SameName(std::u16string_view text, std::string_view ascii) {
    return text.size() == ascii.size() && StartsWith(text, ascii);
}

std::vector<std::u16string> Lines(std::string_view bytes) {
    std::vector<std::u16string> lines;
    std::u16string line;
    for (std::size_t offset = 2; offset + 1 < bytes.size(); offset += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[offset]) |
                                                static_cast<unsigned char>(bytes[offset + 1]) << 8);
        if (unit != u'\n') {
            line.push_back(unit);
            continue;
        }
        if (!line.empty() && line.back() == u'\r')
            line.pop_back();
        lines.push_back(std::move(line));
        line.clear();
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

void AppendUtf16(std::string& out, std::u16string_view text) {
    for (const char16_t unit : text) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    }
}

int Base64Value(char16_t c) {
    if (c >= u'A' && c <= u'Z')
        return c - u'A';
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 26;
    if (c >= u'0' && c <= u'9')
        return c - u'0' + 52;
    if (c == u'+')
        return 62;
    if (c == u'/')
        return 63;
    return -1;
}

// Strict base64: whole groups of four, "=" only as the last one or two characters.
std::optional<std::string> DecodeBase64(std::u16string_view text) {
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::size_t padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == u'=')
        ++padding;
    std::string out;
    std::uint32_t group = 0;
    for (std::size_t i = 0; i < text.size() - padding; ++i) {
        const int value = Base64Value(text[i]);
        if (value < 0)
            return std::nullopt;
        group = group << 6 | static_cast<std::uint32_t>(value);
        if (i % 4 == 3) {
            out.push_back(static_cast<char>(group >> 16));
            out.push_back(static_cast<char>(group >> 8 & 0xFF));
            out.push_back(static_cast<char>(group & 0xFF));
            group = 0;
        }
    }
    if (padding == 1) {
        out.push_back(static_cast<char>(group >> 10));
        out.push_back(static_cast<char>(group >> 2 & 0xFF));
    } else if (padding == 2) {
        out.push_back(static_cast<char>(group >> 4));
    }
    return out;
}

// The DER after the header, when the header is sound and its length is the DER's.
std::optional<std::string> SignatureDer(std::u16string_view base64) {
    std::optional<std::string> blob = DecodeBase64(base64);
    if (!blob || blob->size() <= kSignatureHeaderBytes)
        return std::nullopt;
    for (std::size_t i = 0; i < kSignatureMagic.size(); ++i)
        if (static_cast<unsigned char>((*blob)[i]) != kSignatureMagic[i])
            return std::nullopt;
    std::uint32_t length = 0;
    for (std::size_t i = 0; i < 4; ++i)
        length |= static_cast<std::uint32_t>(static_cast<unsigned char>((*blob)[8 + i])) << (8 * i);
    if (length != blob->size() - kSignatureHeaderBytes)
        return std::nullopt;
    return blob->substr(kSignatureHeaderBytes);
}

RdpSignature Broken() {
    RdpSignature result;
    result.outcome = RdpSignature::broken;
    return result;
}

} // namespace

RdpSignature ReadRdpSignature(std::string_view fileBytes) {
    const std::vector<std::u16string> lines = Lines(fileBytes);
    const std::u16string* signscope = nullptr;
    const std::u16string* signature = nullptr;
    std::array<const std::u16string*, kSecureSettings.size()> settingLine{};
    bool twice = false;
    for (const std::u16string& line : lines) {
        if (StartsWith(line, kSignscopeKey)) {
            twice |= signscope != nullptr;
            signscope = &line;
        } else if (StartsWith(line, kSignatureKey)) {
            twice |= signature != nullptr;
            signature = &line;
        } else {
            for (std::size_t i = 0; i < kSecureSettings.size(); ++i) {
                if (StartsWith(line, kSecureSettings[i].prefix)) {
                    twice |= settingLine[i] != nullptr;
                    settingLine[i] = &line;
                    break;
                }
            }
        }
    }
    if (signscope == nullptr && signature == nullptr)
        return RdpSignature{};
    if (signscope == nullptr || signature == nullptr || twice)
        return Broken();

    RdpSignature result;
    std::array<bool, kSecureSettings.size()> covered{};
    const std::u16string_view names = std::u16string_view(*signscope).substr(kSignscopeKey.size());
    std::size_t start = 0;
    while (!names.empty() && start <= names.size()) {
        std::size_t end = names.find(u',', start);
        if (end == std::u16string_view::npos)
            end = names.size();
        const std::u16string_view name = names.substr(start, end - start);
        std::size_t i = 0;
        while (i < kSecureSettings.size() && !SameName(name, kSecureSettings[i].name))
            ++i;
        if (i == kSecureSettings.size() || covered[i] || settingLine[i] == nullptr)
            return Broken();
        covered[i] = true;
        AppendUtf16(result.content, *settingLine[i]);
        AppendUtf16(result.content, u"\r\n");
        start = end + 1;
    }
    for (std::size_t i = 0; i < kSecureSettings.size(); ++i)
        if (settingLine[i] != nullptr && !covered[i])
            return Broken();
    AppendUtf16(result.content, *signscope);
    AppendUtf16(result.content, std::u16string_view(u"\r\n\0", 3));

    std::optional<std::string> der =
        SignatureDer(std::u16string_view(*signature).substr(kSignatureKey.size()));
    if (!der)
        return Broken();
    result.signature = std::move(*der);
    result.outcome = RdpSignature::signedFile;
    return result;
}
