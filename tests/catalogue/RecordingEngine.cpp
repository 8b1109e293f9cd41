// An engine that logs every call it receives (engine-calls.log beside it) and holds its error stack
// no longer than the published interface promises: any call but DbiGetErrorEntry clears it,
// DbiGetErrorString included. The word in fake-mode.txt beside it picks the failure it plays:
//   ok         three aliases, Uno, Dos and Tres, each with a branch of three entries
//   nosession  DbiGetCurrSession fails
//   nomode     DbiSetProp fails
//   records    the second record of every list fails, with a stack led by another status
//   refuse     DbiInitFn refuses to start
// DbiInitFn also logs the mouse pointer it meets: wait, arrow, none or other.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

namespace {

using Status = std::uint16_t;

constexpr Status kEndOfTable = 0x2202;
constexpr std::size_t kTextBuffer = 128;

struct Entry {
    Status status;
    std::int32_t nativeCode;
    std::string context;
};

struct Cursor {
    std::vector<std::string> names;
    std::size_t next = 0;
};

struct Engine {
    std::string mode;
    std::vector<Entry> stack;
    std::set<std::unique_ptr<Cursor>> cursors;
    char session = 0;
};

std::filesystem::path Beside(const wchar_t* file) {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&Beside), &self);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(self, path, MAX_PATH);
    return std::filesystem::path(path).parent_path() / file;
}

Engine& TheEngine() {
    static Engine engine = [] {
        Engine made;
        std::ifstream file(Beside(L"fake-mode.txt"));
        file >> made.mode;
        return made;
    }();
    return engine;
}

void Log(const std::string& line) {
    std::ofstream(Beside(L"engine-calls.log"), std::ios::app | std::ios::binary) << line << '\n';
}

std::string Hex(unsigned value) {
    char text[8] = {};
    wsprintfA(text, "%04X", value);
    return text;
}

// Every call that can fail starts here: the previous failure's stack is gone.
Engine& Call(const std::string& line) {
    Engine& engine = TheEngine();
    engine.stack.clear();
    Log(line);
    return engine;
}

Status Fail(Engine& engine, Status status, std::vector<Entry> stack) {
    engine.stack = std::move(stack);
    Log("  -> " + Hex(status));
    return status;
}

template <std::size_t N> void Put(char* field, const std::string& text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

std::string OpenCursorsText(const Engine& engine) {
    return " open=" + std::to_string(engine.cursors.size());
}

Status Open(Engine& engine, std::vector<std::string> names, void** cursor) {
    auto opened = std::make_unique<Cursor>(Cursor{std::move(names), 0});
    *cursor = opened.get();
    engine.cursors.insert(std::move(opened));
    Log("  ->" + OpenCursorsText(engine));
    return 0;
}

const char* PointerName() {
    const HCURSOR current = GetCursor();
    if (current == nullptr)
        return "none";
    if (current == LoadCursorW(nullptr, IDC_WAIT))
        return "wait";
    return current == LoadCursorW(nullptr, IDC_ARROW) ? "arrow" : "other";
}

} // namespace

extern "C" {

__declspec(dllexport) Status __stdcall DbiInitFn(std::uint16_t version, void*) {
    Engine& engine = Call("DbiInitFn " + std::to_string(version) + " pointer=" + PointerName());
    if (engine.mode == "refuse")
        return Fail(engine, 0x3F01, {{0x3F01, 0, "refused"}});
    return 0;
}

__declspec(dllexport) Status __stdcall DbiGetCurrSession(void** session) {
    Engine& engine = Call("DbiGetCurrSession");
    if (engine.mode == "nosession")
        return Fail(engine, 0x271B, {{0x3301, 0, "no session for this process"}, {0x271B, 0, "session"}});
    *session = &engine.session;
    return 0;
}

__declspec(dllexport) Status __stdcall DbiSetProp(void* object, std::uint32_t property, std::uint32_t value) {
    Engine& engine =
        Call("DbiSetProp " + Hex(property >> 16) + Hex(property & 0xFFFF) + " " + std::to_string(value));
    if (engine.mode == "nomode" || object != &engine.session)
        return Fail(engine, 0x2702, {{0x2702, 0, "configuration mode refused"}});
    return 0;
}

__declspec(dllexport) Status __stdcall DbiOpenDatabaseList(void** cursor) {
    return Open(Call("DbiOpenDatabaseList"), {"Uno", "Dos", "Tres"}, cursor);
}

__declspec(dllexport) Status
    __stdcall DbiOpenCfgInfoList(void*, std::int32_t, std::int32_t, const char* path, void** cursor) {
    return Open(Call(std::string("DbiOpenCfgInfoList ") + path),
                {"SERVER NAME", "DATABASE NAME", "USER NAME"}, cursor);
}

// Records of either kind start with the name's 32-byte field; a database description is 357 bytes,
// a configuration node 292, and both fit in what the catalogue passes.
__declspec(dllexport) Status __stdcall DbiGetNextRecord(void* cursor, std::int32_t, void* record, void*) {
    Engine& engine = Call("DbiGetNextRecord");
    auto* const open = static_cast<Cursor*>(cursor);
    if (engine.mode == "records" && open->next == 1)
        return Fail(engine, 0x2501, {{0x3302, 0, "read cut short"}, {0x2EC4, 4060, "server gone"}});
    if (open->next == open->names.size())
        return Fail(engine, kEndOfTable, {{kEndOfTable, 0, ""}});
    Put<32>(static_cast<char*>(record), open->names[open->next++]);
    return 0;
}

__declspec(dllexport) Status __stdcall DbiCloseCursor(void** cursor) {
    Engine& engine = Call("DbiCloseCursor");
    std::erase_if(engine.cursors, [&](const std::unique_ptr<Cursor>& open) { return open.get() == *cursor; });
    *cursor = nullptr;
    Log("  ->" + OpenCursorsText(engine));
    return 0;
}

__declspec(dllexport) Status __stdcall DbiGetDatabaseDesc(const char* alias, char* description) {
    Call(std::string("DbiGetDatabaseDesc ") + alias);
    std::memset(description, 0, 357);
    Put<32>(description, alias);
    Put<32>(description + 325, "MSSQL");
    return 0;
}

__declspec(dllexport) Status __stdcall DbiGetErrorString(Status status, char* text) {
    Call("DbiGetErrorString " + Hex(status));
    Put<kTextBuffer>(text, "text of " + Hex(status));
    return 0;
}

// The one call that leaves the stack alone.
__declspec(dllexport) Status
    __stdcall DbiGetErrorEntry(std::uint16_t number, std::int32_t* nativeCode, char* context) {
    const Engine& engine = TheEngine();
    const Entry none{0, 0, ""};
    const Entry& entry = number >= 1 && number <= engine.stack.size() ? engine.stack[number - 1u] : none;
    Log("DbiGetErrorEntry " + std::to_string(number) + " -> " + Hex(entry.status));
    *nativeCode = entry.nativeCode;
    Put<kTextBuffer>(context, entry.context);
    return entry.status;
}

} // extern "C"
