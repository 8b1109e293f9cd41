#include "versioninfo/VersionInfo.h"

#include "runtime/Exceptions.h"
#include "runtime/ExecutableFileName.h"
#include "tests/versioninfo/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace zt {
namespace {

using test::BinaryNode;
using test::FixturePath;
using test::ScratchFolder;
using test::TextNode;
using test::VersionNode;

using Field = std::wstring TEXEVersionData::*;

constexpr std::pair<const wchar_t*, Field> kTextFields[] = {
    {L"CompanyName", &TEXEVersionData::CompanyName},
    {L"FileDescription", &TEXEVersionData::FileDescription},
    {L"FileVersion", &TEXEVersionData::FileVersion},
    {L"InternalName", &TEXEVersionData::InternalName},
    {L"LegalCopyright", &TEXEVersionData::LegalCopyright},
    {L"LegalTrademarks", &TEXEVersionData::LegalTrademarks},
    {L"OriginalFileName", &TEXEVersionData::OriginalFileName},
    {L"ProductName", &TEXEVersionData::ProductName},
    {L"ProductVersion", &TEXEVersionData::ProductVersion},
    {L"Comments", &TEXEVersionData::Comments},
    {L"PrivateBuild", &TEXEVersionData::PrivateBuild},
    {L"SpecialBuild", &TEXEVersionData::SpecialBuild},
};

const RegionalFormats kFormats{0x0409, L"dd/MM/yyyy", L"HH:mm:ss"};

// Every field holds a text that no version resource of ours carries, so that a field the reader
// leaves alone is told apart from one it sets to empty.
TEXEVersionData Marked() {
    TEXEVersionData data;
    for (const auto& [name, field] : kTextFields)
        data.*field = std::wstring(L"untouched ") + name;
    data.DateModified = L"untouched DateModified";
    return data;
}

void ExpectTextFields(const TEXEVersionData& data,
                      const std::vector<std::pair<std::wstring, std::wstring>>& set) {
    const TEXEVersionData marked = Marked();
    for (const auto& [name, field] : kTextFields) {
        std::wstring expected = marked.*field;
        for (const auto& [setName, value] : set)
            if (setName == name)
                expected = value;
        EXPECT_EQ(data.*field, expected) << "field " << testing::PrintToString(std::wstring(name));
    }
}

// 13:45:07 local time: the packed DOS time keeps the even second before it.
const SYSTEMTIME kOddSecond{2024, 3, 5, 15, 13, 45, 7, 0};
constexpr const wchar_t* kOddSecondText = L"15/03/2024 13:45:06";

TEST(ReadEXEVersionData, ReadsTheUtilitysOwnVersionResource) {
    const ScratchFolder folder;
    const std::wstring own = CopyOf(folder, L"vi_own.dll", L"own.dll");
    test::SetLastWriteLocalTime(own, kOddSecond);
    TEXEVersionData data;
    ReadEXEVersionData(own, data, kFormats);
    EXPECT_EQ(data.CompanyName, L"Zentor Sistemas");
    EXPECT_EQ(data.FileDescription, L"Importar Conexiones BDE a Alvenor");
    EXPECT_EQ(data.FileVersion, L"16.0.1.1");
    EXPECT_EQ(data.InternalName, L"");
    EXPECT_EQ(data.LegalCopyright, L"\u00A9 2026 Zentor Sistemas");
    EXPECT_EQ(data.LegalTrademarks, L"Zentor");
    EXPECT_EQ(data.OriginalFileName, L"");
    EXPECT_EQ(data.ProductName, L"Zentor");
    EXPECT_EQ(data.ProductVersion, L"16.0.0.0");
    EXPECT_EQ(data.Comments, L"ZtGnImcon");
    EXPECT_EQ(data.PrivateBuild, L"");
    EXPECT_EQ(data.SpecialBuild, L"");
    EXPECT_EQ(data.DateModified, kOddSecondText);
}

TEST(ReadEXEVersionData, UsesTheTableOfTheFirstTranslationOnly) {
    TEXEVersionData data = Marked();
    ReadEXEVersionData(FixturePath(L"vi_several.dll"), data, kFormats);
    ExpectTextFields(data, {{L"CompanyName", L"First Table"}, {L"FileVersion", L"1.0.0.0"}});
}

TEST(ReadEXEVersionData, TableUnderAnotherKeyLeavesEveryTextAsItWas) {
    TEXEVersionData fresh;
    EXPECT_NO_THROW(ReadEXEVersionData(FixturePath(L"vi_otherkey.dll"), fresh, kFormats));
    for (const auto& [name, field] : kTextFields)
        EXPECT_EQ(fresh.*field, L"") << testing::PrintToString(std::wstring(name));
    EXPECT_NE(fresh.DateModified, L"");

    TEXEVersionData marked = Marked();
    ReadEXEVersionData(FixturePath(L"vi_otherkey.dll"), marked, kFormats);
    ExpectTextFields(marked, {});
}

TEST(ReadEXEVersionData, EmptyEntriesEmptyTheirFieldsAndMissingOnesKeepTheirs) {
    // Lower-case key letters and the entry spelt "OriginalFilename" are found all the same.
    TEXEVersionData data = Marked();
    ReadEXEVersionData(FixturePath(L"vi_partial.dll"), data, kFormats);
    ExpectTextFields(data, {{L"FileDescription", L"Descripci\u00F3n"},
                            {L"InternalName", L""},
                            {L"OriginalFileName", L"partial.dll"},
                            {L"PrivateBuild", L""}});
}

TEST(ReadEXEVersionData, FileWithoutReadableVersionBlockRaisesTheSystemErrorAndChangesNothing) {
    const ScratchFolder folder;
    // A module without resources: "resource data not found" where it has no resource section
    // (so under Wine), "resource type not found" where it has one without a version.
    const struct {
        std::wstring FileName;
        std::vector<std::uint32_t> Codes;
    } cases[] = {
        {FixturePath(L"vi_none.dll"), {ERROR_RESOURCE_DATA_NOT_FOUND, ERROR_RESOURCE_TYPE_NOT_FOUND}},
        {folder.File(L"missing.dll"), {ERROR_FILE_NOT_FOUND}},
        {folder.File(L"no such folder\\missing.dll"), {ERROR_PATH_NOT_FOUND}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.FileName));
        TEXEVersionData data = Marked();
        try {
            ReadEXEVersionData(c.FileName, data, kFormats);
            ADD_FAILURE() << "no error raised";
        } catch (const EOSError& error) {
            EXPECT_NE(std::find(c.Codes.begin(), c.Codes.end(), error.ErrorCode()), c.Codes.end())
                << "code " << error.ErrorCode();
            EXPECT_EQ(error.Message(), L"System Error.  Code: " + std::to_wstring(error.ErrorCode()) +
                                           L".\r\n" + SysErrorMessage(error.ErrorCode()));
            EXPECT_NE(SysErrorMessage(error.ErrorCode()), L"");
        }
        ExpectTextFields(data, {});
        EXPECT_EQ(data.DateModified, L"untouched DateModified");
    }
}

