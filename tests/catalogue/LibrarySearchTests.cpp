// Where the catalogue finds the engine library: the working directory, the folders of the registry's
// DLLPATH, then the system's own search (which starts beside the program). Each place gets an engine
// whose store names the place, so the alias list shows which one was loaded.
#include "tests/catalogue/CatalogueTestFiles.h"
#include "tests/support/EngineRegistryKey.h"

#include <gtest/gtest.h>
#include <optional>
#include <windows.h>

namespace zt::test {
namespace {

enum class Place { Work, Registry, SecondRegistry, Beside };
enum class Registry { None, KeyOnly, First, MissingThenSecond, TooLong, FirstIn64BitView };

struct Case {
    const char* name;
    std::vector<Place> engines;
    Registry registry;
    const wchar_t* nonEngineInWork; // a fake engine's kind, "garbage", or nullptr
    std::optional<Place> expectedFrom;
    std::uint16_t expectedStatus; // when nothing is expected to work
};

struct Layout {
    ScratchFolder root;
    std::filesystem::path work = root.Sub(L"work");
    std::filesystem::path registry = root.Sub(L"registry one");
    std::filesystem::path secondRegistry = root.Sub(L"registry two");
    std::filesystem::path beside = root.Sub(L"program");

    const std::filesystem::path& Folder(Place place) const {
        switch (place) {
        case Place::Work:
            return work;
        case Place::Registry:
            return registry;
        case Place::SecondRegistry:
            return secondRegistry;
        default:
            return beside;
        }
    }
};

std::wstring AliasFor(Place place) {
    return place == Place::Work             ? L"EnTrabajo"
           : place == Place::Registry       ? L"EnRegistro"
           : place == Place::SecondRegistry ? L"EnRegistroDos"
                                            : L"JuntoAlPrograma";
}

std::optional<std::wstring> DllPath(Registry registry, const Layout& layout) {
    switch (registry) {
    case Registry::None:
    case Registry::KeyOnly:
        return std::nullopt;
    case Registry::First:
    case Registry::FirstIn64BitView:
        return layout.registry.wstring();
    case Registry::MissingThenSecond:
        return (layout.root.Path() / L"missing").wstring() + L";" + layout.secondRegistry.wstring();
    case Registry::TooLong:
        // More than the 260 bytes that are read: the value is passed over.
        return std::wstring(140, L';') + layout.registry.wstring();
    }
    return std::nullopt;
}

std::vector<std::wstring> OutputLines(const std::wstring& output) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = output.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(output.substr(start, end - start));
    return lines;
}

TEST(LibrarySearch, FindsTheEngineInItsPlacesInOrder) {
    // Wine creates the engine's key with settings of its own; a DLLPATH would be left over from elsewhere.
    ASSERT_FALSE(EngineRegistryKey::DllPathExists(KEY_WOW64_32KEY))
        << "a DLLPATH of the engine is already set";
    ASSERT_FALSE(EngineRegistryKey::DllPathExists(KEY_WOW64_64KEY))
        << "a DLLPATH of the engine is already set";
    const Case cases[] = {
        {"working directory first",
         {Place::Work, Place::Registry, Place::Beside},
         Registry::First,
         nullptr,
         Place::Work,
         0},
        {"then the registry's DLLPATH",
         {Place::Registry, Place::Beside},
         Registry::First,
         nullptr,
         Place::Registry,
         0},
        {"DLLPATH is a search path",
         {Place::SecondRegistry, Place::Beside},
         Registry::MissingThenSecond,
         nullptr,
         Place::SecondRegistry,
         0},
        {"then the system's search", {Place::Beside}, Registry::None, nullptr, Place::Beside, 0},
        {"a key without DLLPATH is passed over",
         {Place::Beside},
         Registry::KeyOnly,
         nullptr,
         Place::Beside,
         0},
        {"a DLLPATH too long to read is passed over",
         {Place::Registry, Place::Beside},
         Registry::TooLong,
         nullptr,
         Place::Beside,
         0},
        {"a DLLPATH in the registry view of 64-bit programs is not the engine's",
         {Place::Registry, Place::Beside},
         Registry::FirstIn64BitView,
         nullptr,
         Place::Beside,
         0},
        {"no library anywhere", {}, Registry::First, nullptr, std::nullopt, 0x2108},
        {"no library and no registry key", {}, Registry::None, nullptr, std::nullopt, 0x2108},
        {"a library without DbiInitFn ends the search",
         {Place::Beside},
         Registry::None,
         L"noentry",
         std::nullopt,
         0x2A06},
        {"an engine that refuses to start",
         {Place::Beside},
         Registry::None,
         L"refusing",
         std::nullopt,
         0x3F01},
        {"a file that is no library", {}, Registry::None, L"garbage", std::nullopt, 0x2109},
        {"the error dialogs for files are off while the library loads",
         {Place::Beside},
         Registry::None,
         L"errormode",
         std::nullopt,
         0x3E01},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Layout layout;
        for (const Place place : c.engines) {
            CopyInto(EngineDll(), layout.Folder(place));
            WriteBytes(layout.Folder(place) / L"aliases.cfg",
                       "[DATABASES\\" + ToUtf8(AliasFor(place)) + "\\DB INFO]\nTYPE=MSSQL\n");
        }
        if (c.nonEngineInWork != nullptr) {
            if (std::wstring_view(c.nonEngineInWork) == L"garbage")
                WriteBytes(layout.work / L"IDAPI32.DLL", "MZ but nothing that loads");
            else
                CopyInto(FakeEngineDll(c.nonEngineInWork), layout.work);
        }
        CopyInto(ProbeProgram(), layout.beside);
        // The engine's installer writes the view of 32-bit programs; the other view is not the engine's.
        const REGSAM view = c.registry == Registry::FirstIn64BitView ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
        std::optional<EngineRegistryKey> key;
        if (c.registry != Registry::None)
            key.emplace(DllPath(c.registry, layout), view);

        const ProgramRun run =
            RunProgram(layout.beside / L"catalogue_probe.exe",
                       {L"errormode", L"names", L"module", L"errormode", L"driver:X"}, layout.work);
        ASSERT_TRUE(run.ended) << "the probe did not end within 60 s";
        const std::vector<std::wstring> lines = OutputLines(run.output);
        ASSERT_EQ(lines.size(), 11u) << run.output;
        EXPECT_EQ(lines[8], lines[1]) << "the error mode is restored after the search";
        if (c.expectedFrom) {
            EXPECT_EQ(lines[3], AliasFor(*c.expectedFrom));
            EXPECT_EQ(lines[6], (layout.Folder(*c.expectedFrom) / L"IDAPI32.DLL").wstring());
            EXPECT_EQ(lines[10], L"! EDatabaseError: Invalid alias name X");
        } else {
            wchar_t hex[5];
            swprintf(hex, 5, L"%04X", c.expectedStatus);
            const std::wstring failure =
                std::wstring(L"! EDBEngineError ") + hex +
                L": An error occurred while attempting to initialize the Borland Database Engine (error $" +
                hex + L")";
            EXPECT_EQ(lines[3], failure);
            EXPECT_EQ(lines[6], L"(none)") << "a failed start unloads the library it loaded";
            // The session stays not started, and the next call tries again.
            EXPECT_EQ(lines[10], failure);
        }
    }
}

} // namespace
} // namespace zt::test
