// The published-interface engine double itself: loaded from a folder of its own, as the program
// loads an engine, and called only through what GetProcAddress gives for the published names.
#include "tests/published-engine/EngineInterface.h"
#include "tests/support/Bytes.h"
#include "tests/support/ScratchFolder.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>
#include <windows.h>

namespace zt::published_engine {
namespace {

namespace fs = std::filesystem;

// The bytes that a text has in the OEM code page.
std::string Oem(const std::wstring& text) {
    std::string oem(text.size() * 2, '\0');
    oem.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_OEMCP, 0, text.data(),
                                                            static_cast<int>(text.size()), oem.data(),
                                                            static_cast<int>(oem.size()), nullptr, nullptr)));
    return oem;
}

template <std::size_t N> std::string Field(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

struct Node {
    std::string name;
    std::string value;
    bool operator==(const Node&) const = default;
};

const std::string kCatalogue = "[DATABASES\\Zentor7\\DB INFO]\n"
                               "TYPE=MSSQL\n"
                               "[DATABASES\\Zentor7\\DB OPEN]\n"
                               "SERVER NAME=SRV\n"
                               "DATABASE NAME=GENTE\n";

class EngineDoubleTest : public ::testing::Test {
protected:
    void SetUp() override { Load(kCatalogue); }

    // A fresh engine in the test's folder, over this catalogue (none: no aliases.cfg at all).
    void Load(const std::optional<std::string>& catalogue) {
        module_.reset();
        fs::remove(folder_.Path() / L"aliases.cfg");
        if (catalogue)
            test::WriteBytes(folder_.Path() / L"aliases.cfg", *catalogue);
        const fs::path library = folder_.Path() / L"IDAPI32.DLL";
        if (!fs::exists(library))
            folder_.CopyIn(test::ExecutableFolder() / L"published-engine" / L"IDAPI32.DLL");
        module_.reset(LoadLibraryW(library.c_str()));
        ASSERT_NE(module_, nullptr) << "IDAPI32.DLL does not load, error " << GetLastError();
        init_ = Entry<DbiInitFnProc>("DbiInitFn");
        getSession_ = Entry<DbiGetCurrSessionProc>("DbiGetCurrSession");
        setProp_ = Entry<DbiSetPropProc>("DbiSetProp");
        openList_ = Entry<DbiOpenDatabaseListProc>("DbiOpenDatabaseList");
        next_ = Entry<DbiGetNextRecordProc>("DbiGetNextRecord");
        close_ = Entry<DbiCloseCursorProc>("DbiCloseCursor");
        describe_ = Entry<DbiGetDatabaseDescProc>("DbiGetDatabaseDesc");
        openBranch_ = Entry<DbiOpenCfgInfoListProc>("DbiOpenCfgInfoList");
        errorText_ = Entry<DbiGetErrorStringProc>("DbiGetErrorString");
        errorEntry_ = Entry<DbiGetErrorEntryProc>("DbiGetErrorEntry");
    }

    template <class Proc> Proc Entry(const char* name) const {
        const FARPROC address = GetProcAddress(module_.get(), name);
        EXPECT_NE(address, nullptr) << name << " is not exported";
        return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(address));
    }

    DbiStatus Start(std::uint16_t version = kInterfaceVersion) {
        EnvironmentRecord environment{};
        std::strcpy(environment.language, "0009");
        return init_(version, &environment);
    }

    DbiHandle Session() const {
        DbiHandle session = nullptr;
        EXPECT_EQ(getSession_(&session), kSuccess);
        return session;
    }

    // Starts the engine with every alias origin shown, as the program does.
    void StartShowingAll() {
        ASSERT_EQ(Start(), kSuccess);
        ASSERT_EQ(setProp_(Session(), kConfigurationModeProperty, 7), kSuccess);
    }

    std::vector<DatabaseDescription> List() const {
        DbiHandle cursor = nullptr;
        EXPECT_EQ(openList_(&cursor), kSuccess);
        std::vector<DatabaseDescription> records;
        for (DatabaseDescription record{}; next_(cursor, 0, &record, nullptr) == kSuccess; record = {})
            records.push_back(record);
        EXPECT_EQ(close_(&cursor), kSuccess);
        return records;
    }

    std::vector<std::string> ListedNames() const {
        std::vector<std::string> names;
        for (const DatabaseDescription& record : List())
            names.push_back(Field(record.name));
        return names;
    }

    std::vector<Node> Branch(const std::string& path) const {
        DbiHandle cursor = nullptr;
        EXPECT_EQ(openBranch_(nullptr, kOpenReadOnly, kConfigurationPersistent, path.c_str(), &cursor),
                  kSuccess)
            << path;
        std::vector<Node> nodes;
        for (ConfigurationNode node{}; next_(cursor, 0, &node, nullptr) == kSuccess; node = {})
            nodes.push_back({Field(node.name), Field(node.value)});
        EXPECT_EQ(close_(&cursor), kSuccess);
        return nodes;
    }

    struct Entry_ {
        DbiStatus status;
        std::uint32_t native;
        std::string context;
    };
    Entry_ ErrorEntry(std::uint16_t number) const {
        std::uint32_t native = 99;
        char context[kMessageBuffer] = "untouched";
        const DbiStatus status = errorEntry_(number, &native, context);
        return {status, native, context};
    }

    std::vector<std::string> LogLines() const {
        const fs::path log = folder_.Path() / L"engine-calls.log";
        std::vector<std::string> lines;
        std::istringstream text(fs::exists(log) ? test::ReadBytes(log) : std::string());
        for (std::string line; std::getline(text, line);)
            lines.push_back(line);
        return lines;
    }

    test::ScratchFolder folder_;
    struct Unload {
        void operator()(HMODULE module) const { FreeLibrary(module); }
    };
    std::unique_ptr<std::remove_pointer_t<HMODULE>, Unload> module_;
    DbiInitFnProc init_ = nullptr;
    DbiGetCurrSessionProc getSession_ = nullptr;
    DbiSetPropProc setProp_ = nullptr;
    DbiOpenDatabaseListProc openList_ = nullptr;
    DbiGetNextRecordProc next_ = nullptr;
    DbiCloseCursorProc close_ = nullptr;
    DbiGetDatabaseDescProc describe_ = nullptr;
    DbiOpenCfgInfoListProc openBranch_ = nullptr;
    DbiGetErrorStringProc errorText_ = nullptr;
    DbiGetErrorEntryProc errorEntry_ = nullptr;
};

