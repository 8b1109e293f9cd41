#include "app/CorridaUnica.h"

TCorridaUnica::TCorridaUnica() : mutex_(CreateMutexW(nullptr, FALSE, kNombreCorridaUnica)) {
    // No handle at all (access denied: another user's run holds it) counts as a run under way.
    if (mutex_ == nullptr)
        return;
    // A run that ended without releasing it (the process was killed) left nothing to wait for.
    const DWORD espera = WaitForSingleObject(mutex_, 0);
    tomada_ = espera == WAIT_OBJECT_0 || espera == WAIT_ABANDONED;
}

TCorridaUnica::~TCorridaUnica() {
    if (tomada_)
        ReleaseMutex(mutex_);
    if (mutex_ != nullptr)
        CloseHandle(mutex_);
}
