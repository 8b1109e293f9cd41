#pragma once
// An OLE string (BSTR) of our own, freed when it goes out of scope.
#include <memory>
#include <string_view>

#include <windows.h>
// after windows.h, which it builds on
#include <oleauto.h>

namespace zt {

struct OleStringRelease {
    void operator()(BSTR text) const { SysFreeString(text); }
};

class OleString {
public:
    // Raises EOutOfMemory when the system cannot allocate it.
    explicit OleString(std::wstring_view text);

    BSTR Get() const { return text_.get(); }

private:
    std::unique_ptr<OLECHAR, OleStringRelease> text_;
};

} // namespace zt
