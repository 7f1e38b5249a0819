// The session document: the program's one document.
#pragma once

#include "framework/document.h"

class CChatDoc : public CDocument {};
