// Where the recording doubles (mstsc.exe, subst.exe, browser.exe) write: one line per start,
// the double's creation time (kStampDigits hex digits of a FILETIME) and a blank before its
// whole command line in UTF-8, appended to <folder>\<name>.record, where <name> is
// the double's file name without ".exe" and <folder> is the one named by the environment
// variable below, or the double's own folder when the variable is not set.
#pragma once

namespace support {

inline constexpr char kRecordFolderVariable[] = "SKIFF_RECORD_DIR";
inline constexpr char kRecordExtension[] = ".record";
// Copies started one after another may write in another order; their creation times keep the
// order in which they were started.
inline constexpr int kStampDigits = 16;

} // namespace support
