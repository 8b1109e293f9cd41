#include "versioninfo/VersionInfo.h"

#include "runtime/Exceptions.h"
#include "runtime/Format.h"
#include "versioninfo/FileDate.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

namespace zt {
namespace {

struct StringEntry {
    const wchar_t* Query;
    std::wstring TEXEVersionData::*Field;
};

constexpr StringEntry kStringEntries[] = {
    {L"\\CompanyName", &TEXEVersionData::CompanyName},
    {L"\\FileDescription", &TEXEVersionData::FileDescription},
    {L"\\FileVersion", &TEXEVersionData::FileVersion},
    {L"\\InternalName", &TEXEVersionData::InternalName},
    {L"\\LegalCopyright", &TEXEVersionData::LegalCopyright},
    {L"\\LegalTrademarks", &TEXEVersionData::LegalTrademarks},
    {L"\\OriginalFileName", &TEXEVersionData::OriginalFileName},
    {L"\\ProductName", &TEXEVersionData::ProductName},
    {L"\\ProductVersion", &TEXEVersionData::ProductVersion},
    {L"\\Comments", &TEXEVersionData::Comments},
    {L"\\PrivateBuild", &TEXEVersionData::PrivateBuild},
    {L"\\SpecialBuild", &TEXEVersionData::SpecialBuild},
};

std::vector<std::byte> ReadVersionBlock(const std::wstring& fileName) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(fileName.c_str(), &handle);
    if (size == 0)
        RaiseLastOSError();
    std::vector<std::byte> block(size);
    if (!GetFileVersionInfoW(fileName.c_str(), 0, size, block.data()))
        RaiseLastOSError();
    return block;
}

// The value found under path, limited to the block: the system hands out a pointer and a length
// taken from the block's own headers, which a damaged block may get wrong.
std::optional<std::span<const std::byte>> QueryValue(std::span<const std::byte> block, const wchar_t* path,
                                                     std::size_t unitSize) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path, &value, &length))
        return std::nullopt;
    const auto* first = static_cast<const std::byte*>(value);
    const std::byte* const end = block.data() + block.size();
    if (first == nullptr || first < block.data() || first > end)
        return std::span<const std::byte>{};
    const std::size_t available = static_cast<std::size_t>(end - first) / unitSize;
    const std::size_t units = length < available ? length : available;
    return std::span<const std::byte>(first, units * unitSize);
}

// "%.4x%.4x" of the first language and code page pair, upper case; none when the translation value
// is too short to hold a pair.
std::optional<std::wstring> StringTableKey(std::span<const std::byte> block) {
    const auto translation = QueryValue(block, L"\\VarFileInfo\\Translation\\", 1);
    if (!translation)
        RaiseLastOSError();
    if (translation->size() < 2 * sizeof(std::uint16_t))
        return std::nullopt;
    std::uint16_t pair[2];
    std::memcpy(pair, translation->data(), sizeof pair);
    return HexUpper(pair[0], 4) + HexUpper(pair[1], 4);
}

// Text values are counted in UTF-16 units; the text ends at its NUL or at the end of the value.
std::wstring TextUpToNul(std::span<const std::byte> value) {
    std::wstring text;
    for (std::size_t offset = 0; offset + sizeof(wchar_t) <= value.size(); offset += sizeof(wchar_t)) {
        wchar_t unit;
        std::memcpy(&unit, value.data() + offset, sizeof unit);
        if (unit == L'\0')
            break;
        text += unit;
    }
    return text;
}

} // namespace

void ReadEXEVersionData(const std::wstring& FileName, TEXEVersionData& Data) {
    static const RegionalFormats userFormats = LoadUserRegionalFormats();
    ReadEXEVersionData(FileName, Data, userFormats);
}

void ReadEXEVersionData(const std::wstring& FileName, TEXEVersionData& Data, const RegionalFormats& Formats) {
    const std::vector<std::byte> block = ReadVersionBlock(FileName);
    if (const auto key = StringTableKey(block)) {
        const std::wstring table = L"\\StringFileInfo\\" + *key;
        for (const StringEntry& entry : kStringEntries) {
            if (const auto value = QueryValue(block, (table + entry.Query).c_str(), sizeof(wchar_t)))
                Data.*entry.Field = TextUpToNul(*value);
        }
    }
    Data.DateModified = FormatDosDateTime(FileAge(FileName), Formats);
}

} // namespace zt
