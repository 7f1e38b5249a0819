// The single-document template: the one kind of document, with the frame and the view class
// that show it, and the resource number of the frame's caption, menu, icon and accelerators.
#pragma once

#include "framework/factory.h"

#include <windows.h>

#include <memory>

class CDocument;
class CFrameWnd;
class CView;

class CSingleDocTemplate {
public:
    CSingleDocTemplate(UINT nIDResource, Factory<CDocument> newDocument,
                       Factory<CFrameWnd> newFrame, Factory<CView> newView);
    ~CSingleDocTemplate(); // deletes the document

    // The new-document command. The first time it creates the document, then the frame with
    // its views, then asks the document's OnNewDocument: on FALSE the frame is destroyed and
    // the document deleted; otherwise the frame becomes the main window (when there is none),
    // the views get their initial update and the frame is shown. Later calls keep the
    // document and the frame and run OnNewDocument again. Returns the document, or null.
    CDocument* OpenNewDocument();
    // Closes the document (its contents go); the object stays until the template goes.
    void CloseAllDocuments();

    CDocument* GetDocument() const { return m_pOnlyDoc.get(); }

private:
    void SetDefaultTitle(CDocument& doc) const;

    UINT m_nIDResource;
    Factory<CDocument> m_newDocument;
    Factory<CFrameWnd> m_newFrame;
    Factory<CView> m_newView;
    std::unique_ptr<CDocument> m_pOnlyDoc;
};
