// What discovery costs over stores of growing size: the alias names, then one driver type per alias.
// Without arguments it builds a store per size in a scratch folder and runs itself there with
// "measure", since the engine session starts once per process; it prints a Markdown table.
#include "platform/catalogue/AliasCatalogue.h"
#include "runtime/Exceptions.h"
#include "runtime/ExecutableFileName.h"
#include "tests/catalogue/CatalogueTestFiles.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <windows.h>

namespace {

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

int Measure() {
    LARGE_INTEGER start, named, namedAgain, typed;
    zt::StringList names;
    QueryPerformanceCounter(&start);
    zt::platform::GetAliasNames(names);
    QueryPerformanceCounter(&named);
    zt::platform::GetAliasNames(names);
    QueryPerformanceCounter(&namedAgain);
    std::size_t mssql = 0;
    for (const std::wstring& name : names.Lines())
        mssql += zt::platform::GetAliasDriverName(name) == L"MSSQL" ? 1 : 0;
    QueryPerformanceCounter(&typed);
    std::printf("%zu %zu %.3f %.3f %.3f\n", names.Count(), mssql, Milliseconds(start, named),
                Milliseconds(named, namedAgain), Milliseconds(namedAgain, typed));
    return 0;
}

std::string Store(std::size_t aliases) {
    static const char* const kTypes[] = {"MSSQL", "ORACLE", "POSTGRESQL ANSI", "STANDARD"};
    std::string store = "; generated for the benchmark\r\n";
    for (std::size_t i = 0; i < aliases; ++i) {
        const std::string name = "Alias_" + std::to_string(i);
        store += "[DATABASES\\" + name + "\\DB INFO]\r\nTYPE=" + kTypes[i % 4] + "\r\n[DATABASES\\" + name +
                 "\\DB OPEN]\r\nSERVER NAME=srv" + std::to_string(i % 17) + "\r\nDATABASE NAME=db" +
                 std::to_string(i) + "\r\n";
    }
    return store;
}

int Compare() {
    std::printf("| Aliases | Start + GetAliasNames (ms) | GetAliasNames again (ms) | "
                "GetAliasDriverName for every alias (ms) | per call (us) |\n|---:|---:|---:|---:|---:|\n");
    for (const std::size_t aliases : {std::size_t{1'000}, std::size_t{10'000}, std::size_t{32'768}}) {
        const zt::test::ScratchFolder folder;
        zt::test::CopyInto(zt::test::EngineDll(), folder.Path());
        zt::test::WriteBytes(folder.Path() / L"aliases.cfg", Store(aliases));
        const zt::test::ProgramRun run =
            zt::test::RunProgram(zt::ExecutableFileName(), {L"measure"}, folder.Path(), 600'000);
        std::wistringstream result(run.output);
        std::size_t names = 0, mssql = 0;
        double start = 0, again = 0, typed = 0;
        if (!run.ended || !(result >> names >> mssql >> start >> again >> typed) || names != aliases ||
            mssql != (aliases + 3) / 4) {
            std::printf("| %zu | failed: %s |\n", aliases, zt::test::ToUtf8(run.output).c_str());
            return 1;
        }
        std::printf("| %zu | %.1f | %.1f | %.1f | %.2f |\n", aliases, start, again, typed,
                    1000.0 * typed / static_cast<double>(aliases));
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        return argc > 1 && std::wstring(argv[1]) == L"measure" ? Measure() : Compare();
    } catch (const zt::Exception& error) {
        std::printf("%s\n", zt::test::ToUtf8(error.Message()).c_str());
        return 1;
    }
}
