#include "engine/StandInStatus.h"
#include "runtime/CodePages.h"
#include "tests/catalogue/CatalogueTestFiles.h"

#include <cstring>
#include <gtest/gtest.h>
#include <windows.h>

namespace zt::test {
namespace {

namespace api = engine_interface;
using engine::kNoDriverType;
using engine::kStoreMalformed;
using engine::kStoreMissing;

// A private copy of the engine DLL, loaded from a scratch folder with the given store beside it (no
// store when storeUtf8 is null), and unloaded again at the end so that the next one starts afresh.
// It calls the engine through its published entry points alone.
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
        Bind("DbiGetCurrSession", getCurrSession);
        Bind("DbiSetProp", setProp);
        Bind("DbiOpenDatabaseList", openDatabaseList);
        Bind("DbiGetNextRecord", getNextRecord);
        Bind("DbiCloseCursor", closeCursor);
        Bind("DbiGetDatabaseDesc", getDatabaseDesc);
        Bind("DbiOpenCfgInfoList", openCfgInfoList);
        Bind("DbiGetErrorString", getErrorString);
        Bind("DbiGetErrorEntry", getErrorEntry);
    }
    ~LoadedEngine() { FreeLibrary(module_); }
    LoadedEngine(const LoadedEngine&) = delete;
    LoadedEngine& operator=(const LoadedEngine&) = delete;

    const ScratchFolder& Folder() const { return folder_; }

    // Started, with a session that sees the store's aliases.
    void Start() {
        api::Environment environment{};
        std::memcpy(environment.language, "0009", 5);
        if (init(api::kInterfaceVersion, &environment) != api::kOk)
            throw std::runtime_error("engine does not start");
        api::SessionHandle session = nullptr;
        if (getCurrSession(&session) != api::kOk ||
            setProp(session, api::kPropConfigMode, kEveryOrigin) != api::kOk)
            throw std::runtime_error("engine gives no session");
    }

    std::vector<std::wstring> Aliases(api::Status& status) {
        std::vector<std::wstring> names;
        api::CursorHandle cursor = nullptr;
        status = openDatabaseList(&cursor);
        if (status != api::kOk)
            return names;
        api::DatabaseDescription record{};
        while (getNextRecord(cursor, api::kNoLock, &record, nullptr) == api::kOk)
            names.push_back(FromOem(record.name));
        closeCursor(&cursor);
        return names;
    }

    std::vector<std::wstring> Branch(std::wstring_view path, api::Status& status) {
        std::vector<std::wstring> lines;
        api::CursorHandle cursor = nullptr;
        status = openCfgInfoList(nullptr, api::kOpenReadOnly, api::kConfigPersistent, ToOem(path).c_str(),
                                 &cursor);
        if (status != api::kOk)
            return lines;
        api::ConfigNode node{};
        while (getNextRecord(cursor, api::kNoLock, &node, nullptr) == api::kOk)
            lines.push_back(FromOem(node.name) + L"=" + FromOem(node.value));
        closeCursor(&cursor);
        return lines;
    }

    // The driver type, or "#XXXX" with the status of a description that cannot be read.
    std::wstring DriverType(std::wstring_view alias) {
        api::DatabaseDescription description{};
        const api::Status status = getDatabaseDesc(ToOem(alias).c_str(), &description);
        if (status != api::kOk)
            return L"#" + std::to_wstring(status);
        return FromOem(description.driverType);
    }

    // "status: context" per entry of the last error.
    std::vector<std::wstring> LastError() {
        std::vector<std::wstring> entries;
        for (std::uint16_t number = 1;; ++number) {
            std::int32_t nativeCode = -1;
            char context[api::kMessageField];
            const api::Status status = getErrorEntry(number, &nativeCode, context);
            if (status == api::kOk)
                break;
            EXPECT_EQ(nativeCode, 0);
            entries.push_back(std::to_wstring(status) + L": " + FromOem(context));
        }
        return entries;
    }

    static constexpr std::uint32_t kEveryOrigin =
        api::kConfigModeVirtual | api::kConfigModePersistent | api::kConfigModeSession;

