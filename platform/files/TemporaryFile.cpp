#include "platform/files/TemporaryFile.h"

#include "platform/files/FileErrors.h"
#include "runtime/Format.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace zt {
namespace {

constexpr int kProcessDigits = 4; // at least
constexpr int kMaxProcessDigits = 8;
constexpr int kNumberDigits = 8;
constexpr std::wstring_view kExtension = L".tmp";

std::wstring FolderPrefix(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// "<folder>\~<name>." for the target "<folder>\<name>".
std::wstring NameStem(const std::wstring& target) {
    const std::wstring folder = FolderPrefix(target);
    return folder + L"~" + target.substr(folder.size()) + L".";
}

bool IsHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F');
}

// Takes from the front of text a run of upper-case hex digits, as long as the bounds allow, and the dot
// after it.
bool TakeHexField(std::wstring_view& text, std::size_t minDigits, std::size_t maxDigits) {
    const std::size_t digits =
        static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), IsHexDigit) - text.begin());
    if (digits < minDigits || digits > maxDigits || digits == text.size() || text[digits] != L'.')
        return false;
    text.remove_prefix(digits + 1);
    return true;
}

// Exactly the names that TemporaryFile makes in the folder, given their common beginning "~<name>.".
bool IsTemporaryName(std::wstring_view name, std::wstring_view beginning) {
    if (!name.starts_with(beginning))
        return false;
    name.remove_prefix(beginning.size());
    if (!TakeHexField(name, kProcessDigits, kMaxProcessDigits) || !name.ends_with(kExtension))
        return false;
    name.remove_suffix(kExtension.size());
    return name.size() == kNumberDigits && std::all_of(name.begin(), name.end(), IsHexDigit);
}

// Removes the file only when no process holds it: an open without sharing fails while any handle to
// it is open (a plain DeleteFile would succeed on a file held with delete sharing, and the file would
// go when its holder closes it), and the handle removes the file as it closes.
void RemoveUnlessHeld(const std::wstring& path) {
    const FileHandle closing(CreateFileW(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

struct SearchCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};

} // namespace

TemporaryFile::TemporaryFile(const std::wstring& target) {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    const std::wstring stem = NameStem(target) + HexUpper(GetCurrentProcessId(), kProcessDigits) + L".";
    for (std::uint64_t attempt = 0; attempt < 1000; ++attempt) {
        const std::uint64_t number = (static_cast<std::uint64_t>(counter.QuadPart) + attempt) & 0xFFFFFFFFu;
        std::wstring candidate = stem + HexUpper(number, kNumberDigits) + std::wstring(kExtension);
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

TemporaryFile::~TemporaryFile() {
    handle_.Close();
    if (!path_.empty())
        DeleteFileW(path_.c_str());
}

void RemoveLeftoverTemporaryFiles(const std::wstring& target) {
    const std::wstring stem = NameStem(target);
    const std::wstring folder = FolderPrefix(target);
    const std::wstring_view beginning = std::wstring_view(stem).substr(folder.size());

    // Listed first, removed after: the search does not see a folder that changes under it.
    std::vector<std::wstring> leftovers;
    WIN32_FIND_DATAW found{};
    const HANDLE first = FindFirstFileExW((stem + L"*" + std::wstring(kExtension)).c_str(), FindExInfoBasic,
                                          &found, FindExSearchNameMatch, nullptr, 0);
    if (first == INVALID_HANDLE_VALUE)
        return;
    const std::unique_ptr<void, SearchCloser> search(first);
    // Marked files were kept by someone on purpose; a link or a folder is never one of ours.
    constexpr DWORD kNotOurs = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    do {
        if ((found.dwFileAttributes & kNotOurs) == 0 && IsTemporaryName(found.cFileName, beginning))
            leftovers.push_back(folder + found.cFileName);
    } while (FindNextFileW(search.get(), &found));

    for (const std::wstring& leftover : leftovers)
        RemoveUnlessHeld(leftover);
}

} // namespace zt
