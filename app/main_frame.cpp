#include "app/main_frame.h"

void CMainFrame::OnUpdateFrameTitle(BOOL) {
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    UpdateFrameTitleForDocument(nullptr);
}
