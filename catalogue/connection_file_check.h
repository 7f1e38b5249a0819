// The check before a connection file goes to the remote desktop client: a signed file must
// verify over its covered lines, and, when the build pins a publisher, be signed by it; with a
// pin an unsigned file is refused too. The file is read once.
#pragma once

#include <string>
#include <string_view>

class CWnd;

// FALSE when the file must not be launched; the user has then been told in a box owned by
// owner.
bool ConnectionFileMayLaunch(CWnd& owner, const std::wstring& path);

// The verdict on a file's bytes, for publisher as a thumbprint in hex (empty: no pin).
bool ConnectionFileBytesMayLaunch(std::string_view bytes, std::string_view publisher);
