#include "engine/ZtEngineApi.h"
#include "runtime/CodePages.h"
#include "tests/catalogue/CatalogueTestFiles.h"

#include <cstring>
#include <gtest/gtest.h>
#include <windows.h>

namespace zt::test {
namespace {

// A private copy of the engine DLL, loaded from a scratch folder with the given store beside it (no
// store when storeUtf8 is null), and unloaded again at the end so that the next one starts afresh.
class LoadedEngine {
public:
    explicit LoadedEngine(const char* storeUtf8, std::size_t storeSize = std::string::npos) {
        CopyInto(EngineDll(), folder_.Path());
        if (storeUtf8 != nullptr)
            WriteBytes(folder_.Path() / L"aliases.cfg", storeSize == std::string::npos
                                                            ? std::string_view(storeUtf8)
                                                            : std::string_view(storeUtf8, storeSize));
        module_ = LoadLibraryW((folder_.Path() / L"IDAPI32.DLL").c_str());
        if (module_ == nullptr)
            throw std::runtime_error("engine copy does not load");
        Bind("DbiInitFn", init);
        Bind("ZtEngGetSession", getSession);
        Bind("ZtEngSetConfigMode", setConfigMode);
        Bind("ZtEngOpenAliasList", openAliasList);
        Bind("ZtEngNextAlias", nextAlias);
        Bind("ZtEngGetAliasDesc", getAliasDesc);
        Bind("ZtEngOpenConfigBranch", openConfigBranch);
        Bind("ZtEngNextConfigEntry", nextConfigEntry);
        Bind("ZtEngCloseCursor", closeCursor);
        Bind("ZtEngGetStatusText", getStatusText);
        Bind("ZtEngGetErrorEntry", getErrorEntry);
    }
    ~LoadedEngine() { FreeLibrary(module_); }
    LoadedEngine(const LoadedEngine&) = delete;
    LoadedEngine& operator=(const LoadedEngine&) = delete;

    const ScratchFolder& Folder() const { return folder_; }

    // Started, with a session that sees the store's aliases.
    ZtEngSession Start() {
        if (init(ZT_ENG_VERSION, nullptr) != ZT_ENG_OK)
            throw std::runtime_error("engine does not start");
        ZtEngSession session = nullptr;
        if (getSession(&session) != ZT_ENG_OK ||
            setConfigMode(session, ZT_ENG_CFG_VIRTUAL | ZT_ENG_CFG_PERSISTENT | ZT_ENG_CFG_SESSION) !=
                ZT_ENG_OK)
            throw std::runtime_error("engine gives no session");
        return session;
    }

    std::vector<std::wstring> Aliases(ZtEngSession session, ZtEngStatus& status) {
        std::vector<std::wstring> names;
        ZtEngCursor cursor = nullptr;
        status = openAliasList(session, &cursor);
        if (status != ZT_ENG_OK)
            return names;
        ZtEngAliasRecord record{};
        while (nextAlias(cursor, &record) == ZT_ENG_OK)
            names.push_back(FromOem(record.name));
        closeCursor(cursor);
        return names;
    }

    std::vector<std::wstring> Branch(ZtEngSession session, std::wstring_view path, ZtEngStatus& status) {
        std::vector<std::wstring> lines;
        ZtEngCursor cursor = nullptr;
        status = openConfigBranch(session, ToOem(path).c_str(), &cursor);
        if (status != ZT_ENG_OK)
            return lines;
        ZtEngConfigEntry entry{};
        while (nextConfigEntry(cursor, &entry) == ZT_ENG_OK)
            lines.push_back(FromOem(entry.name) + L"=" + FromOem(entry.value));
        closeCursor(cursor);
        return lines;
    }

    // The driver type, or "#XXXX" with the status of a description that cannot be read.
    std::wstring DriverType(ZtEngSession session, std::wstring_view alias) {
        ZtEngAliasDesc desc{};
        const ZtEngStatus status = getAliasDesc(session, ToOem(alias).c_str(), &desc);
        if (status != ZT_ENG_OK)
            return L"#" + std::to_wstring(status);
        return FromOem(desc.driverType);
    }