    decltype(&DbiInitFn) init = nullptr;
    decltype(&DbiGetCurrSession) getCurrSession = nullptr;
    decltype(&DbiSetProp) setProp = nullptr;
    decltype(&DbiOpenDatabaseList) openDatabaseList = nullptr;
    decltype(&DbiGetNextRecord) getNextRecord = nullptr;
    decltype(&DbiCloseCursor) closeCursor = nullptr;
    decltype(&DbiGetDatabaseDesc) getDatabaseDesc = nullptr;
    decltype(&DbiOpenCfgInfoList) openCfgInfoList = nullptr;
    decltype(&DbiGetErrorString) getErrorString = nullptr;
    decltype(&DbiGetErrorEntry) getErrorEntry = nullptr;

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
std::vector<std::wstring> Dump(LoadedEngine& engine) {
    std::vector<std::wstring> dump;
    api::Status status = api::kOk;
    for (const std::wstring& alias : engine.Aliases(status)) {
        dump.push_back(alias + L" : " + engine.DriverType(alias));
        for (const wchar_t* branch : {L"\\DB INFO", L"\\DB OPEN"})
            for (const std::wstring& line : engine.Branch(L"\\DATABASES\\" + alias + branch, status))
                dump.push_back(std::wstring(L"  ") + (branch[4] == L'I' ? L"info " : L"open ") + line);
    }
    EXPECT_EQ(status, api::kOk);
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
         {L"SinTipo : #" + std::to_wstring(kNoDriverType), L"  open SERVER NAME=x",
          L"Otro : #" + std::to_wstring(kNoDriverType), L"  info PATH=C:\\"}},
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
        engine.Start();
        EXPECT_EQ(Dump(engine), c.expected);
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
        engine.Start();
        const std::vector<std::wstring> report = {std::to_wstring(kStoreMalformed) + L": " + c.context};
        api::Status status = api::kOk;
        EXPECT_TRUE(engine.Aliases(status).empty());
        EXPECT_EQ(status, kStoreMalformed);
        EXPECT_EQ(engine.LastError(), report);
        EXPECT_EQ(engine.DriverType(L"A"), L"#" + std::to_wstring(kStoreMalformed));
        EXPECT_EQ(engine.LastError(), report);
        engine.Branch(L"\\DATABASES\\A\\DB INFO", status);
        EXPECT_EQ(status, kStoreMalformed);
        EXPECT_EQ(engine.LastError(), report);
    }
}

TEST(EngineStore, WithoutAStoreEveryRequestFails) {
    LoadedEngine engine(nullptr);
    engine.Start();
    api::Status status = api::kOk;
    EXPECT_TRUE(engine.Aliases(status).empty());
    EXPECT_EQ(status, kStoreMissing);
    const std::wstring store = (engine.Folder().Path() / L"aliases.cfg").wstring();
    EXPECT_EQ(engine.LastError(), std::vector<std::wstring>{std::to_wstring(kStoreMissing) + L": " + store +
                                                            L": system error 2"});
    EXPECT_EQ(engine.DriverType(L"Zentor7"), L"#" + std::to_wstring(kStoreMissing));
}

TEST(EngineStore, LooksAliasesUpIgnoringOnlyAsciiLetterCase) {
    LoadedEngine engine(
        "[DATABASES\\N\xC3\xB3mina\\DB INFO]\nTYPE=MSSQL\n"
        "[DATABASES\\Zentor7\\DB OPEN]\nSERVER NAME=s\n[DATABASES\\Zentor7\\DB INFO]\nTYPE=ORACLE\n");
    engine.Start();
    EXPECT_EQ(engine.DriverType(L"ZENTOR7"), L"ORACLE");
    EXPECT_EQ(engine.DriverType(L"zentor7"), L"ORACLE");
    EXPECT_EQ(engine.DriverType(L"NóMINA"), L"MSSQL");
    EXPECT_EQ(engine.DriverType(L"Zentor"), L"#" + std::to_wstring(api::kUnknownDatabase));
    EXPECT_EQ(engine.LastError(),
              std::vector<std::wstring>{std::to_wstring(api::kUnknownDatabase) + L": Alias: Zentor"});
    api::Status status = api::kOk;
    EXPECT_EQ(engine.Branch(L"\\databases\\ZENTOR7\\db open", status),
              std::vector<std::wstring>{L"SERVER NAME=s"});
    EXPECT_TRUE(engine.Branch(L"\\DATABASES\\Nómina\\DB OPEN", status).empty());
    EXPECT_EQ(status, api::kOk);
}

