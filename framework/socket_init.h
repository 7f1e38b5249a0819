// Windows Sockets for the whole program: started once at start-up, ended at exit.
#pragma once

#include <windows.h>

// Starts Windows Sockets 1.1; FALSE when the system refuses.
BOOL AfxSocketInit();
// Lets the sockets still finishing end (bounded), then ends what AfxSocketInit started;
// nothing when it was not started. CWinApp::ExitInstance calls it.
void AfxSocketTerm();