    // "status: context" per entry of the last error.
    std::vector<std::wstring> LastError() {
        std::vector<std::wstring> entries;
        ZtEngErrorEntry entry{};
        for (std::uint32_t index = 1; getErrorEntry(index, &entry) == ZT_ENG_OK; ++index)
            entries.push_back(std::to_wstring(entry.status) + L": " + FromOem(entry.context));
        return entries;
    }

    decltype(&DbiInitFn) init = nullptr;
    decltype(&ZtEngGetSession) getSession = nullptr;
    decltype(&ZtEngSetConfigMode) setConfigMode = nullptr;
    decltype(&ZtEngOpenAliasList) openAliasList = nullptr;
    decltype(&ZtEngNextAlias) nextAlias = nullptr;
    decltype(&ZtEngGetAliasDesc) getAliasDesc = nullptr;
    decltype(&ZtEngOpenConfigBranch) openConfigBranch = nullptr;
    decltype(&ZtEngNextConfigEntry) nextConfigEntry = nullptr;
    decltype(&ZtEngCloseCursor) closeCursor = nullptr;
    decltype(&ZtEngGetStatusText) getStatusText = nullptr;
    decltype(&ZtEngGetErrorEntry) getErrorEntry = nullptr;

private:
    template <class Function> void Bind(const char* name, Function& function) {
        function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
        if (function == nullptr)
            throw std::runtime_error(std::string("engine does not export ") + name);
    }

