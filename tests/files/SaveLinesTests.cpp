#include "platform/files/SaveLines.h"

#include "runtime/Exceptions.h"
#include "tests/support/Bytes.h"
#include "tests/support/FileHolder.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace zt {
namespace {

using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

const std::vector<std::wstring> kSection = {
    L"[NOMINA]", L"DriverID=MSSQL", L"Server=SRV\\PROD;x=y", L"DataBase=Nómina", L"User_Name=", L"Password=",
    L""};

struct LinesCase {
    const char* name;
    std::vector<std::wstring> lines;
    std::string ansi1252;
    std::string utf8;
};

const std::vector<LinesCase> kLinesCases = {
    {"no lines", {}, "", "\xEF\xBB\xBF"},
    {"empty lines", {L"", L""}, "\r\n\r\n", "\xEF\xBB\xBF\r\n\r\n"},
    {"letters of 1252",
     {L"[Año]", L"DataBase=Ñú€"},
     "[A\xF1o]\r\nDataBase=\xD1\xFA\x80\r\n",
     "\xEF\xBB\xBF[A\xC3\xB1o]\r\nDataBase=\xC3\x91\xC3\xBA\xE2\x82\xAC\r\n"},
    {"outside 1252", {L"Server=中"}, "Server=?\r\n", "\xEF\xBB\xBFServer=\xE4\xB8\xAD\r\n"},
    {"section", kSection,
     "[NOMINA]\r\nDriverID=MSSQL\r\nServer=SRV\\PROD;x=y\r\nDataBase=N\xF3mina\r\nUser_Name=\r\nPassword="
     "\r\n\r\n",
     "\xEF\xBB\xBF[NOMINA]\r\nDriverID=MSSQL\r\nServer=SRV\\PROD;x=y\r\nDataBase=N\xC3\xB3mina\r\nUser_Name="
     "\r\n"
     "Password=\r\n\r\n"},
};

TEST(EncodeLines, EndsEveryLineAndMarksOnlyUtf8) {
    for (const LinesCase& row : kLinesCases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(EncodeLines(row.lines, 1252), row.ansi1252);
        EXPECT_EQ(EncodeLines(row.lines, CP_UTF8), row.utf8);
    }
}

class SaveLinesTest : public testing::Test {
protected:
    // A previous file and the backup of the one before it.
    void WriteOldFiles() const {
        WriteBytes(target, oldBytes);
        WriteBytes(backup, oldBackup);
    }

    // Both files as they were, and nothing else in the folder.
    void ExpectUntouched() const {
        EXPECT_EQ(ReadBytes(target), oldBytes);
        EXPECT_EQ(ReadBytes(backup), oldBackup);
        EXPECT_EQ(folder.Entries(), (std::set<std::wstring>{L"Conexiones.ini", L"Conexiones.ini.bak"}))
            << "a temporary file was left";
    }

    void ExpectCreateError(const std::wstring& path, DWORD errorCode,
                           const FileWriter& writer = SystemFileWriter(),
                           const std::wstring& named = {}) const {
        try {
            SaveLines(path, kSection, writer);
            ADD_FAILURE() << "saving succeeded";
        } catch (const EFCreateError& error) {
            EXPECT_EQ(error.Message(), L"Cannot create file \"" + (named.empty() ? path : named) + L"\". " +
                                           SysErrorMessage(errorCode));
        }
    }

