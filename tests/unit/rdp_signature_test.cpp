// The signed content and the signature read back from a connection file, and the files whose
// signature cannot cover what the remote desktop client would use.
#include "catalogue/rdp_signature.h"
#include "tests/support/utf16_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using support::Utf16Bytes;

std::string File(const std::string& text) {
    return "\xFF\xFE" + Utf16Bytes(text);
}

// "AQABAAEAAAADAAAAREVS": the header (0x00010001, 1, length 3) and the bytes "DER".
constexpr char kSignatureLine[] = "signature:s:AQABAAEAAAADAAAAREVS";

TEST(RdpSignatureTest, ContentIsTheCoveredLinesInSignscopeOrderThenSignscopeAndNul) {
    const std::string file =
        File("screen mode id:i:2\r\nremoteapplicationname:s:Ledger\r\nFull Address:s:h\r\n"
             "other:s:x\nsignscope:s:Full Address,RemoteApplicationName\r\n" +
             std::string(kSignatureLine) + "\r\n");
    const RdpSignature read = ReadRdpSignature(file);
    ASSERT_EQ(read.outcome, RdpSignature::signedFile);
    EXPECT_EQ(read.content, Utf16Bytes("Full Address:s:h\r\nremoteapplicationname:s:Ledger\r\n"
                                  "signscope:s:Full Address,RemoteApplicationName\r\n") +
                                std::string(2, '\0'));
    EXPECT_EQ(read.signature, "DER");
}

TEST(RdpSignatureTest, FilesWhoseSignatureCannotCoverThemAreBroken) {
    const std::string scope = "signscope:s:Full Address\r\n";
    const std::string sig = std::string(kSignatureLine) + "\r\n";
    const std::string address = "full address:s:h\r\n";
    const struct {
        const char* what;
        std::string text;
        RdpSignature::Outcome outcome;
    } cases[] = {
        {"no signature at all", address, RdpSignature::notSigned},
        {"signscope alone", address + scope, RdpSignature::broken},
        {"signature alone", address + sig, RdpSignature::broken},
        {"two signatures", address + scope + sig + sig, RdpSignature::broken},
        {"covered setting twice", address + address + scope + sig, RdpSignature::broken},
        {"covered setting missing", scope + sig, RdpSignature::broken},
        {"setting added after signing", address + "drivestoredirect:s:*\r\n" + scope + sig,
         RdpSignature::broken},
        {"unknown name", address + "signscope:s:Full Address,Colour\r\n" + sig,
         RdpSignature::broken},
        {"name twice", address + "signscope:s:Full Address,Full Address\r\n" + sig,
         RdpSignature::broken},
        {"trailing comma", address + "signscope:s:Full Address,\r\n" + sig, RdpSignature::broken},
        {"wrong magic", address + scope + "signature:s:AQABAAIAAAADAAAAREVS\r\n",
         RdpSignature::broken},
        {"length not the DER's", address + scope + "signature:s:AQABAAEAAAAEAAAAREVS\r\n",
         RdpSignature::broken},
        {"not base64", address + scope + "signature:s:AQABAAEAAAADAAAAREV*\r\n",
         RdpSignature::broken},
        {"header only", address + scope + "signature:s:AQABAAEAAAAAAAAA\r\n", RdpSignature::broken},
        {"uncovered lines and a last line without its end",
         "x:i:1\r\n" + address + scope + kSignatureLine, RdpSignature::signedFile},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadRdpSignature(File(c.text)).outcome, c.outcome) << c.what;
}

} // namespace
