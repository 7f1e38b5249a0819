// What the application shell tells the user: the shared folder and its drive, and a link that
// cannot be opened. One place for its texts; the framework's and the string table's are
// elsewhere.
#pragma once

namespace sharedfolder {

inline constexpr char kErrorCaption[] = "Error";
inline constexpr char kMessageCaption[] = "Shared folder message";
inline constexpr char kVersionFailed[] = "Can get Windows Version";
inline constexpr char kNoShellFunction[] = "Can not get SHGetFolderPathA!";
inline constexpr char kNoDocuments[] = "Can not get My Documents directory!";
inline constexpr char kCannotCreate[] = "Can not create the directory";
inline constexpr char kSubstFailed[] = "Failed to map drive Z:";
inline constexpr char kSubstFailedCaption[] = "Unknown error";
// Around the folder's path.
inline constexpr char kInformation[] = "The program will map the directory ";
inline constexpr char kInformationEnd[] =
    " to virtual drive Z: . You may transfer files to drive Z: so that you could upload or "
    "download files to apps server.";

} // namespace sharedfolder

namespace drivelabel {

// Around the label the drive had.
inline constexpr char kFailed[] = "The program failed to set virtual drive ";
inline constexpr char kFailedEnd[] =
    "(Z:) label as Local Disk. Please manully set virtual disk Z: label as Local Disk";

} // namespace drivelabel

namespace linkrules {

inline constexpr char kOpenFailed[] = "Unable to open hyperlink:\n\n";
// Around a code that has no text of its own.
inline constexpr char kUnknownError[] = "Unknown Error (";
inline constexpr char kUnknownErrorEnd[] = ") occurred.";

struct CodeTextEntry {
    long long code;
    const char* text;
};
// The shell's failure codes that have a text.
inline constexpr CodeTextEntry kCodeTexts[] = {
    {0, "The operating system is out\nof memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied\naccess to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred. "},
    {27, "The filename association is\nincomplete or invalid."},
    {28, "The DDE transaction could not\nbe completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
         "being processed."},
    {31, "There is no application associated\nwith the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
};

} // namespace linkrules
