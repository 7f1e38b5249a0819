// What a frame needs to create its views: the document they show and the class of the view.
#pragma once

#include "framework/factory.h"

class CDocument;
class CView;

struct CCreateContext {
    CDocument* m_pCurrentDoc = nullptr;
    Factory<CView> m_pNewViewClass = nullptr;
};