TEST_F(EngineDoubleTest, ExportsTheTenPublishedNamesUndecoratedAndNothingElse) {
    const auto* base = reinterpret_cast<const BYTE*>(module_.get());
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    std::vector<std::string> exported;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        exported.emplace_back(reinterpret_cast<const char*>(base + names[i]));
    std::ranges::sort(exported);
    EXPECT_EQ(exported, (std::vector<std::string>{"DbiCloseCursor", "DbiGetCurrSession", "DbiGetDatabaseDesc",
                                                  "DbiGetErrorEntry", "DbiGetErrorString", "DbiGetNextRecord",
                                                  "DbiInitFn", "DbiOpenCfgInfoList", "DbiOpenDatabaseList",
                                                  "DbiSetProp"}));
    EXPECT_EQ(exports->NumberOfFunctions, exports->NumberOfNames) << "an export by ordinal only";
}

TEST_F(EngineDoubleTest, EveryCallBeforeTheStartIsRefusedWithItsErrorStack) {
    DbiHandle handle = nullptr;
    DatabaseDescription description{};
    ConfigurationNode node{};
    const std::pair<const char*, std::function<DbiStatus()>> calls[] = {
        {"DbiGetCurrSession", [&] { return getSession_(&handle); }},
        {"DbiSetProp", [&] { return setProp_(&handle, kConfigurationModeProperty, 7); }},
        {"DbiOpenDatabaseList", [&] { return openList_(&handle); }},
        {"DbiGetNextRecord", [&] { return next_(&handle, 0, &node, nullptr); }},
        {"DbiCloseCursor", [&] { return close_(&handle); }},
        {"DbiGetDatabaseDesc", [&] { return describe_("Zentor7", &description); }},
        {"DbiOpenCfgInfoList",
         [&] {
             return openBranch_(nullptr, kOpenReadOnly, kConfigurationPersistent,
                                "\\DATABASES\\Zentor7\\DB OPEN", &handle);
         }},
    };
    for (const auto& [name, call] : calls) {
        SCOPED_TRACE(name);
        EXPECT_EQ(call(), kNotInitialised);
        const Entry_ first = ErrorEntry(1);
        EXPECT_EQ(first.status, kNotInitialised);
        EXPECT_EQ(first.native, 0u);
        EXPECT_NE(first.context.find(name), std::string::npos) << first.context;
        EXPECT_EQ(ErrorEntry(2).status, kSuccess);
    }
    char text[kMessageBuffer] = {};
    EXPECT_EQ(errorText_(kNotInitialised, text), kSuccess) << "a failed start must be explainable";
    EXPECT_STRNE(text, "");
}

