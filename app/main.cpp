// The one application object; the framework's WinMain runs it.
#include "app/chat_app.h"

CChatApp theApp;
