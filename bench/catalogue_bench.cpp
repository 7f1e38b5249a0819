// Times the catalogue under Wine on a generated "apps" tree beside this program: 10,000
// connection files of about 2 KB in 100 folders, the key line near the end of each.
//   (a) the catalogue load (walk, read, convert)
//   (b) a baseline that only opens and reads every file's bytes
//   (c) the chunked text-mode reading the catalogue replaced
// and the time to fill the list with 100,000 items. Prints one line per figure.
#include "bench/part_reader.h"
#include "catalogue/chat_view.h"
#include "catalogue/file_scanner.h"
#include "framework/text_convert.h"
#include "framework/wide_path.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <list>
#include <string>
#include <vector>

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
constexpr int kFillItems = 100000;
constexpr int kRuns = 5;

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

double FillTime(int items = kFillItems) {
    CWnd parent;
    parent.CreateEx(0, nullptr, "bench", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr);
    auto* view = new CChatView;
    view->Create(nullptr, "", WS_VISIBLE, RECT{0, 0, 400, 300}, &parent, 1, nullptr);
    view->m_bAutoDelete = true;
    view->SendMessage(LVM_DELETEALLITEMS);
    g_remoteApps.assign(static_cast<std::size_t>(items),
                        RemoteAppItem{"C:\\apps\\x.rdp", "Application", 0});
    const auto start = std::chrono::steady_clock::now();
    view->FillList();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    parent.DestroyWindow();
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    // "fill [items]" times only the list fill.
    if (argc > 1 && std::string(argv[1]) == "fill") {
        const int items = argc > 2 ? std::atoi(argv[2]) : kFillItems;
        std::printf("fill %d items: %.1f ms\n", items, FillTime(items));
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
    const double fill = FillTime();

    std::printf("files: %zu in %d folders, %zu bytes, %zu names loaded, %zu read by chunks\n",
                paths.size(), kFolders, bytes, loaded, named);
    std::printf("(a) catalogue load: %.1f ms\n", a);
    std::printf("(b) baseline open and read: %.1f ms\n", b);
    std::printf("(c) chunked text-mode reading: %.1f ms\n", c);
    std::printf("a/b: %.2f\n", a / b);
    std::printf("c/a: %.2f\n", c / a);
    std::printf("fill %d items: %.1f ms\n", kFillItems, fill);
    return loaded == paths.size() && named == paths.size() ? 0 : 1;
}
