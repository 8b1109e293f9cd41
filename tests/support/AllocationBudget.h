#pragma once
// Memory that really runs out, for test builds: past a budget of bytes, every allocation through the
// C++ allocator of the process fails with std::bad_alloc. AllocationBudget.cpp replaces the global
// operator new; it is compiled into the executable under test itself. The budget is set from inside
// (LimitAllocations) or, for a program that knows nothing of it, by the process that started it
// (SharedAllocationBudget, whose name reaches the child through its environment).
#include <windows.h>

namespace zt::test {

inline constexpr LONG kUnlimitedAllocations = -1;
inline constexpr const wchar_t* kAllocationBudgetVariable = L"ZT_ALLOCATION_BUDGET";

// In a process built with AllocationBudget.cpp: from now on allocations fail once `bytes` more
// bytes have been handed out (kUnlimitedAllocations: never).
void LimitAllocations(LONG bytes) noexcept;

// Held by a test: the processes it starts while the object lives obey a budget that it sets.
class SharedAllocationBudget {
public:
    SharedAllocationBudget();
    ~SharedAllocationBudget();
    SharedAllocationBudget(const SharedAllocationBudget&) = delete;
    SharedAllocationBudget& operator=(const SharedAllocationBudget&) = delete;

    void Limit(LONG bytes) noexcept;

private:
    HANDLE mapping_ = nullptr;
    volatile LONG* budget_ = nullptr;
};

} // namespace zt::test