// Blocks laid out by hand, for layouts that a resource compiler does not write.
std::vector<std::uint8_t> FixedFileInfo() {
    VS_FIXEDFILEINFO info{};
    info.dwSignature = VS_FFI_SIGNATURE;
    info.dwStrucVersion = VS_FFI_STRUCVERSION;
    std::vector<std::uint8_t> bytes(sizeof info);
    std::memcpy(bytes.data(), &info, sizeof info);
    return bytes;
}

// translationLength: the length the Translation header claims, when it is not the value's own.
std::vector<std::uint8_t> VersionBlock(std::vector<std::uint8_t> translation,
                                       std::vector<VersionNode> strings, int translationLength = -1) {
    VersionNode table{L"240A04E4", true, {}, std::move(strings)};
    VersionNode stringInfo{L"StringFileInfo", true, {}, {std::move(table)}};
    VersionNode varInfo{L"VarFileInfo", true, {}, {BinaryNode(L"Translation", std::move(translation))}};
    varInfo.Children.front().ValueLength = translationLength;
    VersionNode root = BinaryNode(L"VS_VERSION_INFO", FixedFileInfo());
    // The string table last, so that its last value ends the block.
    root.Children = {std::move(varInfo), std::move(stringInfo)};
    return test::Serialize(root);
}

const std::vector<std::uint8_t> kTranslation240A04E4{0x0A, 0x24, 0xE4, 0x04};

