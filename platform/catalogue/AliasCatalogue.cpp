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

ZtEngAliasDesc DescriptionOf(const EngineSession& session, const std::string& oemAlias, ZtEngStatus& status) {
    ZtEngAliasDesc desc{};
    status = session.api.GetAliasDesc(session.handle, oemAlias.c_str(), &desc);
    return desc;
}

std::wstring DriverTypeOf(const ZtEngAliasDesc& desc) {
    return FromEngineText(FieldText(desc.driverType, kMaxNameBytes));
}

void ReadBranch(const EngineSession& session, const std::string& path, StringList& list) {
    ZtEngCursor opened = nullptr;
    if (const ZtEngStatus status = session.api.OpenConfigBranch(session.handle, path.c_str(), &opened);
        status != ZT_ENG_OK)
        session.RaiseError(status);
    const EngineCursor cursor(session, opened);
    ZtEngConfigEntry entry{};
    while (session.api.NextConfigEntry(cursor.Get(), &entry) == ZT_ENG_OK)
        list.Add(FromEngineText(entry.name ? entry.name : "") + L"=" +
                 FromEngineText(entry.value ? entry.value : ""));
}

} // namespace

void GetAliasNames(StringList& list) {
    const ListUpdate update(list);
    list.Clear();
    const std::lock_guard lock(EngineLock());
    const EngineSession& session = StartedEngineSession();
    ZtEngCursor opened = nullptr;
    if (const ZtEngStatus status = session.api.OpenAliasList(session.handle, &opened); status != ZT_ENG_OK)
        session.RaiseError(status);
    const EngineCursor cursor(session, opened);
    ZtEngAliasRecord record{};
    while (session.api.NextAlias(cursor.Get(), &record) == ZT_ENG_OK)
        list.Add(FromEngineText(FieldText(record.name, sizeof record.name)));
}

std::wstring GetAliasDriverName(const std::wstring& alias) {
    const std::lock_guard lock(EngineLock());
    const EngineSession& session = StartedEngineSession();
    ZtEngStatus status = ZT_ENG_OK;
    const ZtEngAliasDesc desc = DescriptionOf(session, ToEngineText(alias), status);
    if (status != ZT_ENG_OK)
        throw EDatabaseError(FormatS(L"Invalid alias name %s", {alias}));
    return DriverTypeOf(desc);
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
    ZtEngStatus status = ZT_ENG_OK;
    const ZtEngAliasDesc desc = DescriptionOf(session, oemAlias, status);
    if (status != ZT_ENG_OK)
        session.RaiseError(status);
    if (SameTextAscii(DriverTypeOf(desc), L"STANDARD")) {
        ReadBranch(session, "\\DATABASES\\" + oemAlias + "\\DB INFO", list);
        if (const long long type = list.IndexOfName(L"TYPE"); type >= 0)
            list.Delete(static_cast<std::size_t>(type));
    } else {
        ReadBranch(session, "\\DATABASES\\" + oemAlias + "\\DB OPEN", list);
    }
}

} // namespace zt::platform
