// The reporter against the recording builds of ZtError.dll, in process.
#include "ModuleFolder.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>

namespace zt::testing {
namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string HandleText(HWND window) {
    char text[24];
    std::snprintf(text, sizeof text, "\"%016llX\"",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
    return text;
}

class ErrorReporting : public ModuleFolderTest {};

TEST_F(ErrorReporting, KindFollowsTheErrorClass) {
    struct Case {
        std::function<std::unique_ptr<Exception>()> make;
        std::string kind;
        std::string className;
        std::string osErrorCode;
        std::string engineStatusCodes;
    };
    const Case cases[] = {
        {[] { return std::make_unique<EConvertError>(L"'12x' is not a valid integer value"); }, "C",
         "EConvertError", "null", "[]"},
        // Out of resources is a kind of out of memory, yet reported and never treated as such.
        {[] { return std::make_unique<EOutOfResources>(L"Not enough storage"); }, "R", "EOutOfResources",
         "null", "[]"},
        {[] { return std::make_unique<Exception>(L"Debe seleccionar al menos un alias para importar."); },
         "X", "Exception", "null", "[]"},
        {[] { return std::make_unique<EOSError>(ERROR_FILE_NOT_FOUND); }, "X", "EOSError", "2", "[]"},
        {[] {
             return std::make_unique<EDBEngineError>(L"Fallo del motor",
                                                     std::vector<std::uint16_t>{10024, 8712});
         },
         "X", "EDBEngineError", "null", "[10024,8712]"},
        {[] { return std::make_unique<EZeroDivide>(kZeroDivideMessage); }, "X", "EZeroDivide", "null", "[]"},
    };
    Install(kRecordingModule);
    std::size_t expectedLines = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        const std::unique_ptr<Exception> error = c.make();
        EXPECT_NO_THROW(Report(*error));
        EXPECT_FALSE(ModuleLoaded());
        const std::vector<std::string> lines = LogLines();
        ASSERT_EQ(lines.size(), ++expectedLines);
        const std::string& line = lines.back();
        EXPECT_EQ(JsonField(line, "kind"), Quoted(c.kind));
        EXPECT_EQ(JsonField(line, "class"), Quoted(c.className));
        const std::wstring& message = error->Message();
        if (message.find_first_of(L"\r\n\"\\") == std::wstring::npos) { // escaping has a test of its own
            EXPECT_EQ(JsonField(line, "message"), Quoted(std::string(message.begin(), message.end())));
        }
        EXPECT_EQ(JsonField(line, "osErrorCode"), c.osErrorCode);
        EXPECT_EQ(JsonField(line, "engineStatusCodes"), c.engineStatusCodes);
    }
}

TEST_F(ErrorReporting, PassesOwnerTitleAndZeroAsTheyAreAtTheCall) {
    Install(kRecordingModule);
    Report(Exception(L"antes de mostrarse"));
    ShowWindow(owner_, SW_SHOWNA);
    Report(Exception(L"ya visible"));

    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 2u);
    for (const std::string& line : lines) {
        EXPECT_EQ(JsonField(line, "owner"), HandleText(owner_));
        EXPECT_EQ(JsonField(line, "ownerCaption"), Quoted("Ventana dueña «Año»"));
        EXPECT_EQ(JsonField(line, "zero"), "0");
    }
    EXPECT_EQ(JsonField(lines[0], "ownerVisible"), "false");
    EXPECT_EQ(JsonField(lines[1], "ownerVisible"), "true");
    // The title is asked for anew on every report.
    EXPECT_EQ(JsonField(lines[0], "title"), Quoted("Importar Conexiones BDE a Alvenor 1"));
    EXPECT_EQ(JsonField(lines[1], "title"), Quoted("Importar Conexiones BDE a Alvenor 2"));
}

TEST_F(ErrorReporting, MessageReachesTheLogEscapedAsJson) {
    Install(kRecordingModule);
    Report(EConvertError(L"comilla \" barra \\ fin\r\n\ttab \x01\x1f ñ € 😀 /"));
    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(JsonField(lines[0], "message"), R"("comilla \" barra \\ fin\r\n\ttab \u0001\u001f ñ € 😀 /")");
}

TEST_F(ErrorReporting, EveryReportLoadsTheModuleAnewAndReleasesIt) {
    Install(kRecordingModule);
    Report(Exception(L"primero"));
    EXPECT_FALSE(ModuleLoaded());
    // Only possible because nothing holds the first one any more.
    Install(kRecordingAltModule);
    Report(Exception(L"segundo"));
    EXPECT_FALSE(ModuleLoaded());

    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(JsonField(lines[0], "variant"), Quoted("recording"));
    EXPECT_EQ(JsonField(lines[0], "message"), Quoted("primero"));
    EXPECT_EQ(JsonField(lines[1], "variant"), Quoted("recording-alt"));
    EXPECT_EQ(JsonField(lines[1], "message"), Quoted("segundo"));
}

TEST_F(ErrorReporting, FailureOfTheModuleLeavesAfterItIsReleased) {
    Install(kFailingModule);
    try {
        Report(EConvertError(L"'x' is not a valid integer value"));
        ADD_FAILURE() << "the module's failure did not leave";
    } catch (const Exception& failure) {
        EXPECT_EQ(failure.Message(), L"Fallo simulado del módulo de errores (C).");
    }
    EXPECT_FALSE(ModuleLoaded());
}

TEST_F(ErrorReporting, WithoutModuleOrEntryPointNothingIsReported) {
    for (const wchar_t* build : {static_cast<const wchar_t*>(nullptr), kNoEntryModule}) {
        SCOPED_TRACE(build == nullptr ? "no module" : "no entry point");
        if (build == nullptr)
            RemoveModule();
        else
            Install(build);
        EXPECT_NO_THROW(Report(Exception(L"nadie lo verá")));
        EXPECT_NO_THROW(Report(EOSError(ERROR_ACCESS_DENIED)));
        EXPECT_FALSE(ModuleLoaded());
        EXPECT_TRUE(LogLines().empty());
    }
    EXPECT_EQ(titleRequests_, 0);
}

TEST_F(ErrorReporting, OutOfMemoryIsRaisedAnewInsteadOfReported) {
    Install(kRecordingModule);
    try {
        Report(EOutOfMemory(L"sin memoria al leer los alias"));
        ADD_FAILURE() << "no out-of-memory error left the reporter";
    } catch (const EOutOfMemory& raised) {
        EXPECT_STREQ(raised.ClassName(), L"EOutOfMemory");
        EXPECT_EQ(raised.Message(), L"Out of memory");
    }
    EXPECT_FALSE(ModuleLoaded());
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(titleRequests_, 0);
}

TEST_F(ErrorReporting, AbortIsSilent) {
    Install(kRecordingModule);
    EXPECT_NO_THROW(Report(EAbort(L"Operation aborted")));
    EXPECT_FALSE(ModuleLoaded());
    EXPECT_TRUE(LogLines().empty());
}

} // namespace
} // namespace zt::testing