TEST(ReadEXEVersionData, TranslationShorterThanOnePairCountsAsNoTranslation) {
    const ScratchFolder folder;
    const std::wstring shortened = CopyOf(folder, L"vi_none.dll", L"short.dll");
    const std::wstring whole = CopyOf(folder, L"vi_none.dll", L"whole.dll");
    // The header claims two bytes; the pair's second half lies beyond the value and names the table.
    test::WriteVersionResource(shortened,
                               VersionBlock(kTranslation240A04E4, {TextNode(L"FileVersion", L"9.9")}, 2));
    test::WriteVersionResource(whole, VersionBlock(kTranslation240A04E4, {TextNode(L"FileVersion", L"9.9")}));

    test::SetLastWriteLocalTime(shortened, kOddSecond);

    TEXEVersionData data = Marked();
    EXPECT_NO_THROW(ReadEXEVersionData(shortened, data, kFormats));
    ExpectTextFields(data, {});
    EXPECT_EQ(data.DateModified, kOddSecondText);

    TEXEVersionData control = Marked();
    ReadEXEVersionData(whole, control, kFormats);
    ExpectTextFields(control, {{L"FileVersion", L"9.9"}});
}

TEST(ReadEXEVersionData, BlockWithoutTranslationRaisesTheSystemErrorAndChangesNothing) {
    const ScratchFolder folder;
    const std::wstring file = CopyOf(folder, L"vi_none.dll", L"untranslated.dll");
    VersionNode table{L"240A04E4", true, {}, {TextNode(L"FileVersion", L"9.9")}};
    VersionNode root = BinaryNode(L"VS_VERSION_INFO", FixedFileInfo());
    root.Children = {VersionNode{L"StringFileInfo", true, {}, {std::move(table)}}};
    test::WriteVersionResource(file, test::Serialize(root));

    TEXEVersionData data = Marked();
    EXPECT_THROW(ReadEXEVersionData(file, data, kFormats), EOSError);
    ExpectTextFields(data, {});
    EXPECT_EQ(data.DateModified, L"untouched DateModified");
}

TEST(ReadEXEVersionData, ReadsEachTextToItsNulWithinItsValue) {
    const ScratchFolder folder;
    const std::wstring file = CopyOf(folder, L"vi_none.dll", L"texts.dll");
    // A zero-length value directly followed by the next entry's header, a value that goes on after
    // its NUL, and a last value without NUL that ends the block.
    test::WriteVersionResource(
        file, VersionBlock(kTranslation240A04E4,
                           {TextNode(L"InternalName", L"", false), TextNode(L"FileVersion", L"16.0.1.1"),
                            TextNode(L"Comments", std::wstring(L"ab\0cd", 5)),
                            TextNode(L"CompanyName", L"xyz", false)}));

    TEXEVersionData data = Marked();
    ReadEXEVersionData(file, data, kFormats);
    ExpectTextFields(data, {{L"InternalName", L""},
                            {L"FileVersion", L"16.0.1.1"},
                            {L"Comments", L"ab"},
                            {L"CompanyName", L"xyz"}});
}

// The text the system itself makes with the user's short date and long time formats.
std::wstring UsersOwnDateAndTime(const SYSTEMTIME& t) {
    wchar_t date[128] = {};
    wchar_t time[128] = {};
    EXPECT_NE(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, 128), 0);
    EXPECT_NE(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &t, nullptr, time, 128), 0);
    return std::wstring(date) + L' ' + time;
}

TEST(ReadEXEVersionData, DefaultFormatsAreTheUsersOwn) {
    const ScratchFolder folder;
    const std::wstring own = CopyOf(folder, L"vi_own.dll", L"own.dll");
    test::SetLastWriteLocalTime(own, kOddSecond);
    TEXEVersionData data;
    ReadEXEVersionData(own, data);
    SYSTEMTIME even = kOddSecond;
    even.wSecond = 6;
    EXPECT_EQ(data.DateModified, UsersOwnDateAndTime(even));
    EXPECT_EQ(data.FileVersion, L"16.0.1.1");
}

TEST(ExecutableFileName, NamesTheRunningExecutableInFull) {
    const std::wstring path = ExecutableFileName();
    EXPECT_EQ(path.substr(path.rfind(L'\\') + 1), L"versioninfo_tests.exe");
    EXPECT_EQ(path.substr(1, 2), L":\\");
    EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
} // namespace zt
