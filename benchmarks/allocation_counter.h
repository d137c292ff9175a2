// Counts heap allocations made through operator new in this program (the global operators are
// replaced in allocation_counter.cpp), so a benchmark can report allocations per pass.
#pragma once

#include <cstdint>

namespace bench {

std::uint64_t allocationCount();

}  // namespace bench
