// Times the catalogue under Wine on a generated "apps" tree beside this program: 10,000
// connection files of about 2 KB in 100 folders, the key line near the end of each.
//   (a) the catalogue load (walk, read, convert)
//   (b) a baseline that only opens and reads every file's bytes
//   (c) the chunked text-mode reading the catalogue replaced
// Then the list with 100,000 applications: filling it against setting the item count of a
// bare virtual list, the slowest keystroke of a search against a plain scan of the names, and
// the process's private memory against the same process before the catalogue; and a start
// with 1,000 applications with and without icon files. Prints one line per figure.
#include "bench/part_reader.h"
#include "catalogue/chat_view.h"
#include "catalogue/file_scanner.h"
#include "framework/text_convert.h"
#include "framework/wide_path.h"
#include "tests/support/icon_bytes.h"

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <list>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
constexpr int kFillItems = 100000;
constexpr int kStartItems = 1000;
constexpr int kRuns = 5;
constexpr int kFillRuns = 31;

std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string Utf16(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (char c : text) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

// About 2 KB, as the remote desktop client writes them: many settings, the name near the end.
std::string ConnectionFile(int folder, int file) {
    std::string text;
    for (int i = 0; text.size() < 900; ++i)
        text += "setting number " + std::to_string(i) + ":i:" + std::to_string(i * 7) + "\r\n";
    text += "remoteapplicationname:s:Application " + std::to_string(folder) + "." +
            std::to_string(file) + "\r\nremoteapplicationmode:i:1\r\n";
    return Utf16(text);
}

void MakeTree(const std::string& apps) {
    if (std::filesystem::exists(apps + "\\ready"))
        return;
    for (int f = 0; f < kFolders; ++f) {
        const std::string folder = apps + "\\folder" + std::to_string(f);
        std::filesystem::create_directories(folder);
        for (int i = 0; i < kFilesPerFolder; ++i) {
            const std::string bytes = ConnectionFile(f, i);
            FILE* out = std::fopen((folder + "\\app" + std::to_string(i) + ".rdp").c_str(), "wb");
            if (out != nullptr) {
                std::fwrite(bytes.data(), 1, bytes.size(), out);
                std::fclose(out);
            }
        }
    }
    std::fclose(std::fopen((apps + "\\ready").c_str(), "wb"));
}

// The median of kRuns runs, in milliseconds.
double Median(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::size_t ReadWhole(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    char buffer[16384];
    DWORD got = 0;
    std::size_t total = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        total += got;
    CloseHandle(file);
    return total;
}

double MiddleOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The list view of the program, shown in a window of its own, without the start-up work of
// the real window (catalogue, timers): each figure fills it itself.
struct ShownList {
    ShownList() {
        parent.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                        nullptr);
        view = new CChatView;
        view->CListViewEx::Create(nullptr, "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 800, 600}, &parent,
                                  1, nullptr);
        view->m_bAutoDelete = true;
        view->OnInitialUpdate();
    }
    ~ShownList() { parent.DestroyWindow(); }
    void Paint() const { UpdateWindow(view->m_hWnd); }
    CWnd parent;
    CChatView* view = nullptr;
};

void PumpMessages() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double Millis(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Entries as a large catalogue has them: a path in a subfolder, a name of about 20 characters.
void MakeCatalogue(int items) {
    g_remoteApps.clear();
    g_remoteApps.reserve(static_cast<std::size_t>(items));
    for (int i = 0; i < items; ++i) {
        RemoteAppItem item;
        item.m_strPath = "C:\\Program Files\\Skiffdesk\\apps\\folder" + std::to_string(i / 1000) +
                         "\\application" + std::to_string(i) + ".rdp";
        item.m_strName = "Application " + std::to_string(i / 100) + "." + std::to_string(i % 100);
        item.m_widePath = std::wstring(item.m_strPath.begin(), item.m_strPath.end());
        item.m_nIndex = i;
        g_remoteApps.push_back(std::move(item));
    }
}

struct Figures {
    double fill = 0, bareFill = 0, slowestKey = 0, middleKey = 0, scan = 0, repaint = 0;
    double privateMiB = 0, basePrivateMiB = 0;
};

// The memory committed to the process (its private bytes).
double PrivateMiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return static_cast<double>(counters.PagefileUsage) / (1024.0 * 1024.0);
}

// A list-view control with nothing of the program's, shown like the program's list (details,
// owner data, owner-drawn rows, one column): only its item count is set.
struct BareList {
    BareList() {
        parent.CreateEx(0, nullptr, "bare", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                        nullptr);
        hWnd =
            CreateWindowExA(0, WC_LISTVIEWA, "",
                            WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED,
                            0, 0, 800, 600, parent.m_hWnd, nullptr, nullptr, nullptr);
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 280;
        column.pszText = const_cast<char*>("Remote App Name");
        SendMessageA(hWnd, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        UpdateWindow(hWnd);
    }
    ~BareList() { parent.DestroyWindow(); }
    void SetCount(int items) const {
        SendMessageA(hWnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(items), 0);
    }
    CWnd parent;
    HWND hWnd = nullptr;
};

// The list with items applications: filled, searched key by key, and its memory.
Figures ListFigures(int items) {
    Figures f;
    g_remoteApps.clear();
    ShownList shown;
    shown.Paint();
    f.basePrivateMiB = PrivateMiB();
    MakeCatalogue(items);
    std::vector<double> fills;
    std::vector<double> bareFills;
    const BareList bare;
    // Taken in turn, many times: each is a few milliseconds on a machine shared with others.
    for (int run = 0; run < kFillRuns; ++run) {
        shown.view->SendMessage(LVM_SETITEMCOUNT, 0);
        auto start = std::chrono::steady_clock::now();
        shown.view->FillList();
        fills.push_back(Millis(start));
        bare.SetCount(0);
        start = std::chrono::steady_clock::now();
        bare.SetCount(items);
        bareFills.push_back(Millis(start));
    }
    f.fill = MiddleOf(fills);
    f.bareFill = MiddleOf(bareFills);
    shown.Paint();
    f.privateMiB = PrivateMiB();
    // Typed key by key, then deleted key by key back to the whole list.
    const std::string typed = "application 77.4";
    std::vector<std::string> steps;
    for (std::size_t n = 1; n <= typed.size(); ++n)
        steps.push_back(typed.substr(0, n));
    for (std::size_t n = typed.size(); n-- > 0;)
        steps.push_back(typed.substr(0, n));
    std::vector<double> keys;
    for (const std::string& text : steps) {
        const auto start = std::chrono::steady_clock::now();
        shown.view->SetFindText(text);
        shown.Paint();
        keys.push_back(Millis(start));
    }
    f.slowestKey = *std::max_element(keys.begin(), keys.end());
    f.middleKey = MiddleOf(keys);
    // What every keystroke pays whatever it finds: the rows shown drawn anew.
    f.repaint = Median([&] {
        InvalidateRect(shown.view->m_hWnd, nullptr, TRUE);
        shown.Paint();
    });
    std::size_t found = 0;
    f.scan = Median([&] {
        found = 0;
        for (const RemoteAppItem& app : g_remoteApps)
            found += app.m_strName.find("pplication 77.4") != std::string::npos ? 1 : 0;
    });
    return f;
}

// An icon file of 16, 32 and 48 pixel images.
std::string IconFileBytes() {
    return support::IconFileBytes({16, 32, 48}, [](std::uint32_t p) { return 0xFF2080C0u + p % 64; });
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
}

// 1,000 connection files in folder, each with an icon file beside it when withIcons.
std::string MakeStartFolder(const std::string& folder, bool withIcons) {
    if (!std::filesystem::exists(folder + "\\ready")) {
        std::filesystem::create_directories(folder);
        const std::string icon = IconFileBytes();
        for (int i = 0; i < kStartItems; ++i) {
            const std::string base = folder + "\\app" + std::to_string(i);
            WriteBytes(base + ".rdp", ConnectionFile(0, i));
            if (withIcons)
                WriteBytes(base + ".ico", icon);
        }
        WriteBytes(folder + "\\ready", "");
    }
    return folder;
}

struct StartFigures {
    double shown = 0;   // catalogue read, list filled and painted
    double iconsIn = 0; // and the icons of the rows shown read and painted
    int icons = 0;      // pictures in the list's small image list, the globe included
};

// One start of the list on folder: the walk and reading of its files, the fill, the first
// paint; then the icons read after it.
struct StartRun {
    double shown = 0;
    double iconsIn = 0;
    int icons = 0;
};

StartRun StartOnce(const std::string& folder) {
    StartRun run;
    g_remoteApps.clear();
    const auto start = std::chrono::steady_clock::now();
    ShownList list;
    std::list<std::wstring> paths;
    CFileScanner scanner;
    scanner.Scan(AnsiToWide(folder), &paths);
    for (const std::wstring& path : paths) {
        RemoteAppItem item;
        if (list.view->MakeAppItem(path, item))
            g_remoteApps.push_back(std::move(item));
    }
    list.view->FillList();
    list.Paint();
    run.shown = Millis(start);
    PumpMessages();
    list.Paint();
    run.iconsIn = Millis(start);
    run.icons = list.view->m_imageSmall.GetImageCount();
    return run;
}

// Starts on the folder without icons and on the one with them, taken in turn.
std::pair<StartFigures, StartFigures> StartTimes(const std::string& plainFolder,
                                                 const std::string& iconFolder) {
    std::vector<double> shown[2];
    std::vector<double> iconsIn[2];
    int icons[2] = {0, 0};
    for (int run = 0; run < 2 * kRuns; ++run) {
        const int side = run % 2;
        const StartRun once = StartOnce(side == 0 ? plainFolder : iconFolder);
        shown[side].push_back(once.shown);
        iconsIn[side].push_back(once.iconsIn);
        icons[side] = once.icons;
    }
    return {{MiddleOf(shown[0]), MiddleOf(iconsIn[0]), icons[0]},
            {MiddleOf(shown[1]), MiddleOf(iconsIn[1]), icons[1]}};
}

} // namespace

int main(int argc, char** argv) {
    // "list [items]" times only the list's figures.
    if (argc > 1 && std::string(argv[1]) == "list") {
        const int items = argc > 2 ? std::atoi(argv[2]) : kFillItems;
        const Figures f = ListFigures(items);
        std::printf("fill %d items: %.2f ms (bare virtual list %.2f ms)\n", items, f.fill,
                    f.bareFill);
        std::printf("keystrokes: slowest %.1f ms, median %.1f ms (repaint %.1f ms, plain scan "
                    "%.1f ms)\n",
                    f.slowestKey, f.middleKey, f.repaint, f.scan);
        std::printf("committed: %.1f MiB (%.1f MiB before)\n", f.privateMiB, f.basePrivateMiB);
        return 0;
    }
    const std::string apps = ProgramFolder() + "apps";
    MakeTree(apps);
    std::list<std::wstring> paths;
    CFileScanner([](const std::string& text) {
        std::printf("%s\n", text.c_str());
    }).Scan(AnsiToWide(apps), &paths);

    std::size_t loaded = 0;
    const double a = Median([&] {
        g_remoteApps.clear();
        CChatView view;
        view.LoadCatalogue();
        loaded = g_remoteApps.size();
    });
    std::size_t bytes = 0;
    const double b = Median([&] {
        bytes = 0;
        for (const std::wstring& path : paths)
            bytes += ReadWhole(path);
    });
    std::size_t named = 0;
    const double c = Median([&] {
        named = 0;
        std::string name;
        for (const std::wstring& path : paths)
            named += ReadAppNameByChunks(PathForDisplay(path), name) ? 1 : 0;
    });
    const auto [plain, icons] = StartTimes(MakeStartFolder(ProgramFolder() + "start-plain", false),
                                           MakeStartFolder(ProgramFolder() + "start-icons", true));
    const Figures list = ListFigures(kFillItems);

    std::printf("files: %zu in %d folders, %zu bytes, %zu names loaded, %zu read by chunks\n",
                paths.size(), kFolders, bytes, loaded, named);
    std::printf("(a) catalogue load: %.1f ms\n", a);
    std::printf("(b) baseline open and read: %.1f ms\n", b);
    std::printf("(c) chunked text-mode reading: %.1f ms\n", c);
    std::printf("a/b: %.2f\n", a / b);
    std::printf("c/a: %.2f\n", c / a);
    std::printf("fill %d items: %.2f ms; bare virtual list: %.2f ms; ratio %.2f\n", kFillItems,
                list.fill, list.bareFill, list.fill / list.bareFill);
    std::printf("keystrokes of a search over %d names: slowest %.1f ms, median %.1f ms; a repaint "
                "of the rows shown: %.1f ms; plain scan of the names: %.1f ms\n",
                kFillItems, list.slowestKey, list.middleKey, list.repaint, list.scan);
    std::printf("committed memory with %d applications: %.1f MiB; without: %.1f MiB\n", kFillItems,
                list.privateMiB, list.basePrivateMiB);
    std::printf("start with %d applications, shown: %.1f ms without icons, %.1f ms with; "
                "ratio %.2f\n",
                kStartItems, plain.shown, icons.shown, icons.shown / plain.shown);
    std::printf("start with %d applications, icons in: %.1f ms (%d pictures)\n", kStartItems,
                icons.iconsIn, icons.icons);
    return loaded == paths.size() && named == paths.size() ? 0 : 1;
}
