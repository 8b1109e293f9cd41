// Writes what the version reader finds in a file, one "Field=text" line per field in UTF-8, so that
// another reader's findings can be set beside it. Arguments: file, locale, date picture, time picture.
#include "runtime/CodePages.h"
#include "runtime/Exceptions.h"
#include "versioninfo/VersionInfo.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace {

void Write(const std::wstring& text) {
    const std::string bytes = zt::ToCodePage(text, CP_UTF8);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc != 5) {
        Write(L"usage: versioninfo_dump FILE LOCALE DATE-PICTURE TIME-PICTURE\n");
        return 64;
    }
    const zt::RegionalFormats formats{static_cast<std::uint32_t>(std::wcstoul(argv[2], nullptr, 0)), argv[3],
                                      argv[4]};
    zt::TEXEVersionData data;
    try {
        zt::ReadEXEVersionData(argv[1], data, formats);
    } catch (const zt::Exception& error) {
        Write(std::wstring(error.ClassName()) + L": " + error.Message() + L"\n");
        return 2;
    }
    const std::pair<const wchar_t*, const std::wstring*> fields[] = {
        {L"CompanyName", &data.CompanyName},           {L"FileDescription", &data.FileDescription},
        {L"FileVersion", &data.FileVersion},           {L"InternalName", &data.InternalName},
        {L"LegalCopyright", &data.LegalCopyright},     {L"LegalTrademarks", &data.LegalTrademarks},
        {L"OriginalFileName", &data.OriginalFileName}, {L"ProductName", &data.ProductName},
        {L"ProductVersion", &data.ProductVersion},     {L"Comments", &data.Comments},
        {L"PrivateBuild", &data.PrivateBuild},         {L"SpecialBuild", &data.SpecialBuild},
        {L"DateModified", &data.DateModified},
    };
    for (const auto& [name, value] : fields)
        Write(std::wstring(name) + L"=" + *value + L"\n");
    return 0;
}
