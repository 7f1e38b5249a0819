// The catalogue's folder walk: breadth first from a root folder, each folder's entries in
// name order, collecting the paths of connection files. A folder reached a second time (a
// link or junction back up the tree) is not listed again, so the walk always ends.
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
    BOOL Scan(std::string folder, std::list<std::string>* result);
    // Lists the folder at the head of the queue, then drops it from the queue.
    BOOL ScanNextDir();
    static BOOL IsWantedFile(const std::string& path);
    static std::string WithBackslash(const std::string& path);

private:
    // Volume serial number and file index: the same folder by whatever path it is reached.
    using FolderId = std::tuple<unsigned long, unsigned long, unsigned long>;
    // FALSE when the folder was seen before.
    bool FirstVisit(const std::string& dir);

    std::string m_strRoot;
    std::list<std::string> m_dirQueue;
    std::list<std::string>* m_pResult = nullptr;
    std::set<FolderId> m_visited;
    Report m_report;
};
