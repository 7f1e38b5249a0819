// A link label's way to a browser when the shell cannot open its address: the command line
// built from the browser registered for ".htm" pages, and the texts of a failed open.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace linkrules {

// The registry value read back, and the key name and command line built, each with its
// terminating zero. Anything longer is refused, never cut.
inline constexpr std::size_t kRegValueBuffer = 260;
inline constexpr std::size_t kCommandBuffer = 520;

inline constexpr char kPageType[] = ".htm";
inline constexpr char kOpenCommandKey[] = "\\shell\\open\\command";

// The key of the open command of the class registered for pages, or nothing when it would
// not fit.
std::optional<std::string> OpenCommandKey(const std::string& pageClass);
// The registered command cut at its placeholder ("%1" in quotes first, else "%1"), then one
// space and the address; nothing when that would not fit.
std::optional<std::string> FallbackCommandLine(const std::string& registered,
                                               const std::string& address);

// "Unable to open hyperlink:" and what the result code of the last attempt means.
std::string OpenErrorText(long long code);

} // namespace linkrules
