// The view the document template names: the upper pane of the main frame.
#pragma once

#include "framework/view.h"

class CChatView : public CView {};
