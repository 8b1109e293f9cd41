#include "platform/errormodule/OleString.h"

#include "runtime/OutOfMemory.h"

namespace zt {

OleString::OleString(std::wstring_view text)
    : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (!text_)
        RaiseOutOfMemory();
}

} // namespace zt
