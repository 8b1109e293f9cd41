#include "tests/versioninfo/TestFiles.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace zt::test {
namespace {

void Check(bool ok, const char* what) {
    if (!ok)
        throw std::runtime_error(std::string(what) + " failed, error " + std::to_string(GetLastError()));
}

void Append16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AlignTo4(std::vector<std::uint8_t>& out) {
    while (out.size() % 4 != 0)
        out.push_back(0);
}

std::vector<std::uint8_t> Utf16Bytes(const std::wstring& text, bool withNul) {
    std::vector<std::uint8_t> bytes;
    for (const wchar_t unit : text)
        Append16(bytes, static_cast<std::uint16_t>(unit));
    if (withNul)
        Append16(bytes, 0);
    return bytes;
}

} // namespace

std::wstring FixturePath(const std::wstring& fileName) {
    return (ExecutableFolder() / fileName).wstring();
}

std::wstring CopyOf(const ScratchFolder& folder, const std::wstring& fixtureFileName,
                    const std::wstring& newName) {
    const std::wstring target = folder.File(newName);
    Check(CopyFileW(FixturePath(fixtureFileName).c_str(), target.c_str(), FALSE), "CopyFileW");
    return target;
}

void SetLastWriteLocalTime(const std::wstring& fileName, const SYSTEMTIME& local) {
    FILETIME localTime;
    FILETIME utc;
    Check(SystemTimeToFileTime(&local, &localTime), "SystemTimeToFileTime");
    Check(LocalFileTimeToFileTime(&localTime, &utc), "LocalFileTimeToFileTime");
    const HANDLE file = CreateFileW(fileName.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    Check(file != INVALID_HANDLE_VALUE, "CreateFileW");
    const BOOL set = SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
    Check(set, "SetFileTime");
}

VersionNode TextNode(const std::wstring& key, const std::wstring& text, bool withNul, int valueLength) {
    return {key, true, Utf16Bytes(text, withNul), {}, valueLength};
}

VersionNode BinaryNode(const std::wstring& key, std::vector<std::uint8_t> bytes) {
    return {key, false, std::move(bytes), {}, -1};
}

std::vector<std::uint8_t> Serialize(const VersionNode& node) {
    std::vector<std::uint8_t> out(6, 0); // length, value length and type, written last
    const std::vector<std::uint8_t> key = Utf16Bytes(node.Key, true);
    out.insert(out.end(), key.begin(), key.end());
    AlignTo4(out);
    out.insert(out.end(), node.Value.begin(), node.Value.end());
    for (const VersionNode& child : node.Children) {
        AlignTo4(out);
        const std::vector<std::uint8_t> bytes = Serialize(child);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    const std::size_t valueLength = node.ValueLength >= 0
                                        ? static_cast<std::size_t>(node.ValueLength)
                                        : (node.Text ? node.Value.size() / 2 : node.Value.size());
    std::vector<std::uint8_t> header;
    Append16(header, static_cast<std::uint16_t>(out.size()));
    Append16(header, static_cast<std::uint16_t>(valueLength));
    Append16(header, node.Text ? 1 : 0);
    std::copy(header.begin(), header.end(), out.begin());
    return out;
}

void WriteVersionResource(const std::wstring& moduleFileName, const std::vector<std::uint8_t>& block) {
    const HANDLE update = BeginUpdateResourceW(moduleFileName.c_str(), FALSE);
    Check(update != nullptr, "BeginUpdateResourceW");
    const BOOL written = UpdateResourceW(
        update, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
        const_cast<std::uint8_t*>(block.data()), static_cast<DWORD>(block.size()));
    Check(EndUpdateResourceW(update, !written) && written, "UpdateResourceW");
}

} // namespace zt::test
