// The application object: one per program, constructed as a global before WinMain. It holds
// the program's names and command line, runs the message loop, keeps the document template
// and reads and writes the settings in the registry.
#pragma once

#include "framework/cmd_target.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class CSingleDocTemplate;
class CWnd;

class CWinApp : public CCmdTarget {
public:
    CWinApp();           // becomes the object AfxGetApp returns
    ~CWinApp() override; // deletes the template, and so the document

    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    // Takes the process's instance, command line (the text after the program's name) and
    // show state; the executable's name from the module path; the application's name from
    // string AFX_IDS_APP_TITLE (the executable's name when there is none).
    void InitApplication(HINSTANCE hInstance, const char* lpCmdLine, int nCmdShow);
    // The program's start; FALSE ends it without a message loop.
    virtual BOOL InitInstance();
    // The message loop, until WM_QUIT; returns ExitInstance's result, the exit code.
    virtual int Run();
    // Runs when the queue is empty; lCount counts calls since the last message. TRUE asks
    // for another call before the loop waits.
    virtual BOOL OnIdle(LONG lCount);
    // Saves the standard settings, ends Windows Sockets; returns the exit code.
    virtual int ExitInstance();
    // Key messages for the main window become its accelerators' commands; TRUE when taken.
    virtual BOOL PreTranslateMessage(MSG& msg);

    // Settings under HKEY_CURRENT_USER\Software\<company>\<application name>\<section>.
    // Until SetRegistryKey is called, reads give the default and writes fail.
    void SetRegistryKey(const char* lpszCompany);
    UINT GetProfileInt(const char* lpszSection, const char* lpszEntry, int nDefault) const;
    BOOL WriteProfileInt(const char* lpszSection, const char* lpszEntry, int nValue);
    std::string GetProfileString(const char* lpszSection, const char* lpszEntry,
                                 const char* lpszDefault = "") const;
    BOOL WriteProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszValue);
    // The same value as UTF-16, for a path that may hold characters the ANSI code page lacks.
    std::wstring GetProfileStringW(const char* lpszSection, const char* lpszEntry,
                                   const std::wstring& fallback) const;
    // Reads the recent-file list (nMaxMRU entries) and the print preview page count; they
    // are written back at exit.
    void LoadStdProfileSettings(UINT nMaxMRU);

    // The program's one document type.
    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> pTemplate);
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    // Closes the document (the main window is closing).
    void CloseAllDocuments();

    // Command handlers the program's table may name.
    void OnFileNew(); // ID_FILE_NEW: a new document through the template
    void OnAppExit(); // ID_APP_EXIT: closes the main window as if the user had

    HINSTANCE m_hInstance = nullptr; // the module whose resources the program loads
    std::string m_lpCmdLine;         // the text after the program's name
    int m_nCmdShow = SW_SHOWNORMAL;
    std::string m_strAppName;
    std::string m_strExeName; // without folder and extension
    CWnd* m_pMainWnd = nullptr;
    int m_nExitCode = 0; // WM_QUIT's code once the loop has ended

    std::vector<std::string> m_recentFiles; // entry i is value "File<i+1>"
    int m_nNumPreviewPages = 0;

private:
    void SaveStdProfileSettings();
    std::string SectionKey(const char* lpszSection) const;

    static const MessageEntry messageEntries[];
    std::string m_strRegistryKey;
    bool m_bStdProfileLoaded = false;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
};

CWinApp* AfxGetApp();
// The module that holds the program's resources: the application's, or this executable.
HINSTANCE AfxGetInstanceHandle();
// The application's title: box captions; "" when there is no application object.
std::string AfxGetAppName();
