// Runs catalogue operations in a fresh process, so that each run starts its own engine session, and
// prints what they give, as UTF-8:
//   names | driver:<alias> | params:<alias> | module | errormode | startengine
//   | pointer:arrow | pointer:cross (this thread's mouse pointer, set) | pointer (printed)
//   | cursors (the open cursors that an engine of the tests counts) | leavecursoropen
// Every list operation fills one list that starts out holding "EARLIER=line", and reports the list's
// change notifications. Errors print as "! <class> <status codes>: <message>" with CR and LF escaped.
#include "interfaces/EngineInterface.h"
#include "platform/catalogue/AliasCatalogue.h"
#include "runtime/Exceptions.h"
#include "runtime/Format.h"

#include <string>
#include <windows.h>

// The engine's header claims no name at global scope: this one stays free for an includer (it would
// not compile if the header declared a namespace alias of that name).
namespace zt_ei {
constexpr int kOwnedByTheIncluder = 1;
}
static_assert(zt_ei::kOwnedByTheIncluder == 1);

namespace {

void Print(std::wstring_view text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
              nullptr);
}

std::wstring Escaped(std::wstring_view text) {
    std::wstring out;
    for (const wchar_t c : text)
        out += c == L'\r' ? L"\\r" : c == L'\n' ? L"\\n" : std::wstring(1, c);
    return out;
}

void PrintError(const zt::Exception& error) {
    std::wstring codes;
    if (const auto* engine = dynamic_cast<const zt::EDBEngineError*>(&error))
        for (const std::uint16_t code : engine->StatusCodes())
            codes += L" " + zt::HexUpper(code, 4);
    Print(L"! " + std::wstring(error.ClassName()) + codes + L": " + Escaped(error.Message()) + L"\n");
}

void PrintLines(const zt::StringList& list) {
    for (const std::wstring& line : list.Lines())
        Print(line + L"\n");
}

std::wstring LoadedEngine() {
    const HMODULE engine = GetModuleHandleW(L"IDAPI32.DLL");
    if (engine == nullptr)
        return L"(none)";
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(engine, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

// Starts the engine of the working directory before the catalogue does, as another part of the
// process could; the engine stays loaded. Its start status, or FFFF when there is none to start.
unsigned StartEngineOurselves() {
    const HMODULE engine = LoadLibraryW(L".\\IDAPI32.DLL");
    const auto start = engine ? reinterpret_cast<decltype(&DbiInitFn)>(
                                    reinterpret_cast<void*>(GetProcAddress(engine, "DbiInitFn")))
                              : nullptr;
    if (start == nullptr)
        return 0xFFFF;
    zt::engine_interface::Environment environment{};
    return start(zt::engine_interface::kInterfaceVersion, &environment);
}

// The thread becomes one with windows' input state, its pointer the one named.
void SetPointer(const std::wstring& name) {
    IsGUIThread(TRUE);
    SetCursor(LoadCursorW(nullptr, name == L"arrow" ? IDC_ARROW : IDC_CROSS));
}

std::wstring PointerName() {
    const HCURSOR current = GetCursor();
    if (current == LoadCursorW(nullptr, IDC_WAIT))
        return L"wait";
    if (current == LoadCursorW(nullptr, IDC_ARROW))
        return L"arrow";
    return current == LoadCursorW(nullptr, IDC_CROSS) ? L"cross" : L"other";
}

std::wstring OpenCursors() {
    const HMODULE engine = GetModuleHandleW(L"IDAPI32.DLL");
    const auto count = engine ? reinterpret_cast<std::uint32_t(__stdcall*)()>(
                                    reinterpret_cast<void*>(GetProcAddress(engine, "ZtOpenCursors")))
                              : nullptr;
    return count ? zt::IntToStr(static_cast<int>(count())) : std::wstring(L"not counted");
}

// Opens a list of aliases through the loaded engine and leaves it open, as a faulty caller would.
std::wstring LeaveACursorOpen() {
    const HMODULE engine = GetModuleHandleW(L"IDAPI32.DLL");
    const auto open = engine ? reinterpret_cast<decltype(&DbiOpenDatabaseList)>(
                                   reinterpret_cast<void*>(GetProcAddress(engine, "DbiOpenDatabaseList")))
                             : nullptr;
    zt::engine_interface::CursorHandle cursor = nullptr;
    return open ? zt::HexUpper(open(&cursor), 4) : std::wstring(L"no engine");
}

struct Notices {
    int changing = 0;
    int changed = 0;
};

void Run(const std::wstring& operation, zt::StringList& list, Notices& notices) {
    Print(L"> " + operation + L"\n");
    const bool fillsList = operation == L"names" || operation.starts_with(L"params:");
    notices = {};
    try {
        if (operation == L"names") {
            zt::platform::GetAliasNames(list);
            PrintLines(list);
        } else if (operation.starts_with(L"driver:")) {
            Print(zt::platform::GetAliasDriverName(operation.substr(7)) + L"\n");
        } else if (operation.starts_with(L"params:")) {
            zt::platform::GetAliasParams(operation.substr(7), list);
            PrintLines(list);
        } else if (operation == L"module") {
            Print(LoadedEngine() + L"\n");
        } else if (operation == L"errormode") {
            Print(zt::HexUpper(GetErrorMode(), 4) + L"\n");
        } else if (operation.starts_with(L"pointer:")) {
            SetPointer(operation.substr(8));
            Print(PointerName() + L"\n");
        } else if (operation == L"pointer") {
            Print(PointerName() + L"\n");
        } else if (operation == L"leavecursoropen") {
            Print(LeaveACursorOpen() + L"\n");
        } else if (operation == L"cursors") {
            Print(OpenCursors() + L"\n");
        } else if (operation == L"startengine") {
            Print(zt::HexUpper(StartEngineOurselves(), 4) + L"\n");
        } else {
            Print(L"unknown operation\n");
        }
    } catch (const zt::Exception& error) {
        PrintError(error);
    }
    if (fillsList)
        Print(L"= notices " + zt::IntToStr(notices.changing) + L"/" + zt::IntToStr(notices.changed) + L"\n");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    zt::StringList list;
    list.Add(L"EARLIER=line");
    Notices notices;
    list.OnChanging = [&notices] { ++notices.changing; };
    list.OnChange = [&notices] { ++notices.changed; };
    for (int i = 1; i < argc; ++i)
        Run(argv[i], list, notices);
    return 0;
}