    ScratchFolder folder_;
    HMODULE module_ = nullptr;
};

// Every alias with its driver type and both branches, one text per line.
std::vector<std::wstring> Dump(LoadedEngine& engine, ZtEngSession session) {
    std::vector<std::wstring> dump;
    ZtEngStatus status = ZT_ENG_OK;
    for (const std::wstring& alias : engine.Aliases(session, status)) {
        dump.push_back(alias + L" : " + engine.DriverType(session, alias));
        for (const wchar_t* branch : {L"\\DB INFO", L"\\DB OPEN"})
            for (const std::wstring& line : engine.Branch(session, L"\\DATABASES\\" + alias + branch, status))
                dump.push_back(std::wstring(L"  ") + (branch[4] == L'I' ? L"info " : L"open ") + line);
    }
    EXPECT_EQ(status, ZT_ENG_OK);
    return dump;
}

TEST(EngineStore, ReadsWhatTheRulesAllow) {
    struct Case {
        const char* name;
        const char* store;
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        {"values kept exactly, entries in stored order",
         "[DATABASES\\Zentor7\\DB INFO]\nTYPE=MSSQL\n[DATABASES\\Zentor7\\DB OPEN]\nSERVER NAME=  srv01 \n"
         "DATABASE NAME=a=b\nUSER NAME=\nSERVER NAME=second\n",
         {L"Zentor7 : MSSQL", L"  info TYPE=MSSQL", L"  open SERVER NAME=  srv01 ",
          L"  open DATABASE NAME=a=b", L"  open USER NAME=", L"  open SERVER NAME=second"}},
        {"byte-order mark, CR LF, comments, blank lines, trimmed names",
         "\xEF\xBB\xBF; workstation catalogue\r\n\r\n  [ DATABASES\\ Ventas \\DB INFO ]  \r\n"
         "   ; indented comment\r\n\tTYPE \t= ORACLE \r\n\r\n",
         {L"Ventas :  ORACLE ", L"  info TYPE= ORACLE "}},
        {"aliases in order of first section, sections merged, keywords in any case",
         "[DATABASES\\B\\DB OPEN]\nSERVER NAME=b1\n[DATABASES\\A\\DB INFO]\nTYPE=MSSQL\n"
         "[databases\\b\\db info]\ntype=STANDARD\nPATH=C:\\data\n[DATABASES\\B\\DB OPEN]\nDATABASE NAME=b2\n",
         {L"B : STANDARD", L"  info type=STANDARD", L"  info PATH=C:\\data", L"  open SERVER NAME=b1",
          L"  open DATABASE NAME=b2", L"A : MSSQL", L"  info TYPE=MSSQL"}},
        {"an alias without TYPE is listed, its description cannot be read",
         "[DATABASES\\SinTipo\\DB OPEN]\nSERVER NAME=x\n[DATABASES\\Otro\\DB INFO]\nPATH=C:\\\n",
         {L"SinTipo : #" + std::to_wstring(ZT_ENG_NO_DRIVER_TYPE), L"  open SERVER NAME=x",
          L"Otro : #" + std::to_wstring(ZT_ENG_NO_DRIVER_TYPE), L"  info PATH=C:\\"}},
        {"letters beyond ASCII in names and values",
         "[DATABASES\\Contabilidad_A\xC3\xB1o\\DB INFO]\nTYPE=MSSQL\n[DATABASES\\Contabilidad_A\xC3\xB1o\\DB "
         "OPEN]\n"
         "DATABASE NAME=Pel\xC3\xA1"
         "ez M\xC3\xBCller \xC3\xA9\n",
         {L"Contabilidad_Año : MSSQL", L"  info TYPE=MSSQL", L"  open DATABASE NAME=Peláez Müller é"}},
        {"a name of 31 bytes",
         "[DATABASES\\ABCDEFGHIJKLMNOPQRSTUVWXYZ01234\\DB INFO]\nTYPE=MSSQL\n",
         {L"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234 : MSSQL", L"  info TYPE=MSSQL"}},
        {"a driver type longer than the description holds",
         "[DATABASES\\Largo\\DB INFO]\nTYPE=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\n",
         {L"Largo : ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", L"  info TYPE=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"}},
        {"an empty store", "", {}},
        {"only comments", "; nothing\r\n;\r\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadedEngine engine(c.store);
        const ZtEngSession session = engine.Start();
        EXPECT_EQ(Dump(engine, session), c.expected);
    }
}

TEST(EngineStore, RefusesABrokenStoreWithItsLineNumber) {
    struct Case {
        std::string store;
        std::wstring context;
    };
    const Case cases[] = {
        {"[DATABASES\\A\\DB INFO]\nTYPE=MSSQL\nSERVER NAME\n", L"aliases.cfg line 3: entry without '='"},
        {"TYPE=MSSQL\n[DATABASES\\A\\DB INFO]\n", L"aliases.cfg line 1: entry before the first section"},
        {"; c\r\n[DATABASES\\A\\DB INFO\r\n", L"aliases.cfg line 2: section name without its closing ']'"},
        {"[DATABASES\\A\\DB INFO]\n[DATABASES\\A\\DB OTHER]\n",
         L"aliases.cfg line 2: section is not DATABASES\\<alias>\\DB INFO or DB OPEN"},
        {"[ALIASES\\A\\DB INFO]\n",
         L"aliases.cfg line 1: section is not DATABASES\\<alias>\\DB INFO or DB OPEN"},
        {"[DATABASES\\DB INFO]\n",
         L"aliases.cfg line 1: section is not DATABASES\\<alias>\\DB INFO or DB OPEN"},
        {"[DATABASES\\  \\DB OPEN]\n", L"aliases.cfg line 1: alias without a name"},
        {"[DATABASES\\ABCDEFGHIJKLMNOPQRSTUVWXYZ012345\\DB INFO]\n",
         L"aliases.cfg line 1: alias name longer than 31 bytes"},
        {"[DATABASES\\A\\DB INFO]\n  = MSSQL\n", L"aliases.cfg line 2: entry without a name"},
        {"[DATABASES\\A\\DB INFO]\nTYPE=MS\xFFSQL\n", L"aliases.cfg line 2: not UTF-8 text"},
        {std::string("[DATABASES\\A\\DB INFO]\nTYPE=MS\0SQL\n", 34), L"aliases.cfg line 2: NUL character"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.context);
        LoadedEngine engine(c.store.data(), c.store.size());
        // The start does not fail; every request does, with the same report.
        const ZtEngSession session = engine.Start();
        const std::vector<std::wstring> report = {std::to_wstring(ZT_ENG_STORE_MALFORMED) + L": " +
                                                  c.context};
        ZtEngStatus status = ZT_ENG_OK;
        EXPECT_TRUE(engine.Aliases(session, status).empty());
        EXPECT_EQ(status, ZT_ENG_STORE_MALFORMED);
        EXPECT_EQ(engine.LastError(), report);
        EXPECT_EQ(engine.DriverType(session, L"A"), L"#" + std::to_wstring(ZT_ENG_STORE_MALFORMED));
        EXPECT_EQ(engine.LastError(), report);
        engine.Branch(session, L"\\DATABASES\\A\\DB INFO", status);
        EXPECT_EQ(status, ZT_ENG_STORE_MALFORMED);
        EXPECT_EQ(engine.LastError(), report);
    }
}

TEST(EngineStore, WithoutAStoreEveryRequestFails) {
    LoadedEngine engine(nullptr);
    const ZtEngSession session = engine.Start();
    ZtEngStatus status = ZT_ENG_OK;
    EXPECT_TRUE(engine.Aliases(session, status).empty());
    EXPECT_EQ(status, ZT_ENG_STORE_MISSING);
    const std::wstring store = (engine.Folder().Path() / L"aliases.cfg").wstring();
    EXPECT_EQ(engine.LastError(), std::vector<std::wstring>{std::to_wstring(ZT_ENG_STORE_MISSING) + L": " +
                                                            store + L": system error 2"});
    EXPECT_EQ(engine.DriverType(session, L"Zentor7"), L"#" + std::to_wstring(ZT_ENG_STORE_MISSING));
}

TEST(EngineStore, LooksAliasesUpIgnoringOnlyAsciiLetterCase) {
    LoadedEngine engine(
        "[DATABASES\\N\xC3\xB3mina\\DB INFO]\nTYPE=MSSQL\n"
        "[DATABASES\\Zentor7\\DB OPEN]\nSERVER NAME=s\n[DATABASES\\Zentor7\\DB INFO]\nTYPE=ORACLE\n");
    const ZtEngSession session = engine.Start();
    EXPECT_EQ(engine.DriverType(session, L"ZENTOR7"), L"ORACLE");
    EXPECT_EQ(engine.DriverType(session, L"zentor7"), L"ORACLE");
    EXPECT_EQ(engine.DriverType(session, L"NóMINA"), L"MSSQL");
    EXPECT_EQ(engine.DriverType(session, L"Zentor"), L"#" + std::to_wstring(ZT_ENG_UNKNOWN_ALIAS));
    EXPECT_EQ(engine.LastError(),
              std::vector<std::wstring>{std::to_wstring(ZT_ENG_UNKNOWN_ALIAS) + L": Alias: Zentor"});
    ZtEngStatus status = ZT_ENG_OK;
    EXPECT_EQ(engine.Branch(session, L"\\databases\\ZENTOR7\\db open", status),
              std::vector<std::wstring>{L"SERVER NAME=s"});
    EXPECT_TRUE(engine.Branch(session, L"\\DATABASES\\Nómina\\DB OPEN", status).empty());
    EXPECT_EQ(status, ZT_ENG_OK);
}

TEST(EngineStore, SessionAndCursorRules) {
    LoadedEngine engine("[DATABASES\\A\\DB INFO]\nTYPE=MSSQL\n");
    ZtEngSession session = nullptr;
    EXPECT_EQ(engine.getSession(&session), ZT_ENG_NOT_STARTED);
    EXPECT_EQ(engine.init(499, nullptr), ZT_ENG_BAD_VERSION);
    ZtEngEnv environment{};
    std::memcpy(environment.language, "0009", 5);
    ASSERT_EQ(engine.init(ZT_ENG_VERSION, &environment), ZT_ENG_OK);
    EXPECT_EQ(engine.init(ZT_ENG_VERSION, &environment), ZT_ENG_ALREADY_STARTED);
    ASSERT_EQ(engine.getSession(&session), ZT_ENG_OK);

    // A new session shows only its own aliases, and the store's are persistent ones.
    ZtEngStatus status = ZT_ENG_OK;
    EXPECT_TRUE(engine.Aliases(session, status).empty());
    EXPECT_EQ(engine.setConfigMode(session, ZT_ENG_CFG_PERSISTENT), ZT_ENG_OK);
    EXPECT_EQ(engine.Aliases(session, status), std::vector<std::wstring>{L"A"});
    EXPECT_EQ(engine.setConfigMode(session, 8), ZT_ENG_INVALID_PARAMETER);
    EXPECT_EQ(engine.setConfigMode(reinterpret_cast<ZtEngSession>(&environment), 7), ZT_ENG_INVALID_HANDLE);

    ZtEngCursor cursor = nullptr;
    ASSERT_EQ(engine.openAliasList(session, &cursor), ZT_ENG_OK);
    ZtEngConfigEntry entry{};
    EXPECT_EQ(engine.nextConfigEntry(cursor, &entry), ZT_ENG_INVALID_HANDLE);
    ZtEngAliasRecord record{};
    EXPECT_EQ(engine.nextAlias(cursor, &record), ZT_ENG_OK);
    EXPECT_EQ(engine.nextAlias(cursor, &record), ZT_ENG_END_OF_LIST);
    EXPECT_EQ(engine.closeCursor(cursor), ZT_ENG_OK);
    EXPECT_EQ(engine.closeCursor(cursor), ZT_ENG_INVALID_HANDLE);
    EXPECT_EQ(engine.nextAlias(cursor, &record), ZT_ENG_INVALID_HANDLE);

    engine.Branch(session, L"\\DATABASES\\A\\DB OTHER", status);
    EXPECT_EQ(status, ZT_ENG_UNKNOWN_BRANCH);
    engine.Branch(session, L"\\DATABASES\\B\\DB OPEN", status);
    EXPECT_EQ(status, ZT_ENG_UNKNOWN_ALIAS);

    char text[ZT_ENG_TEXT_SIZE];
    EXPECT_EQ(engine.getStatusText(ZT_ENG_UNKNOWN_ALIAS, text), ZT_ENG_OK);
    EXPECT_STREQ(text, "Unknown alias");
    EXPECT_EQ(engine.getStatusText(0x7777, text), ZT_ENG_OK);
    EXPECT_STREQ(text, "");
}

// Alias positions are not bounded by 16 bits, and every alias is found by its name.
TEST(EngineStore, HoldsMoreAliasesThanSixteenBitsCount) {
    constexpr int kAliases = 70'000;
    std::string store;
    for (int i = 0; i < kAliases; ++i)
        store +=
            "[DATABASES\\Alias" + std::to_string(i) + "\\DB INFO]\nTYPE=T" + std::to_string(i % 7) + "\n";
    LoadedEngine engine(store.c_str());
    const ZtEngSession session = engine.Start();
    ZtEngStatus status = ZT_ENG_OK;
    const std::vector<std::wstring> names = engine.Aliases(session, status);
    ASSERT_EQ(names.size(), static_cast<std::size_t>(kAliases));
    for (int i = 0; i < kAliases; i += 997) {
        EXPECT_EQ(names[static_cast<std::size_t>(i)], L"Alias" + std::to_wstring(i));
        EXPECT_EQ(engine.DriverType(session, L"ALIAS" + std::to_wstring(i)), L"T" + std::to_wstring(i % 7));
    }
    EXPECT_EQ(engine.DriverType(session, L"Alias69999"), L"T" + std::to_wstring(69'999 % 7));
}

} // namespace
} // namespace zt::test
