#include "platform/catalogue/EngineSession.h"

#include "platform/catalogue/EngineErrorMessage.h"
#include "platform/catalogue/EngineLibrary.h"
#include "platform/catalogue/EngineText.h"
#include "platform/catalogue/WaitCursor.h"
#include "runtime/Exceptions.h"

#include <cstring>
#include <optional>
#include <vector>

namespace zt::platform {
namespace {

// A misbehaving engine must not keep us reading its error report for ever.
constexpr std::uint16_t kMaxErrorEntries = 64;

[[noreturn]] void RaiseStartFailure(engine::Status status) {
    throw EDBEngineError(EngineStartFailureMessage(status), {status});
}

template <class Function> bool Bind(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

bool BindInterface(HMODULE module, EngineApi& api) {
    return Bind(module, "DbiGetCurrSession", api.GetCurrSession) &&
           Bind(module, "DbiSetProp", api.SetProperty) &&
           Bind(module, "DbiOpenDatabaseList", api.OpenDatabaseList) &&
           Bind(module, "DbiGetNextRecord", api.GetNextRecord) &&
           Bind(module, "DbiCloseCursor", api.CloseCursor) &&
           Bind(module, "DbiGetDatabaseDesc", api.GetDatabaseDesc) &&
           Bind(module, "DbiOpenCfgInfoList", api.OpenCfgInfoList) &&
           Bind(module, "DbiGetErrorString", api.GetErrorString) &&
           Bind(module, "DbiGetErrorEntry", api.GetErrorEntry);
}

std::wstring StatusText(const EngineApi& api, engine::Status status) {
    char text[engine::kMessageField] = {};
    if (api.GetErrorString(status, text) != engine::kOk)
        return {};
    return FromEngineText(FieldText(text, sizeof text));
}

EngineSession StartSession() {
    const WaitCursor waitCursor;

    engine::Environment environment{};
    std::memcpy(environment.language, "0009", 5);

    EngineLibraryLoad library = LoadEngineLibrary();
    if (!library.module)
        RaiseStartFailure(StatusForLoadError(library.error));
    // From here on an early exit unloads the library again.
    decltype(&DbiInitFn) initialise = nullptr;
    if (!Bind(library.module.get(), "DbiInitFn", initialise))
        RaiseStartFailure(engine::kNotInitialised);
    const engine::Status started = initialise(engine::kInterfaceVersion, &environment);
    if (started != engine::kOk && started != engine::kAlreadyInitialised)
        RaiseStartFailure(started);

    EngineSession session;
    if (!BindInterface(library.module.get(), session.api))
        RaiseStartFailure(engine::kNotInitialised);
    if (const engine::Status status = session.api.GetCurrSession(&session.handle); status != engine::kOk)
        session.RaiseError(status);
    const std::uint32_t everyOrigin =
        engine::kConfigModeVirtual | engine::kConfigModePersistent | engine::kConfigModeSession;
    if (const engine::Status status =
            session.api.SetProperty(session.handle, engine::kPropConfigMode, everyOrigin);
        status != engine::kOk)
        session.RaiseError(status);

    // The session lives for the process: the library is never unloaded.
    library.module.release();
    return session;
}

} // namespace

// The engine keeps a failure's error stack only until its next call that can fail, and asking for
// a status's text is such a call: the whole stack is read first, the texts after.
void EngineSession::RaiseError(engine::Status status) const {
    std::vector<EngineErrorEntry> entries;
    for (std::uint16_t number = 1; number <= kMaxErrorEntries; ++number) {
        std::int32_t nativeCode = 0;
        char context[engine::kMessageField] = {};
        const engine::Status entryStatus = api.GetErrorEntry(number, &nativeCode, context);
        if (entryStatus == engine::kOk)
            break;
        entries.push_back({entryStatus, nativeCode, {}, FromEngineText(FieldText(context, sizeof context))});
    }
    const std::wstring statusText = StatusText(api, status);
    for (EngineErrorEntry& entry : entries)
        entry.statusText = StatusText(api, entry.status);
    throw EDBEngineError(ComposeEngineErrorMessage(status, statusText, entries),
                         EngineErrorCodes(status, entries));
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
