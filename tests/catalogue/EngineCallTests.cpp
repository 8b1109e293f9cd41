// What the catalogue asks of the engine and in which order: the error stack read whole before any
// other call, failures at every step of the session's start and in the middle of a list, the
// hourglass while the engine starts, and no cursor left open on any path. Each case runs the probe
// in a fresh process over one engine of the tests.
#include "tests/catalogue/CatalogueTestFiles.h"

#include <gtest/gtest.h>
#include <sstream>

namespace zt::test {
namespace {

std::vector<std::string> LogLines(const std::filesystem::path& log) {
    std::vector<std::string> lines;
    std::istringstream text(std::filesystem::exists(log) ? ReadBytes(log) : std::string());
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

class EngineCalls : public testing::Test {
protected:
    // The engine of the tests in that folder of bin/, and the file beside it that steers it.
    void UseEngine(const std::filesystem::path& dll, const std::wstring& file, std::string_view content) {
        CopyInto(dll, work_);
        WriteBytes(work_ / file, content);
    }
    void UseRecordingEngine(std::string_view mode) {
        UseEngine(FakeEngineDll(L"recording"), L"fake-mode.txt", mode);
    }

    std::wstring Run(const std::vector<std::wstring>& operations) {
        const ProgramRun run = RunProgram(probe_ / L"catalogue_probe.exe", operations, work_);
        EXPECT_TRUE(run.ended) << "the probe did not end within 60 s";
        EXPECT_EQ(run.exitCode, 0u);
        return run.output;
    }
    std::vector<std::string> EngineLog() const { return LogLines(work_ / L"engine-calls.log"); }

    void SetUp() override { CopyInto(ProbeProgram(), probe_); }

    ScratchFolder folder_;
    std::filesystem::path work_ = folder_.Sub(L"work");
    const std::filesystem::path probe_ = folder_.Sub(L"probe");
};

// The probe's thread has no pointer of its own yet, which counts as the default one.
const std::vector<std::string> kStart = {"DbiInitFn 500 pointer=wait", "DbiGetCurrSession",
                                         "DbiSetProp 0002000C 7"};

std::vector<std::string> Joined(std::vector<std::string> first, const std::vector<std::string>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

// The stack's entries first, until the engine says none follows; only then the texts, because any
// other call may clear the stack. The error carries the status the call returned, then the entries'.
const std::vector<std::string> kReadStackThenTexts = {
    "DbiGetErrorEntry 1 -> 3302", "DbiGetErrorEntry 2 -> 2EC4", "DbiGetErrorEntry 3 -> 0000",
    "DbiGetErrorString 2501",     "DbiGetErrorString 3302",     "DbiGetErrorString 2EC4",
};
const std::wstring kCutShort = L"! EDBEngineError 2501 3302 2EC4: text of 2501\\r\\ntext of 3302\\r\\nread "
                               L"cut short\\r\\nserver gone";

TEST_F(EngineCalls, ARecordThatFailsInTheMiddleOfTheAliasListIsRaisedAfterReadingTheWholeStack) {
    UseRecordingEngine("records");
    EXPECT_EQ(Run({L"names"}), Lines({L"> names", kCutShort, L"= notices 1/1"}));
    EXPECT_EQ(EngineLog(), Joined(Joined(kStart, {"DbiOpenDatabaseList", "  -> open=1", "DbiGetNextRecord",
                                                  "DbiGetNextRecord", "  -> 2501"}),
                                  Joined(kReadStackThenTexts, {"DbiCloseCursor", "  -> open=0"})));
}

TEST_F(EngineCalls, AnEntryThatFailsInTheMiddleOfABranchIsRaisedAfterReadingTheWholeStack) {
    UseRecordingEngine("records");
    EXPECT_EQ(Run({L"params:Uno"}), Lines({L"> params:Uno", kCutShort, L"= notices 1/1"}));
    EXPECT_EQ(EngineLog(),
              Joined(Joined(kStart, {"DbiGetDatabaseDesc Uno", "DbiOpenCfgInfoList \\DATABASES\\Uno\\DB OPEN",
                                     "  -> open=1", "DbiGetNextRecord", "DbiGetNextRecord", "  -> 2501"}),
                     Joined(kReadStackThenTexts, {"DbiCloseCursor", "  -> open=0"})));
}

TEST_F(EngineCalls, TheWholeListsAreReadUpToTheirEnd) {
    UseRecordingEngine("ok");
    EXPECT_EQ(Run({L"names", L"params:Dos"}),
              Lines({L"> names", L"Uno", L"Dos", L"Tres", L"= notices 1/1", L"> params:Dos", L"SERVER NAME=",
                     L"DATABASE NAME=", L"USER NAME=", L"= notices 1/1"}));
}

// The session's handle and its configuration mode are steps of the start: a failure of either is an
// engine error with the engine's texts, the session stays not started, and the next call starts again.
TEST_F(EngineCalls, FailuresOfTheSessionsHandleAndModeAreEngineErrors) {
    struct Case {
        const char* mode;
        std::wstring error;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"nosession",
         L"! EDBEngineError 271B 3301 271B: text of 271B\\r\\ntext of 3301\\r\\nno session for this "
         L"process\\r\\nsession",
         {"DbiInitFn 500 pointer=wait", "DbiGetCurrSession", "  -> 271B", "DbiGetErrorEntry 1 -> 3301",
          "DbiGetErrorEntry 2 -> 271B", "DbiGetErrorEntry 3 -> 0000", "DbiGetErrorString 271B",
          "DbiGetErrorString 3301", "DbiGetErrorString 271B"}},
        {"nomode", L"! EDBEngineError 2702: text of 2702\\r\\nconfiguration mode refused",
         Joined(kStart, {"  -> 2702", "DbiGetErrorEntry 1 -> 2702", "DbiGetErrorEntry 2 -> 0000",
                         "DbiGetErrorString 2702", "DbiGetErrorString 2702"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ScratchFolder folder;
        work_ = folder.Sub(L"work");
        UseRecordingEngine(c.mode);
        EXPECT_EQ(Run({L"names", L"params:Uno"}),
                  Lines({L"> names", c.error, L"= notices 1/1", L"> params:Uno", c.error, L"= notices 1/1"}));
        EXPECT_EQ(EngineLog(), Joined(c.calls, c.calls)) << "no list opened, the start tried again";
    }
}

// The hourglass shows while the engine starts, on a thread with windows' input state whose pointer
// is the default one; the default pointer is back afterwards, also when the start fails.
TEST_F(EngineCalls, TheHourglassShowsWhileTheEngineStarts) {
    struct Case {
        const char* mode;
        const wchar_t* before;
        const char* duringStart;
        const wchar_t* after;
    };
    const Case cases[] = {
        {"ok", L"arrow", "wait", L"arrow"},
        {"refuse", L"arrow", "wait", L"arrow"},
        {"ok", L"cross", "other", L"cross"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + ", pointer " + ToUtf8(c.before));
        ScratchFolder folder;
        work_ = folder.Sub(L"work");
        UseRecordingEngine(c.mode);
        const std::wstring output = Run({std::wstring(L"pointer:") + c.before, L"driver:Uno", L"pointer"});
        EXPECT_TRUE(output.starts_with(Lines({std::wstring(L"> pointer:") + c.before, c.before})))
            << ToUtf8(output);
        EXPECT_TRUE(output.ends_with(Lines({L"> pointer", c.after}))) << ToUtf8(output);
        const std::vector<std::string> log = EngineLog();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.front(), std::string("DbiInitFn 500 pointer=") + c.duringStart);
    }
}

// Both engines that count their cursors: the stand-in and the published-interface double, each in
// its test build, which refuses the records named ROTO... in the middle of a list.
struct CountingEngine {
    const wchar_t* folder;
    std::wstring refusedAlias; // the error of the alias list cut by ROTO1
    std::wstring refusedEntry; // the error of Zentor7's branch cut by its entry ROTO
    std::wstring unknownAlias; // the error of the parameters of Nadie
};

TEST_F(EngineCalls, NoCursorIsLeftOpenOnAnyPathOfTheCatalogue) {
    const CountingEngine engines[] = {
        {L"engine-counting", L"! EDBEngineError 2D05: The record cannot be read\\r\\nAlias: ROTO1",
         L"! EDBEngineError 2D05: The record cannot be read\\r\\nEntry: ROTO",
         L"! EDBEngineError 271E: Unknown database\\r\\nAlias: Nadie"},
        {L"published-engine-counting",
         L"! EDBEngineError 7F04: Record refused\\r\\nDbiGetNextRecord: record ROTO1 refused",
         L"! EDBEngineError 7F04: Record refused\\r\\nDbiGetNextRecord: record ROTO refused",
         L"! EDBEngineError 271E: Unknown database\\r\\nDbiGetDatabaseDesc: alias Nadie"},
    };
    const std::string store =
        "[DATABASES\\Zentor7\\DB INFO]\nTYPE=MSSQL\n"
        "[DATABASES\\Zentor7\\DB OPEN]\nSERVER NAME=srv\nROTO=1\nDATABASE NAME=db\n"
        "[DATABASES\\Otro\\DB INFO]\nTYPE=ORACLE\n[DATABASES\\Otro\\DB OPEN]\nSERVER NAME=o\n"
        "[DATABASES\\ROTO1\\DB INFO]\nTYPE=MSSQL\n";
    for (const CountingEngine& engine : engines) {
        SCOPED_TRACE(ToUtf8(engine.folder));
        ScratchFolder folder;
        work_ = folder.Sub(L"work");
        UseEngine(ExecutableFolder() / engine.folder / L"IDAPI32.DLL", L"aliases.cfg", store);
        EXPECT_EQ(Run({L"names", L"cursors", L"params:Zentor7", L"cursors", L"params:Nadie", L"cursors",
                       L"params:Otro", L"cursors", L"leavecursoropen", L"cursors"}),
                  Lines({L"> names", engine.refusedAlias, L"= notices 1/1", L"> cursors", L"0",
                         L"> params:Zentor7", engine.refusedEntry, L"= notices 1/1", L"> cursors", L"0",
                         L"> params:Nadie", engine.unknownAlias, L"= notices 1/1", L"> cursors", L"0",
                         L"> params:Otro", L"SERVER NAME=o", L"= notices 1/1", L"> cursors", L"0",
                         // The count is the engine's own: a cursor that a caller leaves open shows.
                         L"> leavecursoropen", L"0000", L"> cursors", L"1"}));
    }
}

// The stand-in's test build also refuses the branches of aliases named FALLA...: the failure to
// open a list leaves nothing open either.
TEST_F(EngineCalls, AListThatCannotBeOpenedLeavesNoCursor) {
    UseEngine(ExecutableFolder() / L"engine-counting" / L"IDAPI32.DLL", L"aliases.cfg",
              "[DATABASES\\FALLA1\\DB INFO]\nTYPE=MSSQL\n[DATABASES\\FALLA1\\DB OPEN]\nSERVER NAME=x\n");
    EXPECT_EQ(Run({L"params:FALLA1", L"cursors"}),
              Lines({L"> params:FALLA1",
                     L"! EDBEngineError 2208: Object not found\\r\\nPath: \\DATABASES\\FALLA1\\DB OPEN",
                     L"= notices 1/1", L"> cursors", L"0"}));
}

} // namespace
} // namespace zt::test