TEST(EngineStore, SessionAndCursorRules) {
    LoadedEngine engine("[DATABASES\\A\\DB INFO]\nTYPE=MSSQL\n");
    api::SessionHandle session = nullptr;
    api::CursorHandle cursor = nullptr;
    api::DatabaseDescription description{};
    EXPECT_EQ(engine.getCurrSession(&session), api::kNotInitialised);
    EXPECT_EQ(engine.openDatabaseList(&cursor), api::kNotInitialised);
    EXPECT_EQ(engine.getDatabaseDesc("A", &description), api::kNotInitialised);
    EXPECT_EQ(engine.LastError(), std::vector<std::wstring>{std::to_wstring(api::kNotInitialised) + L": "});
    api::Environment environment{};
    std::memcpy(environment.language, "0009", 5);
    EXPECT_EQ(engine.init(499, &environment), api::kInvalidParameter);
    ASSERT_EQ(engine.init(api::kInterfaceVersion, &environment), api::kOk);
    EXPECT_EQ(engine.init(api::kInterfaceVersion, &environment), api::kAlreadyInitialised);
    ASSERT_EQ(engine.getCurrSession(&session), api::kOk);

    // A new session shows only its own aliases, and the store's are persistent ones.
    api::Status status = api::kOk;
    EXPECT_TRUE(engine.Aliases(status).empty());
    EXPECT_EQ(engine.setProp(session, api::kPropConfigMode, api::kConfigModePersistent), api::kOk);
    EXPECT_EQ(engine.Aliases(status), std::vector<std::wstring>{L"A"});
    EXPECT_EQ(engine.setProp(session, api::kPropConfigMode, 8), api::kInvalidParameter);
    EXPECT_EQ(engine.setProp(session, 0x00020001, 7), api::kInvalidParameter);
    EXPECT_EQ(engine.setProp(&environment, api::kPropConfigMode, 7), api::kInvalidHandle);

    // Records as published: the description of an alias from the list, a node of a branch.
    ASSERT_EQ(engine.openDatabaseList(&cursor), api::kOk);
    std::memset(&description, 'x', sizeof description);
    EXPECT_EQ(engine.getNextRecord(cursor, api::kNoLock, &description, nullptr), api::kOk);
    EXPECT_STREQ(description.name, "A");
    EXPECT_STREQ(description.driverType, "MSSQL");
    EXPECT_EQ(engine.getNextRecord(cursor, api::kNoLock, &description, nullptr), api::kEndOfTable);
    EXPECT_EQ(engine.closeCursor(&cursor), api::kOk);
    EXPECT_EQ(cursor, nullptr);
    EXPECT_EQ(engine.closeCursor(&cursor), api::kInvalidHandle);
    EXPECT_EQ(engine.getNextRecord(cursor, api::kNoLock, &description, nullptr), api::kInvalidHandle);

    // The configuration is read through no handle of its own, read-only or not, in a known mode.
    EXPECT_EQ(engine.openCfgInfoList(&environment, api::kOpenReadOnly, api::kConfigPersistent,
                                     "\\DATABASES\\A\\DB INFO", &cursor),
              api::kInvalidHandle);
    EXPECT_EQ(engine.openCfgInfoList(nullptr, 2, api::kConfigPersistent, "\\DATABASES\\A\\DB INFO", &cursor),
              api::kInvalidParameter);
    EXPECT_EQ(engine.openCfgInfoList(nullptr, api::kOpenReadOnly, 3, "\\DATABASES\\A\\DB INFO", &cursor),
              api::kInvalidParameter);
    engine.Branch(L"\\DATABASES\\A\\DB OTHER", status);
    EXPECT_EQ(status, api::kObjectNotFound);
    engine.Branch(L"\\DATABASES\\B\\DB OPEN", status);
    EXPECT_EQ(status, api::kObjectNotFound);
    EXPECT_EQ(engine.LastError(), std::vector<std::wstring>{std::to_wstring(api::kObjectNotFound) +
                                                            L": Path: \\DATABASES\\B\\DB OPEN"});

    char text[api::kMessageField];
    EXPECT_EQ(engine.getErrorString(api::kUnknownDatabase, text), api::kOk);
    EXPECT_STREQ(text, "Unknown database");
    EXPECT_EQ(engine.getErrorString(0x7777, text), api::kOk);
    EXPECT_STREQ(text, "");
}

// Names and values arrive cut to their published fields: names 31 bytes, values 127.
TEST(EngineStore, CutsNamesAndValuesToTheirFields) {
    const std::string value127(127, 'v');
    const std::string name40 = "ENTRY_NAME_" + std::string(29, 'n');
    const std::string store =
        "[DATABASES\\A\\DB INFO]\nTYPE=MSSQL\n[DATABASES\\A\\DB OPEN]\nEXACT=" + value127 +
        "\nLONGER=" + value127 + "xyz\n" + name40 + "=1\n";
    LoadedEngine engine(store.c_str());
    engine.Start();
    api::Status status = api::kOk;
    const std::wstring wide127(127, L'v');
    EXPECT_EQ(engine.Branch(L"\\DATABASES\\A\\DB OPEN", status),
              (std::vector<std::wstring>{L"EXACT=" + wide127, L"LONGER=" + wide127,
                                         std::wstring(name40.begin(), name40.begin() + 31) + L"=1"}));
}

// Alias positions are not bounded by 16 bits, and every alias is found by its name.
TEST(EngineStore, HoldsMoreAliasesThanSixteenBitsCount) {
    constexpr int kAliases = 70'000;
    std::string store;
    for (int i = 0; i < kAliases; ++i)
        store +=
            "[DATABASES\\Alias" + std::to_string(i) + "\\DB INFO]\nTYPE=T" + std::to_string(i % 7) + "\n";
    LoadedEngine engine(store.c_str());
    engine.Start();
    api::Status status = api::kOk;
    const std::vector<std::wstring> names = engine.Aliases(status);
    ASSERT_EQ(names.size(), static_cast<std::size_t>(kAliases));
    for (int i = 0; i < kAliases; i += 997) {
        EXPECT_EQ(names[static_cast<std::size_t>(i)], L"Alias" + std::to_wstring(i));
        EXPECT_EQ(engine.DriverType(L"ALIAS" + std::to_wstring(i)), L"T" + std::to_wstring(i % 7));
    }
    EXPECT_EQ(engine.DriverType(L"Alias69999"), L"T" + std::to_wstring(69'999 % 7));
}

} // namespace
} // namespace zt::test
