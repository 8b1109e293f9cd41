// Holds a file open without sharing for another process's test:
//   ZtFileHolder <file> <ready event> <release event>
// Signals the ready event once the file is held, then keeps it until the release event is signalled
// (or a minute has passed). Exit code 2: the file could not be opened; 3: an event is missing.
#include <windows.h>

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~Handle() {
        if (handle_ != nullptr)
            CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    explicit operator bool() const { return handle_ != nullptr; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4)
        return 1;
    const Handle file(
        CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return 2;
    const Handle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]));
    const Handle release(OpenEventW(SYNCHRONIZE, FALSE, argv[3]));
    if (!ready || !release)
        return 3;
    SetEvent(ready.Get());
    return WaitForSingleObject(release.Get(), 60'000) == WAIT_OBJECT_0 ? 0 : 4;
}