TEST_F(EngineDoubleTest, StartServesVersion500OnceAndLogsWhatItWasGiven) {
    EXPECT_EQ(Start(499), kInvalidParameter);
    DbiHandle session = nullptr;
    EXPECT_EQ(getSession_(&session), kNotInitialised) << "a refused start starts nothing";
    EXPECT_EQ(Start(), kSuccess);
    EXPECT_EQ(Start(), kAlreadyInitialised);
    EXPECT_EQ(ErrorEntry(1).status, kAlreadyInitialised);
    EXPECT_EQ(getSession_(&session), kSuccess);
    EXPECT_NE(session, nullptr);
    EXPECT_EQ(setProp_(session, kConfigurationModeProperty, 7), kSuccess);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "DbiInitFn version=499 language=0009", "DbiInitFn version=500 language=0009",
                              "DbiInitFn version=500 language=0009", "DbiSetProp property=0x2000C value=7"}));
}

TEST_F(EngineDoubleTest, StoredAliasesAreListedOnlyInAModeWithThePersistentBit) {
    ASSERT_EQ(Start(), kSuccess);
    EXPECT_TRUE(ListedNames().empty()) << "a fresh session shows its own aliases only, and has none";
    const std::pair<std::uint32_t, bool> modes[] = {{kModeVirtual, false},
                                                    {kModeSession, false},
                                                    {kModePersistent, true},
                                                    {kModeVirtual | kModeSession, false},
                                                    {kModePersistent | kModeSession, true},
                                                    {7, true}};
    for (const auto& [mode, shown] : modes) {
        SCOPED_TRACE(mode);
        ASSERT_EQ(setProp_(Session(), kConfigurationModeProperty, mode), kSuccess);
        EXPECT_EQ(ListedNames(), shown ? std::vector<std::string>{"Zentor7"} : std::vector<std::string>{});
    }
}

TEST_F(EngineDoubleTest, SetPropRefusesOtherObjectsPropertiesAndModes) {
    StartShowingAll();
    DbiHandle cursor = nullptr;
    ASSERT_EQ(openList_(&cursor), kSuccess);
    struct Case {
        const char* name;
        DbiHandle object;
        std::uint32_t property;
        std::uint32_t value;
        DbiStatus expected;
    };
    const Case cases[] = {
        {"no handle", nullptr, kConfigurationModeProperty, 2, kInvalidHandle},
        {"a cursor", cursor, kConfigurationModeProperty, 2, kInvalidHandle},
        {"another property", Session(), 0x00020001, 2, kInvalidParameter},
        {"an unknown mode bit", Session(), kConfigurationModeProperty, 8 | 2, kInvalidParameter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(setProp_(c.object, c.property, c.value), c.expected);
        EXPECT_EQ(ErrorEntry(1).status, c.expected);
    }
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"Zentor7"})
        << "a refused mode leaves the mode as it was";
    EXPECT_EQ(close_(&cursor), kSuccess);
}

