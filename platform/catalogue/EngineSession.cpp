#include "platform/catalogue/EngineSession.h"

#include "platform/catalogue/EngineErrorMessage.h"
#include "platform/catalogue/EngineLibrary.h"
#include "platform/catalogue/EngineStatus.h"
#include "platform/catalogue/EngineText.h"
#include "platform/catalogue/WaitCursor.h"
#include "runtime/Exceptions.h"

#include <cstring>
#include <optional>
#include <vector>

namespace zt::platform {
namespace {

// A misbehaving engine must not keep us reading its error report for ever.
constexpr std::uint32_t kMaxErrorEntries = 64;

[[noreturn]] void RaiseStartFailure(std::uint16_t status) {
    throw EDBEngineError(EngineStartFailureMessage(status), {status});
}

template <class Function> bool Bind(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

bool BindInterface(HMODULE module, EngineApi& api) {
    return Bind(module, "ZtEngGetSession", api.GetSession) &&
           Bind(module, "ZtEngSetConfigMode", api.SetConfigMode) &&
           Bind(module, "ZtEngOpenAliasList", api.OpenAliasList) &&
           Bind(module, "ZtEngNextAlias", api.NextAlias) &&
           Bind(module, "ZtEngGetAliasDesc", api.GetAliasDesc) &&
           Bind(module, "ZtEngOpenConfigBranch", api.OpenConfigBranch) &&
           Bind(module, "ZtEngNextConfigEntry", api.NextConfigEntry) &&
           Bind(module, "ZtEngCloseCursor", api.CloseCursor) &&
           Bind(module, "ZtEngGetStatusText", api.GetStatusText) &&
           Bind(module, "ZtEngGetErrorEntry", api.GetErrorEntry);
}

std::wstring StatusText(const EngineApi& api, std::uint16_t status) {
    char text[ZT_ENG_TEXT_SIZE] = {};
    if (api.GetStatusText(status, text) != ZT_ENG_OK)
        return {};
    return FromEngineText(FieldText(text, sizeof text));
}

EngineSession StartSession() {
    const WaitCursor waitCursor;

    ZtEngEnv environment{};
    std::memcpy(environment.language, "0009", 5);

    EngineLibraryLoad library = LoadEngineLibrary();
    if (!library.module)
        RaiseStartFailure(StatusForLoadError(library.error));
    // From here on an early exit unloads the library again.
    decltype(&DbiInitFn) initialise = nullptr;
    if (!Bind(library.module.get(), "DbiInitFn", initialise))
        RaiseStartFailure(kStatusNoEntryPoint);
    const std::uint16_t started = initialise(kEngineInterfaceVersion, &environment);
    if (started != ZT_ENG_OK && started != kStatusAlreadyStarted)
        RaiseStartFailure(started);

    EngineSession session;
    if (!BindInterface(library.module.get(), session.api))
        RaiseStartFailure(kStatusNoEntryPoint);
    if (const std::uint16_t status = session.api.GetSession(&session.handle); status != ZT_ENG_OK)
        session.RaiseError(status);
    if (const std::uint16_t status = session.api.SetConfigMode(session.handle, kAllAliasOrigins);
        status != ZT_ENG_OK)
        session.RaiseError(status);

    // The session lives for the process: the library is never unloaded.
    library.module.release();
    return session;
}

} // namespace

void EngineSession::RaiseError(std::uint16_t status) const {
    std::vector<EngineErrorEntry> entries;
    for (std::uint32_t index = 1; index <= kMaxErrorEntries; ++index) {
        ZtEngErrorEntry entry{};
        if (api.GetErrorEntry(index, &entry) != ZT_ENG_OK)
            break;
        entries.push_back({entry.status, entry.nativeCode, StatusText(api, entry.status),
                           FromEngineText(FieldText(entry.context, sizeof entry.context))});
    }
    std::vector<std::uint16_t> codes;
    for (const EngineErrorEntry& entry : entries)
        codes.push_back(entry.status);
    if (codes.empty())
        codes.push_back(status);
    throw EDBEngineError(ComposeEngineErrorMessage(status, StatusText(api, status), entries),
                         std::move(codes));
}

std::recursive_mutex& EngineLock() {
    static std::recursive_mutex lock;
    return lock;
}

const EngineSession& StartedEngineSession() {
    static std::optional<EngineSession> session;
    if (!session)
        session = StartSession();
    return *session;
}

} // namespace zt::platform
