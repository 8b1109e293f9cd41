// Ends with an error that escapes the program body, so that its last-resort report can be observed.
#include "runtime/Exceptions.h"
#include "ui/Application.h"

#include <new>
#include <string>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    const std::wstring kind = commandLine;
    return zt::ui::RunProgram([&] {
        zt::ui::Application application;
        if (kind == L"oom")
            throw std::bad_alloc();
        if (kind == L"full-stop")
            throw zt::EConvertError(L"Ya termina en punto.");
        if (kind == L"empty")
            throw zt::Exception(L"");
        throw zt::EOSError(ERROR_ACCESS_DENIED);
    });
}