TEST_F(EngineDoubleTest, TheStoreIsReadAsWrittenAndHandedOverInTheOemCodePage) {
    Load("\xEF\xBB\xBF; aliases of the workstation\r\n"
         "\r\n"
         "  [ DATABASES\\N\xC3\xB3mina\\DB OPEN ]  \r\n"
         "  SERVER NAME  =  SRV\\N\xC3\xB3mina ; not a comment = kept \r\n"
         "DATABASE NAME=\r\n"
         "[DATABASES\\Zentor7\\DB INFO]\n"
         "TYPE=MSSQL\n"
         "\t; indented comment\n"
         "[DATABASES\\Archivo\\DB INFO]\n"
         "TYPE=STANDARD\n"
         "PATH=C:\\Datos\\\n"
         "DEFAULT DRIVER=PARADOX\n"
         "[DATABASES\\n\xC3\xB3MINA\\DB INFO]\n"
         "TYPE=MSSQL\n"
         "[DATABASES\\ZENTOR7\\DB OPEN]\n"
         "SERVER NAME=S7\n");
    StartShowingAll();
    const std::vector<DatabaseDescription> listed = List();
    ASSERT_EQ(listed.size(), 3u);
    const std::string nomina = Oem(L"N\u00F3mina");
    EXPECT_EQ(Field(listed[0].name), nomina) << "sections of one alias in other ASCII letter cases merge";
    EXPECT_EQ(Field(listed[0].driverType), "MSSQL");
    EXPECT_EQ(Field(listed[1].name), "Zentor7");
    EXPECT_EQ(Field(listed[2].name), "Archivo");
    EXPECT_EQ(Field(listed[2].driverType), "STANDARD");
    EXPECT_EQ(Field(listed[2].physicalName), "C:\\Datos\\");
    EXPECT_EQ(Branch("\\DATABASES\\" + nomina + "\\DB OPEN"),
              (std::vector<Node>{{"SERVER NAME", "  SRV\\" + nomina + " ; not a comment = kept "},
                                 {"DATABASE NAME", ""}}));
    EXPECT_EQ(Branch("\\DATABASES\\zentor7\\DB OPEN"), (std::vector<Node>{{"SERVER NAME", "S7"}}));
    EXPECT_EQ(
        Branch("\\DATABASES\\Archivo\\DB INFO"),
        (std::vector<Node>{{"TYPE", "STANDARD"}, {"PATH", "C:\\Datos\\"}, {"DEFAULT DRIVER", "PARADOX"}}));
    EXPECT_TRUE(Branch("\\DATABASES\\Archivo\\DB OPEN").empty());
}

TEST_F(EngineDoubleTest, NamesAndValuesArriveCutToTheirFields) {
    const std::string longName(40, 'A');
    const std::string value127(127, 'v');
    Load("[DATABASES\\" + longName + "\\DB INFO]\nTYPE=MSSQL\n[DATABASES\\" + longName + "\\DB OPEN]\n" +
         "SERVER NAME=" + value127 + "\n" + "DATABASE NAME=" + value127 + "xyz\n" + longName + "=" +
         "\xC3\xA9" + std::string(126, 'w') + "\n");
    StartShowingAll();
    const std::string cutName(31, 'A');
    EXPECT_EQ(ListedNames(), std::vector<std::string>{cutName});
    DatabaseDescription description{};
    EXPECT_EQ(describe_(cutName.c_str(), &description), kSuccess);
    EXPECT_EQ(Branch("\\DATABASES\\" + cutName + "\\DB OPEN"),
              (std::vector<Node>{{"SERVER NAME", value127},
                                 {"DATABASE NAME", value127},
                                 {cutName, Oem(L"\u00E9") + std::string(126, 'w')}}));
}

