// What the catalogue, the list and the launch say to the user: one place for their texts.
#pragma once

namespace catalogue_texts {
inline constexpr char kFolderError[] = " occurs error!";
inline constexpr char kNotAFolder[] = " is not a right directory";
inline constexpr char kNameNotFound[] = "Error, Do not find the APP name!";
inline constexpr char kColumnTitle[] = "Remote App Name";
inline constexpr char kLaunchFailedCaption[] = "Unknown error";
// Followed by the remote desktop client vendor's host and a full stop.
inline constexpr char kLaunchFailed[] =
    "The Program does not launch your Microsoft Remote Desktop Connection.  Please update it at ";
// The find box before anything is typed in it.
inline constexpr char kFindCue[] = "Find an application (Ctrl+F)";
// The status bar while a search is typed: "<shown> of <all> applications".
inline constexpr char kFindCountMiddle[] = " of ";
inline constexpr char kFindCountEnd[] = " applications";
// A connection file whose signature does not hold (or, with a pinned publisher, that is not
// signed by it): the start, the file's path, the end.
inline constexpr char kChangedFileCaption[] = "Error";
inline constexpr char kChangedFileStart[] = "The connection file ";
inline constexpr char kChangedFileEnd[] =
    " has been changed after your service published it. The Program does not launch it, please "
    "get it again from your service.";
} // namespace catalogue_texts
