// What discovery and a whole run cost over catalogues of growing size, through the real window:
// time to the shown main window (start-up with discovery), time from "&Importar" to the message box,
// the slowest answer of the windows while the run goes on, and the peak memory. Beside each size it
// runs the floor (bareloop.exe, the bare window work of a run and of filling the list), and prints
// the cost per alias of both as slopes between two sizes, so that Wine's fixed waits cancel out.
// Prints Markdown tables; not a test: run it by hand (see docs/benchmarks.md).
#include "Input.h"
#include "MainWindow.h"
#include "Workstation.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <psapi.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace zt::e2e;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// How long the window takes to answer a message now, in milliseconds; 0 when it is destroyed before
// it answers (the dialog at the end of a run: under Wine without a window manager its destruction
// waits up to 2 s, and a message sent in that moment is never answered, only dropped with the window).
double AnswerTime(HWND window) {
    const auto start = Clock::now();
    DWORD_PTR ignored = 0;
    const LRESULT answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60'000, &ignored);
    const double waited = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return answered != 0 || IsWindow(window) ? waited : 0.0;
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

struct UtilityResult {
    std::size_t listed = 0;
    double discovery = 0; // s
    double run = 0;       // s
    double slowestMain = 0;
    double slowestDialog = 0;
    double peakMiB = 0;
};

UtilityResult MeasureUtility(std::size_t aliases) {
    Workstation station(Catalogue(aliases));
    CreateDirectoryW(L"C:\\zentor", nullptr);
    CreateDirectoryW(kOutputFolder.c_str(), nullptr);

    UtilityResult result;
    const auto launched = Clock::now();
    RunningApp app(station.Exe(), station.Folder(), std::chrono::minutes(10));
    result.discovery = Seconds(Clock::now() - launched);
    result.listed = ListBoxItems(AliasList(app.Window())).size();

    const auto clicked = Clock::now();
    ClickButton(FindDescendant(app.Window(), L"Button", L"&Importar"));
    HWND box = nullptr;
    while (box == nullptr && Clock::now() - clicked < std::chrono::minutes(30)) {
        result.slowestMain = std::max(result.slowestMain, AnswerTime(app.Window()));
        // The dialog is asked once shown: before, it is still being built, hidden, and the main
        // window's answer covers that moment.
        for (HWND dialog : TopWindows(app.GetProcess().Id(), L"TFrmInfoP50"))
            if (IsWindowVisible(dialog))
                result.slowestDialog = std::max(result.slowestDialog, AnswerTime(dialog));
        const std::vector<HWND> boxes = MessageBoxes(app.GetProcess().Id());
        box = boxes.empty() ? nullptr : boxes.front();
        if (box == nullptr)
            Sleep(100);
    }
    result.run = Seconds(Clock::now() - clicked);
    if (box == nullptr)
        throw std::runtime_error("no message box after a run of " + std::to_string(aliases) + " aliases");
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(app.GetProcess().Handle(), &memory, sizeof memory);
    result.peakMiB = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    app.Close(std::chrono::minutes(2));
    return result;
}

// Runs the floor program in a folder of its own (it writes its file there) and returns what it printed.
std::string RunFloorProgram(const std::wstring& mode, std::size_t items) {
    const std::filesystem::path exe = zt::test::ExecutableFolder() / L"bareloop.exe";
    if (!std::filesystem::exists(exe))
        throw std::runtime_error("bareloop.exe is not built: ../shared/tools/bareloop.cpp was not found");
    const zt::test::ScratchFolder folder;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        throw std::runtime_error("no pipe for the floor's output");
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::wstring command = L"\"" + exe.wstring() + L"\" " + mode + L" " + std::to_wstring(items);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        folder.Path().c_str(), &startup, &process);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        throw std::runtime_error("bareloop.exe did not start");
    }
    std::string output;
    char buffer[512];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
        output.append(buffer, read);
    CloseHandle(readEnd);
    WaitForSingleObject(process.hProcess, 10 * 60 * 1000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return output;
}

// The number that follows `label` in the floor's output.
double FloorNumber(const std::string& output, const std::string& label) {
    const std::size_t at = output.find(label);
    if (at == std::string::npos)
        throw std::runtime_error("the floor printed no \"" + label + "\": " + output);
    return std::strtod(output.c_str() + at + label.size(), nullptr);
}

struct FloorResult {
    double run = 0;  // s, the dialog shown to destroyed
    double list = 0; // s, the list filled and shown
};

FloorResult MeasureFloor(std::size_t items) {
    const std::string run = RunFloorProgram(L"run", items);
    const std::string list = RunFloorProgram(L"list", items);
    return {FloorNumber(run, "items: ") / 1000.0,
            FloorNumber(list, "list " + std::to_string(items) + ": ") / 1000.0};
}

