// Run by full-disk.sh with ZT_FULL_DISK_DIR naming a folder on a nearly full file system.
#include "platform/files/SaveLines.h"

#include "runtime/Exceptions.h"
#include "tests/support/Bytes.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(SaveLinesOnFullDisk, LeavesTheOldFileItsBackupAndNoTemporaryFile) {
    wchar_t folder[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"ZT_FULL_DISK_DIR", folder, MAX_PATH) == 0)
        GTEST_SKIP() << "ZT_FULL_DISK_DIR names no folder on a small file system";
    const std::wstring target = std::wstring(folder) + L"\\Conexiones.ini";
    const std::wstring backup = target + L".bak";
    const std::string oldBytes = "[OLD]\r\nServer=kept\r\n";
    const std::string oldBackup = "[OLDER]\r\n";
    test::WriteBytes(target, oldBytes);
    test::WriteBytes(backup, oldBackup);

    // Far more than the file system can take.
    const std::vector<std::wstring> lines(4096, L"Server=" + std::wstring(60, L'x'));
    try {
        SaveLines(target, lines);
        ADD_FAILURE() << "saving succeeded on a full disk";
    } catch (const EWriteError& error) {
        EXPECT_EQ(error.Message(), kStreamWriteErrorMessage);
    }
    EXPECT_EQ(test::ReadBytes(target), oldBytes);
    EXPECT_EQ(test::ReadBytes(backup), oldBackup);

    WIN32_FIND_DATAW data{};
    std::set<std::wstring> names;
    const HANDLE search = FindFirstFileW((std::wstring(folder) + L"\\*").c_str(), &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        if (data.cFileName[0] != L'.')
            names.insert(data.cFileName);
    } while (FindNextFileW(search, &data));
    FindClose(search);
    EXPECT_EQ(names, (std::set<std::wstring>{L"Conexiones.ini", L"Conexiones.ini.bak"}))
        << "a temporary file was left";
    DeleteFileW(target.c_str());
    DeleteFileW(backup.c_str());
}

} // namespace
} // namespace zt
