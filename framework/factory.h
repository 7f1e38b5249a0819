// How the framework makes the objects a template or a splitter creates by their class: a
// function that returns a new object of the class, typed as its framework base.
//
//   CSingleDocTemplate(IDR_MAINFRAME, NewObject<CDocument, CChatDoc>,
//                      NewObject<CFrameWnd, CMainFrame>, NewObject<CView, CChatView>)
#pragma once

template <class Base> using Factory = Base* (*)();

template <class Base, class Derived> Base* NewObject() {
    return new Derived;
}
