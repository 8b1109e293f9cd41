// The catalogue over the stand-in engine, each case in a fresh probe process (the session starts
// once per process): the engine and its store in the probe's working directory.
#include "platform/catalogue/EngineLibrary.h"
#include "tests/catalogue/CatalogueTestFiles.h"

#include <gtest/gtest.h>

namespace zt::test {
namespace {

class Catalogue : public testing::Test {
protected:
    void SetUp() override {
        CopyInto(EngineDll(), work_);
        CopyInto(ProbeProgram(), probe_);
    }

    void Store(std::string_view utf8) { WriteBytes(work_ / L"aliases.cfg", utf8); }

    std::wstring Run(const std::vector<std::wstring>& operations) {
        const ProgramRun run = RunProgram(probe_ / L"catalogue_probe.exe", operations, work_);
        EXPECT_TRUE(run.ended) << "the probe did not end within 60 s";
        EXPECT_EQ(run.exitCode, 0u);
        return run.output;
    }

    ScratchFolder folder_;
    const std::filesystem::path work_ = folder_.Sub(L"work");
    const std::filesystem::path probe_ = folder_.Sub(L"probe");
};

// Letters beyond ASCII that the ANSI and the OEM code page both hold: ñ á é ü.
constexpr std::string_view kWorkstation = "\xEF\xBB\xBF; test workstation\r\n"
                                          "[DATABASES\\Peñalara\\DB INFO]\r\n"
                                          "TYPE=MSSQL\r\n"
                                          "[DATABASES\\Peñalara\\DB OPEN]\r\n"
                                          "SERVER NAME=  SRV-MADRID \r\n"
                                          "DATABASE NAME=Contabilidad_Año\r\n"
                                          "AÑO FISCAL=2024\r\n"
                                          "USER NAME=\r\n"
                                          "[DATABASES\\Zentor7\\DB INFO]\r\n"
                                          "TYPE=MSSQL\r\n"
                                          "[DATABASES\\Zentor7\\DB OPEN]\r\n"
                                          "SERVER NAME=srv01\r\n"
                                          "DATABASE NAME=Zentor\r\n"
                                          "[DATABASES\\Archivo\\DB INFO]\r\n"
                                          "PATH=C:\\Datos\\Médico\r\n"
                                          "TYPE=STANDARD\r\n"
                                          "DEFAULT DRIVER=TABLAS\r\n"
                                          "[DATABASES\\Archivo\\DB OPEN]\r\n"
                                          "NOT READ=1\r\n"
                                          "[DATABASES\\archivo_bajo\\DB INFO]\r\n"
                                          "type=standard\r\n"
                                          "PATH=D:\\\r\n"
                                          "[DATABASES\\Mixto\\DB INFO]\r\n"
                                          "TYPE=Standard\r\n"
                                          "TYPE=again\r\n"
                                          "[DATABASES\\CasiEstandar\\DB INFO]\r\n"
                                          "TYPE=STANDARD \r\n"
                                          "[DATABASES\\CasiEstandar\\DB OPEN]\r\n"
                                          "SERVER NAME=otro\r\n"
                                          "[DATABASES\\Oráculo\\DB INFO]\r\n"
                                          "TYPE=ORACLE\r\n"
                                          "[DATABASES\\Vacío\\DB INFO]\r\n"
                                          "TYPE=Mssql\r\n"
                                          "[DATABASES\\SinTipo\\DB OPEN]\r\n"
                                          "SERVER NAME=x\r\n"
                                          "[DATABASES\\ABCDEFGHIJKLMNOPQRSTUVWXYZ01234\\DB INFO]\r\n"
                                          "TYPE=POSTGRESQL ANSI\r\n"
                                          "[DATABASES\\ABCDEFGHIJKLMNOPQRSTUVWXYZ01234\\DB OPEN]\r\n"
                                          "SERVER NAME=pg\r\n"
                                          "[DATABASES\\Müller\\DB INFO]\r\n"
                                          "TYPE=ORACLE\r\n";

TEST_F(Catalogue, NamesAreAllAliasesInTheEnginesOrder) {
    Store(kWorkstation);
    // Asked twice in one process: the second listing starts from a cleared list.
    const std::wstring listing = Lines({L"> names", L"Peñalara", L"Zentor7", L"Archivo", L"archivo_bajo",
                                        L"Mixto", L"CasiEstandar", L"Oráculo", L"Vacío", L"SinTipo",
                                        L"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", L"Müller", L"= notices 1/1"});
    EXPECT_EQ(Run({L"names", L"names"}), listing + listing);
}

// The engine answers 2A07 to a start when something else in the process started it first: still a
// running session, and every alias of the store is listed.
TEST_F(Catalogue, AnEngineStartedAlreadyIsUsedAsItIs) {
    Store("[DATABASES\\Zentor7\\DB INFO]\nTYPE=MSSQL\n[DATABASES\\Otro\\DB INFO]\nTYPE=ORACLE\n");
    EXPECT_EQ(Run({L"startengine", L"names", L"driver:Otro"}),
              Lines({L"> startengine", L"0000", L"> names", L"Zentor7", L"Otro", L"= notices 1/1",
                     L"> driver:Otro", L"ORACLE"}));
}

TEST_F(Catalogue, EmptyStoreGivesNoNames) {
    Store("; no aliases yet\n");
    EXPECT_EQ(Run({L"names"}), Lines({L"> names", L"= notices 1/1"}));
}

TEST_F(Catalogue, DriverTypeOfAnAlias) {
    Store(kWorkstation);
    EXPECT_EQ(
        Run({L"driver:Zentor7", L"driver:zENTOR7", L"driver:Peñalara", L"driver:PEñALARA", L"driver:Vacío",
             L"driver:CasiEstandar", L"driver:ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", L"driver:SinTipo",
             L"driver:PEÑALARA", L"driver:ABCDEFGHIJKLMNOPQRSTUVWXYZ01234-más", L"driver:"}),
        Lines({L"> driver:Zentor7",
               L"MSSQL",
               L"> driver:zENTOR7",
               L"MSSQL",
               L"> driver:Peñalara",
               L"MSSQL",
               L"> driver:PEñALARA",
               L"MSSQL",
               L"> driver:Vacío",
               L"Mssql",
               L"> driver:CasiEstandar",
               L"STANDARD ",
               L"> driver:ABCDEFGHIJKLMNOPQRSTUVWXYZ01234",
               L"POSTGRESQL ANSI",
               L"> driver:SinTipo",
               L"! EDatabaseError: Invalid alias name SinTipo",
               L"> driver:PEÑALARA",
               L"! EDatabaseError: Invalid alias name PEÑALARA",
               L"> driver:ABCDEFGHIJKLMNOPQRSTUVWXYZ01234-más",
               L"! EDatabaseError: Invalid alias name ABCDEFGHIJKLMNOPQRSTUVWXYZ01234-más",
               L"> driver:",
               L"! EDatabaseError: Invalid alias name "}));
}

TEST_F(Catalogue, ParamsOfStandardAliasesAreTheirInfoWithoutType) {
    Store(kWorkstation);
    EXPECT_EQ(Run({L"params:Archivo", L"params:ARCHIVO_BAJO", L"params:Mixto"}),
              Lines({L"> params:Archivo", L"PATH=C:\\Datos\\Médico", L"DEFAULT DRIVER=TABLAS",
                     L"= notices 1/1", L"> params:ARCHIVO_BAJO", L"PATH=D:\\", L"= notices 1/1",
                     L"> params:Mixto", L"TYPE=again", L"= notices 1/1"}));
}

TEST_F(Catalogue, ParamsOfOtherAliasesAreTheirOpenEntriesAsStored) {
    Store(kWorkstation);
    EXPECT_EQ(
        Run({L"params:Peñalara", L"params:zentor7", L"params:CasiEstandar", L"params:Vacío",
             L"params:Oráculo", L"params:ABCDEFGHIJKLMNOPQRSTUVWXYZ01234-más"}),
        Lines({L"> params:Peñalara", L"SERVER NAME=  SRV-MADRID ", L"DATABASE NAME=Contabilidad_Año",
               L"AÑO FISCAL=2024", L"USER NAME=", L"= notices 1/1", L"> params:zentor7", L"SERVER NAME=srv01",
               L"DATABASE NAME=Zentor", L"= notices 1/1", L"> params:CasiEstandar", L"SERVER NAME=otro",
               L"= notices 1/1", L"> params:Vacío", L"= notices 1/1", L"> params:Oráculo", L"= notices 1/1",
               // The name is cut to 31 bytes before the lookup.
               L"> params:ABCDEFGHIJKLMNOPQRSTUVWXYZ01234-más", L"SERVER NAME=pg", L"= notices 1/1"}));
}

TEST_F(Catalogue, ParamsFailuresAreEngineErrorsWithTheEnginesTexts) {
    Store(kWorkstation);
    EXPECT_EQ(Run({L"params:Zentor7", L"params:Nadie", L"params:SinTipo"}),
              Lines({L"> params:Zentor7", L"SERVER NAME=srv01", L"DATABASE NAME=Zentor", L"= notices 1/1",
                     L"> params:Nadie", L"! EDBEngineError 271E: Unknown database\\r\\nAlias: Nadie",
                     L"= notices 1/1", L"> params:SinTipo",
                     L"! EDBEngineError 2D04: The alias has no driver type\\r\\nAlias: SinTipo",
                     L"= notices 1/1"}));
}

TEST_F(Catalogue, BrokenStoreFailsEveryOperation) {
    Store("[DATABASES\\Zentor7\\DB INFO]\nTYPE=MSSQL\n[DATABASES\\Zentor7\\DB OPEN]\nSERVER NAME srv01\n");
    const std::wstring malformed =
        L"! EDBEngineError 2D02: The alias store is malformed\\r\\naliases.cfg line 4: entry without '='";
    EXPECT_EQ(Run({L"names", L"driver:Zentor7", L"params:Zentor7"}),
              Lines({L"> names", malformed, L"= notices 1/1", L"> driver:Zentor7",
                     L"! EDatabaseError: Invalid alias name Zentor7", L"> params:Zentor7", malformed,
                     L"= notices 1/1"}));
}

TEST_F(Catalogue, MissingStoreIsNamedInTheError) {
    EXPECT_EQ(Run({L"names"}), Lines({L"> names",
                                      L"! EDBEngineError 2D01: The alias store cannot be read\\r\\n" +
                                          (work_ / L"aliases.cfg").wstring() + L": system error 2",
                                      L"= notices 1/1"}));
}

TEST(EngineLibraryStatus, SystemErrorsMapToStartStatuses) {
    const std::pair<DWORD, std::uint16_t> cases[] = {
        {ERROR_FILE_NOT_FOUND, 0x2108}, {ERROR_PATH_NOT_FOUND, 0x2108}, {ERROR_MOD_NOT_FOUND, 0x2108},
        {ERROR_BAD_PATHNAME, 0x2108},   {ERROR_OUTOFMEMORY, 0x2501},    {ERROR_NOT_ENOUGH_MEMORY, 0x2109},
        {ERROR_BAD_EXE_FORMAT, 0x2109}, {ERROR_ACCESS_DENIED, 0x2109},  {ERROR_DLL_INIT_FAILED, 0x2109},
    };
    for (const auto& [error, status] : cases)
        EXPECT_EQ(platform::StatusForLoadError(error), status) << "system error " << error;
}

} // namespace
} // namespace zt::test