struct SizeResult {
    std::size_t aliases = 0;
    UtilityResult utility;
    FloorResult floor;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Each measure is the median of its repetitions; the utility and the floor take turns, so that both
// see the same load of the machine.
SizeResult Measure(std::size_t aliases, int repetitions) {
    std::vector<UtilityResult> utility;
    std::vector<FloorResult> floor;
    for (int i = 0; i < repetitions; ++i) {
        utility.push_back(MeasureUtility(aliases));
        floor.push_back(MeasureFloor(aliases));
    }
    auto median = [](const auto& results, auto field) {
        std::vector<double> values;
        for (const auto& result : results)
            values.push_back(result.*field);
        return Median(values);
    };
    SizeResult result{aliases, utility.front(), {}};
    result.utility.discovery = median(utility, &UtilityResult::discovery);
    result.utility.run = median(utility, &UtilityResult::run);
    for (const UtilityResult& each : utility) {
        result.utility.slowestMain = std::max(result.utility.slowestMain, each.slowestMain);
        result.utility.slowestDialog = std::max(result.utility.slowestDialog, each.slowestDialog);
        result.utility.peakMiB = std::max(result.utility.peakMiB, each.peakMiB);
        result.utility.listed = std::min(result.utility.listed, each.listed);
    }
    result.floor.run = median(floor, &FloorResult::run);
    result.floor.list = median(floor, &FloorResult::list);
    std::printf("| %zu | %zu | %.2f | %.2f | %.2f | %.2f | %.0f | %.0f | %.1f |\n", aliases,
                result.utility.listed, result.utility.discovery, result.floor.list, result.utility.run,
                result.floor.run, result.utility.slowestMain, result.utility.slowestDialog,
                result.utility.peakMiB);
    std::fflush(stdout);
    return result;
}

// Microseconds per alias between two sizes.
double Slope(double secondsSmall, double secondsLarge, std::size_t small, std::size_t large) {
    return (secondsLarge - secondsSmall) * 1e6 / static_cast<double>(large - small);
}

void PrintSlopes(const std::vector<SizeResult>& results) {
    std::printf(
        "\n| From | To | Run per alias (us) | Floor (us) | Ratio | Discovery per alias (us) | Floor (us) "
        "| Ratio |\n|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    const SizeResult& from = results.front();
    for (std::size_t i = 1; i < results.size(); ++i) {
        const SizeResult& to = results[i];
        const double run = Slope(from.utility.run, to.utility.run, from.aliases, to.aliases);
        const double floorRun = Slope(from.floor.run, to.floor.run, from.aliases, to.aliases);
        const double discovery =
            Slope(from.utility.discovery, to.utility.discovery, from.aliases, to.aliases);
        const double floorList = Slope(from.floor.list, to.floor.list, from.aliases, to.aliases);
        std::printf("| %zu | %zu | %.0f | %.0f | %.2f | %.0f | %.0f | %.2f |\n", from.aliases, to.aliases,
                    run, floorRun, run / floorRun, discovery, floorList, discovery / floorList);
    }
    std::fflush(stdout);
}

std::optional<int> Repetitions(const std::wstring& argument) {
    const std::wstring prefix = L"--repeat=";
    if (!argument.starts_with(prefix))
        return std::nullopt;
    return std::max(1, std::stoi(argument.substr(prefix.size())));
}

} // namespace

// ZtRunBenchmark [--repeat=R] [SIZE...]: sizes ascending, the first one is where every slope starts.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::size_t> sizes;
    int repetitions = 1;
    for (int i = 1; i < argc; ++i) {
        if (const std::optional<int> r = Repetitions(argv[i]))
            repetitions = *r;
        else
            sizes.push_back(static_cast<std::size_t>(std::stoul(argv[i])));
    }
    if (sizes.empty())
        sizes = {1'000, 5'000, 10'000, 32'768};
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    std::printf("| Aliases | Listed | Start-up with discovery (s) | Floor: list filled and shown (s) "
                "| Run to the message box (s) | Floor: run (s) | Slowest answer, main window (ms) "
                "| Slowest answer, dialog (ms) | Peak working set (MiB) |\n"
                "|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    std::fflush(stdout);
    try {
        std::vector<SizeResult> results;
        for (const std::size_t aliases : sizes)
            results.push_back(Measure(aliases, repetitions));
        if (results.size() > 1)
            PrintSlopes(results);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "RunBenchmark: %s\n", e.what());
        return 1;
    }
    return 0;
}
