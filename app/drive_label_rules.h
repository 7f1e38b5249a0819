// Explorer's label of drive Z:: read it, and write "Local Disk" when it says anything else or
// is missing. The registry comes in through DriveLabelHost, so the tries are tested without
// a registry.
#pragma once

#include <string>

namespace drivelabel {

inline constexpr char kLabel[] = "Local Disk";
inline constexpr char kKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\Z\\DefaultLabel";
inline constexpr int kTries = 30;
inline constexpr unsigned kRetryDelayMs = 200;
// The label read back fits this buffer with its terminating zero; a longer one reads as failed.
inline constexpr unsigned kLabelBuffer = 256;
inline constexpr int kFirstMajorVersion = 6; // the label exists from this version on

class DriveLabelHost {
public:
    enum class Write { done, denied, failed };

    virtual ~DriveLabelHost() = default;
    // The key's default value; false when it cannot be read (the key is missing, for one).
    virtual bool ReadLabel(std::string& label) = 0;
    // Creates the key when needed and writes kLabel as its default value.
    virtual Write WriteLabel() = 0;
    virtual void Wait(unsigned milliseconds) = 0;
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};

// True when the label is in place. A label that cannot be read is written all the same; a
// write refused for want of rights is not retried, other failures are, kTries times.
bool SetDriveLabel(DriveLabelHost& host);

std::string FailureText(const std::string& lastLabel);

} // namespace drivelabel
