#pragma once
// Shows the hourglass while the engine starts, when called on a thread with windows whose pointer
// is the default one; puts the default pointer back afterwards if the hourglass is still shown.
#include <windows.h>

namespace zt::platform {

class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR wait_ = nullptr;
};

} // namespace zt::platform
