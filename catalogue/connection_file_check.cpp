#include "catalogue/connection_file_check.h"

#include <windows.h>
#include <wincrypt.h>

#include <optional>

#include "catalogue/app_name.h"
#include "catalogue/catalogue_texts.h"
#include "catalogue/rdp_publisher_pin.h"
#include "catalogue/rdp_signature.h"
#include "framework/text_convert.h"
#include "framework/wnd.h"

namespace {

// The file's bytes; nothing when it cannot be read or is larger than any connection file.
std::optional<std::string> ReadOnce(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes(kMaxConnectionFileBytes + 1, '\0');
    DWORD got = 0;
    const BOOL read = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    if (!read || got > kMaxConnectionFileBytes)
        return std::nullopt;
    bytes.resize(got);
    return bytes;
}

char Upper(char c) {
    return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether hex (either case) spells the bytes.
bool SameHex(std::string_view hex, const BYTE* bytes, DWORD size) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    if (hex.size() != 2 * static_cast<std::size_t>(size))
        return false;
    for (DWORD i = 0; i < size; ++i)
        if (Upper(hex[2 * i]) != kDigits[bytes[i] >> 4] ||
            Upper(hex[2 * i + 1]) != kDigits[bytes[i] & 15])
            return false;
    return true;
}

// Whether signature verifies over content, and, when publisher is given, whether its signer's
// SHA-1 thumbprint is publisher. The signer comes from the certificates inside the signature;
// whether it chains to a trusted root is for the remote desktop client to judge.
bool Verifies(const RdpSignature& signature, std::string_view publisher) {
    CRYPT_VERIFY_MESSAGE_PARA para{};
    para.cbSize = sizeof para;
    para.dwMsgAndCertEncodingType = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
    const BYTE* content = reinterpret_cast<const BYTE*>(signature.content.data());
    DWORD contentSize = static_cast<DWORD>(signature.content.size());
    PCCERT_CONTEXT signer = nullptr;
    if (!CryptVerifyDetachedMessageSignature(
            &para, 0, reinterpret_cast<const BYTE*>(signature.signature.data()),
            static_cast<DWORD>(signature.signature.size()), 1, &content, &contentSize, &signer))
        return false;
    bool trusted = signer != nullptr;
    if (trusted && !publisher.empty()) {
        BYTE thumbprint[20];
        DWORD size = sizeof thumbprint;
        trusted =
            CertGetCertificateContextProperty(signer, CERT_SHA1_HASH_PROP_ID, thumbprint, &size) &&
            SameHex(publisher, thumbprint, size);
    }
    if (signer != nullptr)
        CertFreeCertificateContext(signer);
    return trusted;
}

// The verdict on a file's bytes, for publisher as a thumbprint in hex (empty: no pin).
bool ConnectionFileBytesMayLaunch(std::string_view bytes, std::string_view publisher) {
    const RdpSignature signature = ReadRdpSignature(bytes);
    switch (signature.outcome) {
    case RdpSignature::notSigned:
        return publisher.empty();
    case RdpSignature::signedFile:
        return Verifies(signature, publisher);
    case RdpSignature::broken:
        break;
    }
    return false;
}

} // namespace

bool ConnectionFileMayLaunch(CWnd& owner, const std::wstring& path) {
    // A file that cannot be read is the client's business, as before, unless a publisher is
    // pinned: then nothing unchecked goes.
    const std::optional<std::string> bytes = ReadOnce(path);
    const std::string_view publisher = PinnedRdpPublisher();
    if (bytes ? ConnectionFileBytesMayLaunch(*bytes, publisher) : publisher.empty())
        return true;
    const std::string name =
        WideToAnsi(reinterpret_cast<const char16_t*>(path.data()), path.size());
    owner.MessageBox(catalogue_texts::kChangedFileStart + name + catalogue_texts::kChangedFileEnd,
                     catalogue_texts::kChangedFileCaption, MB_OK);
    return false;
}
