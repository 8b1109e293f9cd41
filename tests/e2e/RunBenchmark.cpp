// What discovery and a whole run cost over catalogues of growing size, through the real window:
// time to the shown main window (start-up with discovery), time from "&Importar" to the message box,
// the slowest answer of the windows while the run goes on, and the peak memory. Prints a Markdown
// table; not a test: run it by hand (see docs/benchmarks.md).
#include "Input.h"
#include "MainWindow.h"
#include "Workstation.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <psapi.h>
#include <string>

namespace {

using namespace zt::e2e;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// How long the window takes to answer a message now, in milliseconds.
double AnswerTime(HWND window) {
    const auto start = Clock::now();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60'000, &ignored);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string Catalogue(std::size_t aliases) {
    std::string text = Alias("Zentor7", "MSSQL", {"SERVER NAME=SRV", "DATABASE NAME=DB"});
    for (std::size_t i = 1; i < aliases; ++i) {
        std::string name = "ALIAS";
        name += std::to_string(i);
        text += Alias(name.c_str(), "MSSQL", {"SERVER NAME=SRVDATOS\\PRODUCCION", "DATABASE NAME=Nomina"});
    }
    return text;
}

void Measure(std::size_t aliases) {
    Workstation station(Catalogue(aliases));
    CreateDirectoryW(L"C:\\zentor", nullptr);
    CreateDirectoryW(kOutputFolder.c_str(), nullptr);

    const auto launched = Clock::now();
    RunningApp app(station.Exe(), station.Folder(), std::chrono::minutes(10));
    const double discovery = Seconds(Clock::now() - launched);
    const std::size_t listed = ListBoxItems(AliasList(app.Window())).size();

    const auto clicked = Clock::now();
    ClickButton(FindDescendant(app.Window(), L"Button", L"&Importar"));
    double slowestMain = 0;
    double slowestDialog = 0;
    HWND box = nullptr;
    while (box == nullptr && Clock::now() - clicked < std::chrono::minutes(30)) {
        slowestMain = std::max(slowestMain, AnswerTime(app.Window()));
        for (HWND dialog : TopWindows(app.GetProcess().Id(), L"TFrmInfoP50"))
            slowestDialog = std::max(slowestDialog, AnswerTime(dialog));
        const std::vector<HWND> boxes = MessageBoxes(app.GetProcess().Id());
        box = boxes.empty() ? nullptr : boxes.front();
        if (box == nullptr)
            Sleep(100);
    }
    const double run = Seconds(Clock::now() - clicked);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(app.GetProcess().Handle(), &memory, sizeof memory);
    if (box != nullptr)
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    app.Close(std::chrono::minutes(2));

    std::printf("| %zu | %zu | %.2f | %.2f | %.1f | %.0f | %.0f | %.1f |\n", aliases, listed, discovery, run,
                run * 1e6 / static_cast<double>(aliases), slowestMain, slowestDialog,
                static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
    std::fflush(stdout);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::size_t> sizes = {1'000, 10'000, 32'768};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i)
            sizes.push_back(static_cast<std::size_t>(std::stoul(argv[i])));
    }
    std::printf(
        "| Aliases | Listed | Start-up with discovery (s) | Run to the message box (s) | Run per alias (us) "
        "| Slowest answer, main window (ms) | Slowest answer, dialog (ms) | Peak working set (MiB) |\n"
        "|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    try {
        for (const std::size_t aliases : sizes)
            Measure(aliases);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "RunBenchmark: %s\n", e.what());
        return 1;
    }
    return 0;
}