TEST_F(EngineDoubleTest, AnUnknownAliasOrBranchIsNotFound) {
    Load(kCatalogue + "[DATABASES\\N\xC3\xB3mina\\DB INFO]\nTYPE=ORACLE\n");
    StartShowingAll();
    DatabaseDescription description{};
    const std::string nominaUpper = Oem(L"N\u00D3MINA");
    struct Case {
        std::string alias;
        DbiStatus expected;
    };
    const Case lookups[] = {{"ZENTOR7", kSuccess},
                            {"Zentor", kUnknownDatabase},
                            {"Zentor7 ", kUnknownDatabase},
                            {Oem(L"n\u00F3MINA"), kSuccess},
                            {nominaUpper, kUnknownDatabase}};
    for (const Case& c : lookups) {
        SCOPED_TRACE(c.alias);
        EXPECT_EQ(describe_(c.alias.c_str(), &description), c.expected);
        if (c.expected != kSuccess) {
            const Entry_ entry = ErrorEntry(1);
            EXPECT_EQ(entry.status, c.expected);
            EXPECT_NE(entry.context.find(c.alias), std::string::npos) << entry.context;
        }
    }
    const char* const branches[] = {"\\DATABASES\\Nadie\\DB OPEN", "\\DATABASES\\Zentor7\\DB OTHER",
                                    "\\DATABASES\\Zentor7", "\\DRIVERS\\MSSQL\\INIT",
                                    "DATABASES\\Zentor7\\DB OPEN"};
    for (const char* branch : branches) {
        SCOPED_TRACE(branch);
        DbiHandle cursor = nullptr;
        EXPECT_EQ(openBranch_(nullptr, kOpenReadOnly, kConfigurationPersistent, branch, &cursor),
                  kObjectNotFound);
        EXPECT_EQ(cursor, nullptr);
    }
}

