#include "ui/send_view.h"

#include "ui/time_stamp.h"

#include <ctime>

BOOL CSendView::PreCreateWindow(CREATESTRUCTA& cs) {
    const BOOL result = CEditView::PreCreateWindow(cs);
    cs.style = static_cast<LONG>(kStyle);
    return result;
}

void CSendView::ShowMessage(std::string_view message) {
    SetWindowText(LocalTimeStamp(std::time(nullptr)) +
                  std::string(message.substr(0, kMaxShownBytes)));
}
