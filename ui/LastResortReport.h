#pragma once
// The report of an error that escapes the whole program: a task-modal "Application Error" box.
#include <array>
#include <cstddef>
#include <exception>
#include <string>
#include <string_view>

namespace zt::ui {

// Made when the program starts, with everything the report will need, so that composing and showing
// it later needs no memory of the program's own: the error may be that there is none left.
class LastResortReport {
public:
    LastResortReport() noexcept;

    // "Exception %s in module %s at %p.\r\n%s%s\r\n": class, module file name, code address, the
    // message, and a full stop when the message is not empty and does not end in one. The text lives
    // in the report's own storage; a text longer than that storage is cut.
    std::wstring_view Compose(const std::exception_ptr& error, const void* address) noexcept;

    // Composes the report and shows it; returns once the box is dismissed.
    void Show(const std::exception_ptr& error, const void* address) noexcept;

    static constexpr std::size_t kCapacity = 4096; // characters, the terminating NUL included

private:
    void Append(std::wstring_view text) noexcept;
    void AppendNarrow(const char* text) noexcept;
    void AppendMessage(std::wstring_view message) noexcept;
    void AppendAddress(const void* address) noexcept;

    std::wstring moduleName_;
    std::array<wchar_t, kCapacity> text_{};
    std::size_t length_ = 0;
};

} // namespace zt::ui
