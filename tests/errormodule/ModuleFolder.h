#pragma once
// A test's own program folder, holding the build of ZtError.dll under test (or none), and an
// owner window for the reports.
#include "platform/errormodule/ErrorModule.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace zt::testing {

// Where the builds of the module lie, relative to the build's bin folder.
inline constexpr const wchar_t* kDisplayModule = L"";
inline constexpr const wchar_t* kRecordingModule = L"recording";
inline constexpr const wchar_t* kRecordingAltModule = L"errormodule-variants\\recording-alt";
inline constexpr const wchar_t* kFailingModule = L"errormodule-variants\\failing";
inline constexpr const wchar_t* kNoEntryModule = L"errormodule-variants\\noentry";

inline constexpr const wchar_t* kOwnerCaption = L"Ventana dueña «Año»";

class ModuleFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Copies that build of the module into the program's folder, replacing the one there.
    void Install(const wchar_t* build) const;
    void RemoveModule() const;

    static bool ModuleLoaded() { return GetModuleHandleW(L"ZtError.dll") != nullptr; }

    // The lines ZtError.log holds, in UTF-8, without their line ends.
    std::vector<std::string> LogLines() const;

    void Report(const Exception& error) const { ReportToErrorModule(error, source_); }

    std::wstring folder_;
    HWND owner_ = nullptr;
    ErrorReportSource source_;
    int titleRequests_ = 0;

private:
    std::wstring previousDirectory_;
};

// The raw JSON text of one field of a log line: a string keeps its quotes and escapes.
std::string JsonField(const std::string& line, const std::string& name);

} // namespace zt::testing
