// The text pane under the application list: it shows the last status message, with the local
// date and time in front. Each message replaces the whole text.
#pragma once

#include "framework/edit_view.h"

#include <string>
#include <string_view>

class CSendView : public CEditView {
public:
    // Bordered, multi-line, vertical scroll bar only, no word wrap, selection kept visible.
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE |
                                    ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL;

    // The most of one message the pane shows: an edit control holding megabytes is neither
    // readable nor cheap, and a server may send that much.
    static constexpr std::size_t kMaxShownBytes = 64 * 1024;

    // The edit control of CEditView, with its style replaced by kStyle.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // The pane's whole text becomes the time stamp and the message's first kMaxShownBytes.
    void ShowMessage(std::string_view message);
};

static_assert(CSendView::kStyle == 1352663492);