TEST_F(EngineDoubleTest, BranchesAreServedReadOnlyFromTheStoredConfigurationOnly) {
    StartShowingAll();
    int notNull = 0;
    DbiHandle cursor = nullptr;
    struct Case {
        const char* name;
        DbiHandle configuration;
        std::uint32_t openMode;
        std::uint32_t configurationMode;
        const char* path;
        DbiHandle* cursor;
    };
    const char* const path = "\\DATABASES\\Zentor7\\DB OPEN";
    const Case cases[] = {
        {"a configuration handle", &notNull, kOpenReadOnly, kConfigurationPersistent, path, &cursor},
        {"read-write", nullptr, 0, kConfigurationPersistent, path, &cursor},
        {"the session's configuration", nullptr, kOpenReadOnly, 1, path, &cursor},
        {"all configurations", nullptr, kOpenReadOnly, 2, path, &cursor},
        {"no path", nullptr, kOpenReadOnly, kConfigurationPersistent, nullptr, &cursor},
        {"no place for the cursor", nullptr, kOpenReadOnly, kConfigurationPersistent, path, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(openBranch_(c.configuration, c.openMode, c.configurationMode, c.path, c.cursor),
                  kInvalidParameter);
        EXPECT_EQ(ErrorEntry(1).status, kInvalidParameter);
    }
    EXPECT_EQ(Branch(path), (std::vector<Node>{{"SERVER NAME", "SRV"}, {"DATABASE NAME", "GENTE"}}));
}

TEST_F(EngineDoubleTest, CursorsEndAndCloseStrictly) {
    StartShowingAll();
    DbiHandle cursor = nullptr;
    ASSERT_EQ(openList_(&cursor), kSuccess);
    DatabaseDescription record{};
    EXPECT_EQ(next_(cursor, 1, &record, nullptr), kInvalidParameter) << "a lock on a read-only list";
    EXPECT_EQ(next_(cursor, 0, nullptr, nullptr), kInvalidParameter);
    EXPECT_EQ(next_(cursor, 0, &record, nullptr), kSuccess);
    EXPECT_EQ(Field(record.name), "Zentor7");
    for (int again = 0; again < 2; ++again) {
        EXPECT_EQ(next_(cursor, 0, &record, nullptr), kEndOfTable);
        EXPECT_EQ(ErrorEntry(1).status, kEndOfTable);
    }
    DbiHandle closed = cursor;
    EXPECT_EQ(close_(&cursor), kSuccess);
    EXPECT_EQ(cursor, nullptr);
    EXPECT_EQ(next_(closed, 0, &record, nullptr), kInvalidHandle);
    EXPECT_EQ(close_(&closed), kInvalidHandle);
    DbiHandle session = Session();
    EXPECT_EQ(close_(&session), kInvalidHandle) << "a session is no cursor";
    EXPECT_EQ(close_(nullptr), kInvalidParameter);
}

TEST_F(EngineDoubleTest, AFailureKeepsItsErrorStackUntilTheNextCallThatCanFail) {
    StartShowingAll();
    DatabaseDescription description{};
    ASSERT_EQ(describe_("NADIE", &description), kUnknownDatabase);
    for (int reading = 0; reading < 2; ++reading) {
        const Entry_ first = ErrorEntry(1);
        EXPECT_EQ(first.status, kUnknownDatabase);
        EXPECT_EQ(first.native, 0u);
        EXPECT_NE(first.context.find("NADIE"), std::string::npos) << first.context;
        char text[kMessageBuffer] = {};
        EXPECT_EQ(errorText_(first.status, text), kSuccess) << "reading the texts leaves the stack as it is";
    }
    const Entry_ past = ErrorEntry(2);
    EXPECT_EQ(past.status, kSuccess);
    EXPECT_EQ(past.context, "");
    EXPECT_EQ(ErrorEntry(0).status, kSuccess);
    Session();
    EXPECT_EQ(ErrorEntry(1).status, kSuccess) << "a call that succeeds clears the stack";

    std::vector<std::string> texts;
    for (DbiStatus status :
         {kLibraryNotFound, kLibraryNotLoadable, kEndOfTable, kObjectNotFound, kNoMemory, kInvalidParameter,
          kInvalidHandle, kInvalidSessionHandle, kUnknownDatabase, kNotInitialised, kAlreadyInitialised}) {
        char text[kMessageBuffer] = {};
        ASSERT_EQ(errorText_(status, text), kSuccess);
        texts.emplace_back(text);
        EXPECT_FALSE(texts.back().empty()) << std::hex << status;
    }
    std::ranges::sort(texts);
    EXPECT_EQ(std::ranges::adjacent_find(texts), texts.end()) << "each status has a text of its own";
}

TEST_F(EngineDoubleTest, AStoreThatCannotBeReadRefusesTheStart) {
    struct Case {
        const char* name;
        std::optional<std::string> catalogue;
        DbiStatus expected;
        const char* context;
    };
    const Case cases[] = {
        {"no store", std::nullopt, kStoreMissing, "aliases.cfg"},
        {"a line that is no entry", kCatalogue + "SERVER NAME\n", kStoreLineMalformed, "line 6"},
        {"an entry before any section", "TYPE=MSSQL\n" + kCatalogue, kStoreLineMalformed, "line 1"},
        {"a section outside DATABASES", "[DRIVERS\\MSSQL\\INIT]\n", kStoreLineMalformed, "line 1"},
        {"a section without its end", "[DATABASES\\X\\DB INFO\n", kStoreLineMalformed, "line 1"},
        {"text that is not UTF-8", kCatalogue + "USER NAME=N\xF3mina\n", kStoreLineMalformed, "line 6"},
        {"an alias without TYPE", kCatalogue + "[DATABASES\\Sin tipo\\DB OPEN]\n", kStoreAliasWithoutType,
         "Sin tipo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.catalogue);
        EXPECT_EQ(Start(), c.expected);
        const Entry_ entry = ErrorEntry(1);
        EXPECT_EQ(entry.status, c.expected);
        EXPECT_NE(entry.context.find(c.context), std::string::npos) << entry.context;
        DbiHandle session = nullptr;
        EXPECT_EQ(getSession_(&session), kNotInitialised);
    }
}

} // namespace
} // namespace zt::published_engine
