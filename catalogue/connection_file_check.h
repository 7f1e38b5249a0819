// The check before a connection file goes to the remote desktop client: a signed file must
// verify over its covered lines, and, when the build pins a publisher, be signed by it; with a
// pin an unsigned file is refused too. The file is read once.
#pragma once

#include <string>

class CWnd;

// false when the file must not be launched; the user has then been told in a box owned by
// owner.
bool ConnectionFileMayLaunch(CWnd& owner, const std::wstring& path);
