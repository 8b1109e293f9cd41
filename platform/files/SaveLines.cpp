#include "platform/files/SaveLines.h"

#include "runtime/CodePages.h"
#include "runtime/Exceptions.h"
#include "runtime/Format.h"

namespace zt {
namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    void Reset(HANDLE handle) {
        Close();
        handle_ = handle;
    }
    bool Close() {
        if (!IsOpen())
            return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

[[noreturn]] void RaiseCreateError(const std::wstring& path, DWORD errorCode) {
    throw EFCreateError(L"Cannot create file \"" + path + L"\". " + SysErrorMessage(errorCode));
}

[[noreturn]] void RaiseWriteError() {
    throw EWriteError(kStreamWriteErrorMessage);
}

// Refuses, before anything is written, a target that a create-always open with normal attributes would
// refuse: read-only, hidden or system, held open by another program, access denied, folder missing. A
// missing file is fine.
void CheckTargetReplaceable(const std::wstring& path) {
    // The marks are checked apart: the rename that replaces the file would pass over every one of them,
    // and a process with the right to bypass file permissions may open a read-only file regardless.
    constexpr DWORD kRefusedMarks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kRefusedMarks) != 0)
        RaiseCreateError(path, ERROR_ACCESS_DENIED);
    const FileHandle existing(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (existing.IsOpen())
        return;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND)
        RaiseCreateError(path, error);
}

std::wstring FolderPrefix(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring FileName(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// A file of a name nobody else uses in the target's folder, open for this process alone, removed again
// on every path but the one that moves it over the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& target);
    ~TemporaryFile() {
        handle_.Close();
        if (!path_.empty())
            DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    HANDLE Handle() const { return handle_.Get(); }
    bool Close() { return handle_.Close(); }
    bool MoveOver(const std::wstring& target) {
        if (!MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return false;
        path_.clear();
        return true;
    }

private:
    std::wstring path_;
    FileHandle handle_{INVALID_HANDLE_VALUE};
};

TemporaryFile::TemporaryFile(const std::wstring& target) {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    const std::wstring stem =
        FolderPrefix(target) + L"~" + FileName(target) + L"." + HexUpper(GetCurrentProcessId(), 4) + L".";
    for (std::uint64_t attempt = 0; attempt < 1000; ++attempt) {
        const std::uint64_t suffix = (static_cast<std::uint64_t>(counter.QuadPart) + attempt) & 0xFFFFFFFFu;
        std::wstring candidate = stem + HexUpper(suffix, 8) + L".tmp";
        const HANDLE handle = CreateFileW(candidate.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            handle_.Reset(handle);
            path_ = std::move(candidate);
            return;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            RaiseCreateError(target, error);
    }
    RaiseCreateError(target, ERROR_FILE_EXISTS);
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
    CheckTargetReplaceable(path);

    TemporaryFile temporary(path);
    if (!writer.WriteAll(temporary.Handle(), bytes) || !FlushFileBuffers(temporary.Handle()) ||
        !temporary.Close())
        RaiseWriteError();
    if (!temporary.MoveOver(path))
        RaiseCreateError(path, GetLastError());
}

} // namespace zt
