// The test program's own operator new and delete: they count the bytes held
// and refuse what would pass a budget in force.
#include "memory_budget.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> g_held{0};
std::atomic<long long> g_limit{-1}; // -1: no budget in force

} // namespace

void* operator new(size_t n) {
    const long long limit = g_limit.load();
    if (limit >= 0 && g_held.load() + static_cast<long long>(n) > limit) throw std::bad_alloc();
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    g_held += static_cast<long long>(_msize(p));
    return p;
}

void operator delete(void* p) noexcept {
    if (!p) return;
    g_held -= static_cast<long long>(_msize(p));
    std::free(p);
}

void operator delete(void* p, size_t) noexcept { operator delete(p); }

namespace tallyman::test {

MemoryBudget::MemoryBudget(size_t bytes) { g_limit = g_held.load() + static_cast<long long>(bytes); }

MemoryBudget::~MemoryBudget() { g_limit = -1; }

} // namespace tallyman::test
