#include "platform/files/SaveLines.h"

#include "platform/files/FileErrors.h"
#include "platform/files/FileHandle.h"
#include "platform/files/TemporaryFile.h"
#include "runtime/CodePages.h"

namespace zt {
namespace {

// Refuses, before anything is written, a file that a create-always open with normal attributes would
// refuse: read-only, hidden or system, held open by another program, access denied, folder missing. A
// missing file is fine. True when the file exists.
bool CheckReplaceable(const std::wstring& path) {
    // The marks are checked apart: ReplaceFileW passes over a hidden or system target (and, under Wine,
    // over a read-only backup), and a process with the right to bypass file permissions may open a
    // read-only file regardless.
    constexpr DWORD kRefusedMarks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kRefusedMarks) != 0)
        RaiseCreateError(path, ERROR_ACCESS_DENIED);
    const FileHandle existing(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (existing.IsOpen())
        return true;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND)
        RaiseCreateError(path, error);
    return false;
}

// The complete new file takes the target's place and the old one becomes the backup, in one step.
void ReplaceKeepingBackup(TemporaryFile& temporary, const std::wstring& target, const std::wstring& backup,
                          const FileWriter& writer) {
    if (writer.Replace(target, temporary.Path(), backup)) {
        temporary.Placed();
        return;
    }
    DWORD error = GetLastError();
    // The old file went to the backup's name and the new one did not follow: the old one comes back.
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 && MoveFileExW(backup.c_str(), target.c_str(), 0))
        error = ERROR_UNABLE_TO_MOVE_REPLACEMENT;
    RaiseCreateError(target, error);
}

// With no old file there is nothing to keep; a file that appeared meanwhile is not replaced unkept.
void TakeTargetName(TemporaryFile& temporary, const std::wstring& target) {
    if (!MoveFileExW(temporary.Path().c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
        RaiseCreateError(target, GetLastError());
    temporary.Placed();
}

} // namespace

std::string EncodeLines(const std::vector<std::wstring>& lines, unsigned codePage) {
    // Sized once: for a large file the text is the largest block the program holds, and growing it
    // step by step would hold two copies of it at once.
    std::size_t length = 0;
    for (const std::wstring& line : lines)
        length += line.size() + 2;
    std::wstring text;
    text.reserve(length);
    for (const std::wstring& line : lines) {
        text += line;
        text += L"\r\n";
    }
    if (codePage != CP_UTF8)
        return ToCodePage(text, codePage);
    return "\xEF\xBB\xBF" + ToCodePage(text, codePage);
}

void SaveLines(const std::wstring& path, const std::vector<std::wstring>& lines) {
    SaveLines(path, lines, SystemFileWriter());
}

void SaveLines(const std::wstring& path, const std::vector<std::wstring>& lines, const FileWriter& writer) {
    const std::string bytes = EncodeLines(lines, GetACP());
    RemoveLeftoverTemporaryFiles(path);
    const bool replacing = CheckReplaceable(path);
    const std::wstring backup = path + L".bak";
    if (replacing)
        CheckReplaceable(backup);

    TemporaryFile temporary(path);
    if (!writer.WriteAll(temporary.Handle(), bytes) || !FlushFileBuffers(temporary.Handle()) ||
        !temporary.Close())
        RaiseWriteError();
    if (replacing)
        ReplaceKeepingBackup(temporary, path, backup, writer);
    else
        TakeTargetName(temporary, path);
}

} // namespace zt
