#include "platform/catalogue/AliasCatalogue.h"

#include "platform/catalogue/EngineSession.h"
#include "platform/catalogue/EngineText.h"
#include "runtime/CodePages.h"
#include "runtime/Exceptions.h"
#include "runtime/Format.h"
#include "runtime/Text.h"

namespace zt::platform {
namespace {

constexpr std::size_t kMaxNameBytes = 31;

engine::DatabaseDescription DescriptionOf(const EngineSession& session, const std::string& oemAlias,
                                          engine::Status& status) {
    engine::DatabaseDescription description{};
    status = session.api.GetDatabaseDesc(oemAlias.c_str(), &description);
    return description;
}

std::wstring DriverTypeOf(const engine::DatabaseDescription& description) {
    return FromEngineText(FieldText(description.driverType, kMaxNameBytes));
}

// Hands each record of the cursor to `take`, in the engine's order, until the engine says that no
// record follows. Any other failure is raised: a list cut short would pass for a whole one.
template <class Record, class Take>
void ReadRecords(const EngineSession& session, const EngineCursor& cursor, Take take) {
    for (;;) {
        Record record{};
        const engine::Status status =
            session.api.GetNextRecord(cursor.Get(), engine::kNoLock, &record, nullptr);
        if (status == engine::kEndOfTable)
            return;
        if (status != engine::kOk)
            session.RaiseError(status);
        take(record);
    }
}

void ReadBranch(const EngineSession& session, const std::string& path, StringList& list) {
    engine::CursorHandle opened = nullptr;
    if (const engine::Status status = session.api.OpenCfgInfoList(
            nullptr, engine::kOpenReadOnly, engine::kConfigPersistent, path.c_str(), &opened);
        status != engine::kOk)
        session.RaiseError(status);
    const EngineCursor cursor(session, opened);
    ReadRecords<engine::ConfigNode>(session, cursor, [&list](const engine::ConfigNode& node) {
        list.Add(FromEngineText(FieldText(node.name, sizeof node.name)) + L"=" +
                 FromEngineText(FieldText(node.value, sizeof node.value)));
    });
}

} // namespace

void GetAliasNames(StringList& list) {
    const ListUpdate update(list);
    list.Clear();
    const std::lock_guard lock(EngineLock());
    const EngineSession& session = StartedEngineSession();
    engine::CursorHandle opened = nullptr;
    if (const engine::Status status = session.api.OpenDatabaseList(&opened); status != engine::kOk)
        session.RaiseError(status);
    const EngineCursor cursor(session, opened);
    ReadRecords<engine::DatabaseDescription>(
        session, cursor, [&list](const engine::DatabaseDescription& record) {
            list.Add(FromEngineText(FieldText(record.name, sizeof record.name)));
        });
}

std::wstring GetAliasDriverName(const std::wstring& alias) {
    const std::lock_guard lock(EngineLock());
    const EngineSession& session = StartedEngineSession();
    engine::Status status = engine::kOk;
    const engine::DatabaseDescription description = DescriptionOf(session, ToEngineText(alias), status);
    if (status != engine::kOk)
        throw EDatabaseError(FormatS(L"Invalid alias name %s", {alias}));
    return DriverTypeOf(description);
}

void GetAliasParams(const std::wstring& alias, StringList& list) {
    const ListUpdate update(list);
    list.Clear();
    std::string ansi = ToAnsi(alias);
    if (ansi.size() > kMaxNameBytes)
        ansi.resize(kMaxNameBytes);
    const std::string oemAlias = ConvertAnsiToOem(ansi);

    const std::lock_guard lock(EngineLock());
    const EngineSession& session = StartedEngineSession();
    engine::Status status = engine::kOk;
    const engine::DatabaseDescription description = DescriptionOf(session, oemAlias, status);
    if (status != engine::kOk)
        session.RaiseError(status);
    if (SameTextAscii(DriverTypeOf(description), L"STANDARD")) {
        ReadBranch(session, "\\DATABASES\\" + oemAlias + "\\DB INFO", list);
        if (const long long type = list.IndexOfName(L"TYPE"); type >= 0)
            list.Delete(static_cast<std::size_t>(type));
    } else {
        ReadBranch(session, "\\DATABASES\\" + oemAlias + "\\DB OPEN", list);
    }
}

} // namespace zt::platform
