// A limit on this test program's memory: while a budget lives, an allocation
// through operator new that would take the bytes held past the budget fails
// with std::bad_alloc, as it would in a process that has run out.
#pragma once

#include <cstddef>

namespace tallyman::test {

class MemoryBudget {
  public:
    // `bytes` more than the program holds now.
    explicit MemoryBudget(size_t bytes);
    ~MemoryBudget();
    MemoryBudget(const MemoryBudget&) = delete;
    MemoryBudget& operator=(const MemoryBudget&) = delete;
};

} // namespace tallyman::test
