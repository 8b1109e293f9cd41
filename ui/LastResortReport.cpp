#include "ui/LastResortReport.h"

#include "runtime/Exceptions.h"
#include "runtime/ExecutableFileName.h"

#include <cstdint>
#include <cwchar>
#include <new>
#include <windows.h>

namespace zt::ui {

LastResortReport::LastResortReport() noexcept {
    try {
        const std::wstring full = ExecutableFileName();
        moduleName_ = full.substr(full.find_last_of(L"\\/") + 1);
    } catch (...) {
        // The report is made all the same, without the module's name.
    }
}

std::wstring_view LastResortReport::Compose(const std::exception_ptr& error, const void* address) noexcept {
    length_ = 0;
    // Each branch writes while its error object is at hand; nothing here allocates.
    const auto head = [&](std::wstring_view className) {
        Append(L"Exception ");
        Append(className);
        Append(L" in module ");
        Append(moduleName_);
        Append(L" at ");
        AppendAddress(address);
        Append(L".\r\n");
    };
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        head(e.ClassName());
        AppendMessage(e.Message());
    } catch (const std::bad_alloc&) {
        head(L"EOutOfMemory");
        AppendMessage(kOutOfMemoryMessage);
    } catch (const std::exception& e) {
        head(L"Exception");
        const std::size_t start = length_;
        AppendNarrow(e.what());
        if (length_ > start && text_[length_ - 1] != L'.')
            Append(L".");
    } catch (...) {
        head(L"Exception");
    }
    Append(L"\r\n");
    text_[length_] = L'\0';
    return {text_.data(), length_};
}

void LastResortReport::Show(const std::exception_ptr& error, const void* address) noexcept {
    const std::wstring_view text = Compose(error, address);
    MessageBoxW(nullptr, text.data(), L"Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void LastResortReport::Append(std::wstring_view text) noexcept {
    const std::size_t room = kCapacity - 1 - length_;
    const std::size_t count = text.size() < room ? text.size() : room;
    std::wmemcpy(text_.data() + length_, text.data(), count);
    length_ += count;
}

void LastResortReport::AppendNarrow(const char* text) noexcept {
    for (; *text != '\0' && length_ < kCapacity - 1; ++text)
        text_[length_++] = static_cast<wchar_t>(static_cast<unsigned char>(*text));
}

void LastResortReport::AppendMessage(std::wstring_view message) noexcept {
    Append(message);
    if (!message.empty() && message.back() != L'.')
        Append(L".");
}

void LastResortReport::AppendAddress(const void* address) noexcept {
    // As wide as a pointer of this build: eight digits in a 32-bit program.
    constexpr int kDigits = static_cast<int>(sizeof(void*) * 2);
    const auto value = reinterpret_cast<std::uintptr_t>(address);
    wchar_t digits[kDigits];
    for (int i = 0; i < kDigits; ++i)
        digits[i] = L"0123456789ABCDEF"[(value >> (4 * (kDigits - 1 - i))) & 0xF];
    Append({digits, static_cast<std::size_t>(kDigits)});
}

} // namespace zt::ui
