#include "framework/static.h"

const MessageMap CStatic::messageMap{&CWnd::messageMap, {}};
