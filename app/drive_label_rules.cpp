#include "app/drive_label_rules.h"

#include "app/shared_folder_rules.h"
#include "app/shell_texts.h"

namespace drivelabel {

bool SetDriveLabel(DriveLabelHost& host) {
    std::string lastLabel;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (attempt > 0)
            host.Wait(kRetryDelayMs);
        std::string label;
        if (host.ReadLabel(label)) {
            if (label == kLabel)
                return true;
            lastLabel = label;
        }
        const DriveLabelHost::Write written = host.WriteLabel();
        if (written == DriveLabelHost::Write::done)
            return true;
        if (written == DriveLabelHost::Write::denied)
            break;
    }
    host.ShowMessage(FailureText(lastLabel), sharedfolder::kMessageCaption);
    return false;
}

std::string FailureText(const std::string& lastLabel) {
    return kFailed + lastLabel + kFailedEnd;
}

} // namespace drivelabel
