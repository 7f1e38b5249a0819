// A document: the program's data, shown by one or more views.
#pragma once

#include "framework/cmd_target.h"

#include <string>
#include <vector>

class CView;

class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    ~CDocument() override; // views still attached lose their document

    // A fresh, empty document. The program never opens or saves a file, so there is no path
    // or modified flag to reset: this empties the contents.
    virtual BOOL OnNewDocument();
    // Empties the document; called for a new document and when it closes.
    virtual void DeleteContents();
    // The document is closing with the main window.
    virtual void OnCloseDocument();

    // The views in the order they were created.
    const std::vector<CView*>& GetViews() const { return m_viewList; }
    void AddView(CView* pView);
    void RemoveView(CView* pView);

    const std::string& GetTitle() const { return m_strTitle; }
    // Sets the title and lets the frames of the views show it.
    void SetTitle(const std::string& title);

private:
    std::vector<CView*> m_viewList;
    std::string m_strTitle;
};
