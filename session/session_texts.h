// What the session tells the user in boxes: one place for its texts. The server's own texts
// and the connection's are in the string table.
#pragma once

namespace session_texts {

// The browser could not be started on the home page: these around the page's address.
inline constexpr char kBrowserFailed[] = "The Program does not launch your web browser to access ";
inline constexpr char kBrowserFailedEnd[] =
    " ,\nPlease launch your web browser and input the URL manually.";
inline constexpr char kBrowserFailedCaption[] = "Unknown error";

// A failed version reply: these around the service's web address.
inline constexpr char kUpgraded[] =
    "The Server has upgraded. Please download the client application at ";
inline constexpr char kUpgradedEnd[] = " and update it";

// Shown when the command line cannot be used; the program then connects with its defaults.
inline constexpr char kCommandLineUsage[] =
    "The command line must be: <handle> <server> <port> (a port from 1 to 65535). "
    "Skiffdesk goes on with the default settings.";

} // namespace session_texts
