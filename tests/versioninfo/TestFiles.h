#pragma once
// Files for the version reader's tests: the fixture modules, scratch copies of them, their times and
// version blocks laid out by hand where a resource compiler would refuse or repair the layout.
#include "tests/support/ScratchFolder.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zt::test {

// A fixture module built beside the test executable.
std::wstring FixturePath(const std::wstring& fileName);

// A copy of the fixture module under a new name in the folder.
std::wstring CopyOf(const ScratchFolder& folder, const std::wstring& fixtureFileName,
                    const std::wstring& newName);

// Sets the file's last-write time to the given local time, converted the way the reader converts back.
void SetLastWriteLocalTime(const std::wstring& fileName, const SYSTEMTIME& local);

// One node of a version block: a key, a value (text counted in UTF-16 units, binary in bytes) and
// children. valueLength overrides the length written into the header, to build damaged blocks.
struct VersionNode {
    std::wstring Key;
    bool Text = false;
    std::vector<std::uint8_t> Value;
    std::vector<VersionNode> Children;
    int ValueLength = -1;
};

VersionNode TextNode(const std::wstring& key, const std::wstring& text, bool withNul = true,
                     int valueLength = -1);
VersionNode BinaryNode(const std::wstring& key, std::vector<std::uint8_t> bytes);
std::vector<std::uint8_t> Serialize(const VersionNode& node);

// Replaces the module's version resource with the given bytes.
void WriteVersionResource(const std::wstring& moduleFileName, const std::vector<std::uint8_t>& block);

} // namespace zt::test
