// The catalogue's folder walk: breadth first from a root folder, each folder's entries in
// name order, collecting the paths of connection files. Only folders inside the root's tree
// are walked, each once: a link leading out of the tree (to a drive's root, another user's
// folder, a network path) is not followed, and a link back up the tree is not listed again,
// so the walk always ends.
#pragma once

#include <windows.h>

#include <functional>
#include <list>
#include <set>
#include <string>
#include <tuple>

class CFileScanner {
public:
    // Where the walk's messages go; by default application message boxes.
    using Report = std::function<void(const std::string& text)>;

    CFileScanner();
    explicit CFileScanner(Report report);
    virtual ~CFileScanner() = default;

    // Walks folder, appending the connection files found to *result (the caller's). FALSE
    // when the folder is missing or is not a folder; the user has then been told.
    BOOL Scan(std::wstring folder, std::list<std::wstring>* result);
    // Lists the folder at the head of the queue, then drops it from the queue.
    BOOL ScanNextDir();
    static BOOL IsWantedFile(const std::wstring& path);
    static std::wstring WithBackslash(const std::wstring& path);

private:
    // A folder by whatever path it is reached: the volume's serial number, the file id and
    // the path the system resolves it to. File ids are not unique on every file system, so
    // two folders are one only when the resolved paths agree as well.
    using FolderId =
        std::tuple<unsigned long long, unsigned long long, unsigned long long, std::wstring>;
    struct Folder {
        bool known = false;    // FALSE when the system could not tell the folder's identity
        bool resolved = false; // the path in id is the system's, not the walk's
        FolderId id;
    };
    static Folder Identify(const std::wstring& dir);
    // Whether a subfolder is to be listed: inside the tree and not seen before.
    bool ShouldWalk(const std::wstring& dir);

    std::wstring m_strRoot;
    std::wstring m_resolvedRoot; // the root as the system resolves it
    std::list<std::wstring> m_dirQueue;
    std::list<std::wstring>* m_pResult = nullptr;
    std::set<FolderId> m_visited;
    Report m_report;
};