    ScratchFolder folder;
    const std::wstring target = folder.File(L"Conexiones.ini");
    const std::wstring backup = folder.File(L"Conexiones.ini.bak");
    const std::string oldBytes = "[OLD]\r\nServer=adjusted by hand, longer than nothing\r\n";
    const std::string oldBackup = "[OLDER]\r\n";
};

TEST_F(SaveLinesTest, ReplacesTheWholeFileWithTheEncodedLines) {
    for (const LinesCase& row : kLinesCases) {
        SCOPED_TRACE(row.name);
        WriteBytes(target, oldBytes);
        SaveLines(target, row.lines);
        const std::string bytes = ReadBytes(target);
        EXPECT_EQ(bytes, EncodeLines(row.lines, GetACP()));
        if (GetACP() == 1252) {
            EXPECT_EQ(bytes, row.ansi1252);
        }
        EXPECT_EQ(ReadBytes(backup), oldBytes);
        EXPECT_EQ(folder.Entries(), (std::set<std::wstring>{L"Conexiones.ini", L"Conexiones.ini.bak"}));
    }
}

TEST_F(SaveLinesTest, KeepsOneGenerationOfTheReplacedFile) {
    // The first save has nothing to keep, and leaves alone a backup that is already there.
    WriteBytes(backup, oldBackup);
    SaveLines(target, {L"[UNO]"});
    EXPECT_EQ(ReadBytes(target), "[UNO]\r\n");
    EXPECT_EQ(ReadBytes(backup), oldBackup);

    SaveLines(target, {L"[DOS]"});
    EXPECT_EQ(ReadBytes(target), "[DOS]\r\n");
    EXPECT_EQ(ReadBytes(backup), "[UNO]\r\n");

    SaveLines(target, {L"[TRES]"});
    EXPECT_EQ(ReadBytes(target), "[TRES]\r\n");
    EXPECT_EQ(ReadBytes(backup), "[DOS]\r\n");
    EXPECT_EQ(folder.Entries(), (std::set<std::wstring>{L"Conexiones.ini", L"Conexiones.ini.bak"}));
}

TEST_F(SaveLinesTest, FirstSaveMakesNoBackup) {
    SaveLines(target, kSection);
    EXPECT_EQ(ReadBytes(target), EncodeLines(kSection, GetACP()));
    EXPECT_EQ(folder.Entries(), std::set<std::wstring>{L"Conexiones.ini"});
}

TEST_F(SaveLinesTest, ReadsBackAsIni) {
    std::vector<std::wstring> lines = kSection;
    lines.insert(lines.end(),
                 {L"[Zentor7]", L"DriverID=PG", L"Server=SRV =2", L"User_Name=", L"Password=", L""});
    SaveLines(target, lines);

    wchar_t names[256] = {};
    const DWORD length = GetPrivateProfileSectionNamesW(names, 256, target.c_str());
    EXPECT_EQ(std::wstring(names, length), std::wstring(L"NOMINA\0Zentor7\0", 15));

    const auto value = [&](const wchar_t* section, const wchar_t* key) {
        wchar_t text[256] = {};
        GetPrivateProfileStringW(section, key, L"<none>", text, 256, target.c_str());
        return std::wstring(text);
    };
    EXPECT_EQ(value(L"NOMINA", L"Server"), L"SRV\\PROD;x=y");
    EXPECT_EQ(value(L"NOMINA", L"DataBase"), L"Nómina");
    EXPECT_EQ(value(L"NOMINA", L"Password"), L"");
    EXPECT_EQ(value(L"Zentor7", L"Server"), L"SRV =2");
    EXPECT_EQ(value(L"Zentor7", L"DataBase"), L"<none>");
}

TEST_F(SaveLinesTest, MissingFolderIsNotCreated) {
    const std::wstring missing = folder.File(L"version");
    ExpectCreateError(missing + L"\\Conexiones.ini", ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(folder.Entries().empty());
}

TEST_F(SaveLinesTest, AMarkedFileOrBackupStaysAsItWasWithItsMarks) {
    // A create-always open with normal attributes refuses each of these marks: access denied. ReplaceFileW
    // alone would pass over all but a read-only target.
    const struct {
        const char* name;
        DWORD marks;
    } marks[] = {
        {"read-only", FILE_ATTRIBUTE_READONLY},
        {"hidden", FILE_ATTRIBUTE_HIDDEN},
        {"system", FILE_ATTRIBUTE_SYSTEM},
        {"hidden and system", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
    };
    for (const std::wstring* marked : {&target, &backup}) {
        for (const auto& m : marks) {
            SCOPED_TRACE(testing::Message() << m.name << " " << testing::PrintToString(*marked));
            WriteOldFiles();
            ASSERT_TRUE(SetFileAttributesW(marked->c_str(), m.marks));
            ExpectCreateError(target, ERROR_ACCESS_DENIED, SystemFileWriter(), *marked);
            EXPECT_EQ(GetFileAttributesW(marked->c_str()) & m.marks, m.marks) << "the file lost a mark";
            ASSERT_TRUE(SetFileAttributesW(marked->c_str(), FILE_ATTRIBUTE_NORMAL));
            ExpectUntouched();
        }
    }
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

Handle Owned(HANDLE handle) {
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

TEST_F(SaveLinesTest, AFileOrBackupHeldOpenByAnotherProgramStaysAsItWas) {
    for (const std::wstring* held : {&target, &backup}) {
        SCOPED_TRACE(testing::PrintToString(*held));
        WriteOldFiles();
        {
            const test::FileHolder holder(*held);
            ASSERT_TRUE(holder.WaitUntilHeld())
                << "ZtFileHolder.exe did not report holding the file within 30 s";
            ExpectCreateError(target, ERROR_SHARING_VIOLATION, SystemFileWriter(), *held);
        }
        ExpectUntouched();
    }
}

TEST_F(SaveLinesTest, RemovesLeftoverTemporaryFilesThatNoProcessHolds) {
    const std::set<std::wstring> leftovers = {L"~Conexiones.ini.0123.89ABCDEF.tmp",
                                              L"~Conexiones.ini.FFFFFFFC.00000000.tmp"};
    const std::set<std::wstring> notOurs = {
        L"~Conexiones.ini.123.89ABCDEF.tmp",      L"~Conexiones.ini.123456789.89ABCDEF.tmp",
        L"~Conexiones.ini.0123.89abcdee.tmp",     L"~Conexiones.ini.0123.89ABCDE.tmp",
        L"~Conexiones.ini.0123.89ABCDEF0.tmp",    L"~Conexiones.ini.0123.89ABCDEF.tmp.txt",
        L"~Conexiones.ini.0124.89ABCDEF.TMP",     L"~Conexiones.ini..89ABCDEF.tmp",
        L"~Conexiones.ini.bak.0123.89ABCDEF.tmp", L"Conexiones.ini.0123.89ABCDEF.tmp",
        L"~Otro.ini.0123.89ABCDEF.tmp",           L"~Conexiones.ini.0123.89ABCDEF.tmp~",
    };
    // Ours by name, but marked, held open, or not a file.
    const std::wstring readOnly = L"~Conexiones.ini.1000.00000001.tmp";
    const std::wstring hidden = L"~Conexiones.ini.1000.00000002.tmp";
    const std::wstring heldByAnother = L"~Conexiones.ini.1000.00000003.tmp";
    const std::wstring heldHereShared = L"~Conexiones.ini.1000.00000004.tmp";
    const std::wstring folderOfOurName = L"~Conexiones.ini.1000.00000005.tmp";

    WriteOldFiles();
    for (const std::set<std::wstring>& names : {leftovers, notOurs})
        for (const std::wstring& name : names)
            WriteBytes(folder.File(name), "x");
    for (const std::wstring& name : {readOnly, hidden, heldByAnother, heldHereShared})
        WriteBytes(folder.File(name), "x");
    ASSERT_TRUE(SetFileAttributesW(folder.File(readOnly).c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesW(folder.File(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(CreateDirectoryW(folder.File(folderOfOurName).c_str(), nullptr));
    Handle shared = Owned(CreateFileW(folder.File(heldHereShared).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(shared);
    {
        const test::FileHolder holder(folder.File(heldByAnother));
        ASSERT_TRUE(holder.WaitUntilHeld()) << "ZtFileHolder.exe did not report holding the file within 30 s";
        SaveLines(target, kSection);
    }
    // A file held with delete sharing would only go once its holder lets it go.
    shared.reset();

    std::set<std::wstring> expected = notOurs;
    expected.insert({L"Conexiones.ini", L"Conexiones.ini.bak", readOnly, hidden, heldByAnother,
                     heldHereShared, folderOfOurName});
    EXPECT_EQ(folder.Entries(), expected);
    EXPECT_EQ(ReadBytes(folder.File(heldHereShared)), "x");

    // A save that is refused removes them too (and the files no longer held), and leaves both files as they
    // were.
    expected.erase(heldByAnother);
    expected.erase(heldHereShared);
    for (const std::wstring& name : leftovers)
        WriteBytes(folder.File(name), "x");
    WriteOldFiles();
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    ExpectCreateError(target, ERROR_ACCESS_DENIED);
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(folder.Entries(), expected);
    EXPECT_EQ(ReadBytes(target), oldBytes);
    EXPECT_EQ(ReadBytes(backup), oldBackup);
}

// Stands in for a disk that fills up halfway through the text.
class FailingHalfway final : public SystemFileWriter {
public:
    bool WriteAll(HANDLE file, std::string_view bytes) const override {
        SystemFileWriter::WriteAll(file, bytes.substr(0, bytes.size() / 2));
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
};

TEST_F(SaveLinesTest, FailedWriteLeavesBothFilesAndNoTemporaryFile) {
    WriteOldFiles();
    try {
        SaveLines(target, kSection, FailingHalfway());
        ADD_FAILURE() << "saving succeeded";
    } catch (const EWriteError& error) {
        EXPECT_EQ(error.Message(), kStreamWriteErrorMessage);
    }
    ExpectUntouched();
}

// Stands in for a replacement that fails as ReplaceFileW reports it: with ERROR_UNABLE_TO_MOVE_REPLACEMENT
// nothing has moved; with ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 the target already went to the backup's name.
class FailingReplace final : public SystemFileWriter {
public:
    explicit FailingReplace(DWORD error) : error_(error) {}
    bool Replace(const std::wstring& target, const std::wstring&, const std::wstring& backup) const override {
        if (error_ == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
            MoveFileExW(target.c_str(), backup.c_str(), MOVEFILE_REPLACE_EXISTING);
        SetLastError(error_);
        return false;
    }

private:
    DWORD error_;
};

TEST_F(SaveLinesTest, AReplacementThatFailsLeavesTheOldFileInPlace) {
    WriteOldFiles();
    ExpectCreateError(target, ERROR_UNABLE_TO_MOVE_REPLACEMENT,
                      FailingReplace(ERROR_UNABLE_TO_MOVE_REPLACEMENT));
    ExpectUntouched();

    // Once the old file went to the backup's name it comes back; the older backup it replaced is lost.
    ExpectCreateError(target, ERROR_UNABLE_TO_MOVE_REPLACEMENT,
                      FailingReplace(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2));
    EXPECT_EQ(ReadBytes(target), oldBytes);
    EXPECT_EQ(folder.Entries(), std::set<std::wstring>{L"Conexiones.ini"});
}

// Looks at the folder while the text is being written.
class WatchingWriter final : public SystemFileWriter {
public:
    WatchingWriter(const ScratchFolder& folder, std::wstring target)
        : folder_(folder), target_(std::move(target)) {}

    bool WriteAll(HANDLE file, std::string_view bytes) const override {
        targetWhileWriting = ReadBytes(target_);
        for (const std::wstring& name : folder_.Entries()) {
            if (name == L"Conexiones.ini")
                continue;
            temporaryName = name;
            const Handle other = Owned(CreateFileW(folder_.File(name).c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                   nullptr, OPEN_EXISTING, 0, nullptr));
            temporaryOpenError = other ? ERROR_SUCCESS : GetLastError();
        }
        return SystemFileWriter::WriteAll(file, bytes);
    }

    mutable std::string targetWhileWriting;
    mutable std::wstring temporaryName;
    mutable DWORD temporaryOpenError = ERROR_SUCCESS;

private:
    const ScratchFolder& folder_;
    std::wstring target_;
};

TEST_F(SaveLinesTest, WritesAnUnsharedTemporaryFileBesideTheTargetFirst) {
    WriteBytes(target, oldBytes);
    const WatchingWriter writer(folder, target);
    SaveLines(target, kSection, writer);

    EXPECT_EQ(writer.targetWhileWriting, oldBytes);
    EXPECT_FALSE(writer.temporaryName.empty()) << "no second file in the folder while writing";
    EXPECT_EQ(writer.temporaryOpenError, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadBytes(target), EncodeLines(kSection, GetACP()));
    EXPECT_EQ(ReadBytes(backup), oldBytes);
    EXPECT_EQ(folder.Entries(), (std::set<std::wstring>{L"Conexiones.ini", L"Conexiones.ini.bak"}));
}

} // namespace
} // namespace zt
