// Replaces the global operator new of the executable it is compiled into; see AllocationBudget.h.
#include "tests/support/AllocationBudget.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace zt::test {
namespace {

volatile LONG g_ownBudget = kUnlimitedAllocations;
volatile LONG* g_budget = nullptr;

// The budget shared by the starting process when the environment names one, else the process's own.
// Looked up at the first allocation, which comes before main, on the one thread there is then.
volatile LONG* Budget() noexcept {
    if (g_budget == nullptr) {
        g_budget = &g_ownBudget;
        wchar_t name[128];
        const DWORD length = GetEnvironmentVariableW(kAllocationBudgetVariable, name, 128);
        if (length > 0 && length < 128) {
            // Mapping and view stay for the life of the process.
            if (HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, name))
                if (void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(LONG)))
                    g_budget = static_cast<volatile LONG*>(view);
        }
    }
    return g_budget;
}

bool Spend(std::size_t size) noexcept {
    volatile LONG* budget = Budget();
    for (;;) {
        const LONG left = *budget;
        if (left < 0)
            return true;
        if (size > static_cast<std::size_t>(left))
            return false;
        if (InterlockedCompareExchange(budget, left - static_cast<LONG>(size), left) == left)
            return true;
    }
}

} // namespace

void LimitAllocations(LONG bytes) noexcept {
    InterlockedExchange(Budget(), bytes);
}

} // namespace zt::test

void* operator new(std::size_t size) {
    if (zt::test::Spend(size))
        if (void* block = std::malloc(size == 0 ? 1 : size))
            return block;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) {
    return ::operator new(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
