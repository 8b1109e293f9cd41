#pragma once
// The version resource of an executable file, read into a record of texts.
#include "versioninfo/RegionalFormats.h"

#include <string>

namespace zt {

struct TEXEVersionData {
    std::wstring CompanyName;
    std::wstring FileDescription;
    std::wstring FileVersion;
    std::wstring InternalName;
    std::wstring LegalCopyright;
    std::wstring LegalTrademarks;
    std::wstring OriginalFileName;
    std::wstring ProductName;
    std::wstring ProductVersion;
    std::wstring Comments;
    std::wstring PrivateBuild;
    std::wstring SpecialBuild;
    std::wstring DateModified;
};

// Fills Data from the string table of the first translation of FileName's version resource; an
// entry that the table lacks leaves its field as it was. DateModified is written with the user's
// regional formats as read at the first call.
// Raises EOSError when the file has no readable version block or translation (Data unchanged),
// EConvertError when the file's modification time cannot be read (the texts already filled).
void ReadEXEVersionData(const std::wstring& FileName, TEXEVersionData& Data);

// The same, with DateModified written in the given formats.
void ReadEXEVersionData(const std::wstring& FileName, TEXEVersionData& Data, const RegionalFormats& Formats);

} // namespace zt
