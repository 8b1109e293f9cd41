#include "tests/support/AllocationBudget.h"

#include <stdexcept>
#include <string>

namespace zt::test {

SharedAllocationBudget::SharedAllocationBudget() {
    static LONG made = 0;
    const std::wstring name = L"Local\\ZtAllocationBudget-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(InterlockedIncrement(&made));
    mapping_ =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG), name.c_str());
    if (mapping_ == nullptr)
        throw std::runtime_error("cannot make the shared allocation budget");
    budget_ = static_cast<volatile LONG*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(LONG)));
    if (budget_ == nullptr) {
        CloseHandle(mapping_);
        throw std::runtime_error("cannot map the shared allocation budget");
    }
    *budget_ = kUnlimitedAllocations;
    SetEnvironmentVariableW(kAllocationBudgetVariable, name.c_str());
}

SharedAllocationBudget::~SharedAllocationBudget() {
    SetEnvironmentVariableW(kAllocationBudgetVariable, nullptr);
    UnmapViewOfFile(const_cast<LONG*>(budget_));
    CloseHandle(mapping_);
}

void SharedAllocationBudget::Limit(LONG bytes) noexcept {
    InterlockedExchange(budget_, bytes);
}

} // namespace zt::test
