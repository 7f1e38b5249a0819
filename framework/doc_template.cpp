#include "framework/doc_template.h"

#include "framework/create_context.h"
#include "framework/document.h"
#include "framework/frame_wnd.h"
#include "framework/resource_string.h"
#include "framework/view.h"
#include "framework/win_app.h"

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, Factory<CDocument> newDocument,
                                       Factory<CFrameWnd> newFrame, Factory<CView> newView)
    : m_nIDResource(nIDResource), m_newDocument(newDocument), m_newFrame(newFrame),
      m_newView(newView) {}

CSingleDocTemplate::~CSingleDocTemplate() = default;

void CSingleDocTemplate::SetDefaultTitle(CDocument& doc) const {
    std::string title = AfxExtractSubString(AfxLoadString(m_nIDResource), 1);
    doc.SetTitle(title.empty() ? "Untitled" : title);
}

CDocument* CSingleDocTemplate::OpenNewDocument() {
    if (m_pOnlyDoc) {
        SetDefaultTitle(*m_pOnlyDoc);
        return m_pOnlyDoc->OnNewDocument() ? m_pOnlyDoc.get() : nullptr;
    }

    std::unique_ptr<CDocument> doc(m_newDocument());
    CFrameWnd* frame = m_newFrame();
    CCreateContext context{doc.get(), m_newView};
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        delete frame;
        return nullptr;
    }
    frame->m_bAutoDelete = true;

    SetDefaultTitle(*doc);
    if (!doc->OnNewDocument()) {
        frame->DestroyWindow();
        return nullptr;
    }
    m_pOnlyDoc = std::move(doc);
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == nullptr)
        app->m_pMainWnd = frame;
    frame->InitialUpdateFrame(m_pOnlyDoc.get(), TRUE);
    return m_pOnlyDoc.get();
}

void CSingleDocTemplate::CloseAllDocuments() {
    if (m_pOnlyDoc)
        m_pOnlyDoc->OnCloseDocument();
}
