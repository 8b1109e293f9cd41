#pragma once
// A scratch folder of the test's own under the system's temporary folder, removed with what it holds.
#include <set>
#include <string>

#include <windows.h>

namespace zt::test {

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
    // Names of the files in the folder.
    std::set<std::wstring> Entries() const;

private:
    std::wstring path_;
};

std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
// The folder of the running executable, where the helper programs are built.
std::wstring ExecutableFolder();

} // namespace zt::test
