// A program that crashes under a test ends that test at once, saying so: the crash dialog does not
// hold it, and a wait for a window it will never show gives up when the process ends.
#include "MainWindow.h"
#include "Workstation.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>

namespace zt::e2e {
namespace {

TEST(Crash, AWaitForTheWindowOfACrashedProgramFailsAtOnce) {
    const Workstation station(Alias("Zentor7", "MSSQL", {}), {.engineFolder = L"engine-crashing"});
    const Process process = Process::Launch(station.Exe().wstring(), station.Folder().wstring());
    // Long enough that a crash dialog holding the process would end this wait by its bound instead.
    constexpr std::chrono::seconds kLongerThanAnyStart{90};
    try {
        WaitForVisibleWindow(process.Id(), kMainWindowClass, kLongerThanAnyStart);
        FAIL() << "the main window appeared although the engine's start crashes";
    } catch (const ProcessEndedError& ended) {
        EXPECT_NE(std::string(ended.what()).find("(it crashed)"), std::string::npos) << ended.what();
    } catch (const TimeoutError& timeout) {
        FAIL() << "the crashed program was still there: " << timeout.what();
    }
    EXPECT_GE(process.WaitForExit(), 0xC0000000u);
}

} // namespace
} // namespace zt::e2e
