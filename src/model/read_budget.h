#pragma once

#include <cstddef>

namespace korvix {

// The most records one read may add to the graphics database. A few kilobytes of large
// arcs can ask for gigabytes of arc pieces; past this many the read stops and gives its
// records back rather than exhausting the machine.
inline constexpr std::size_t kMaxReadRecords = 200'000'000;

// kMaxReadRecords, or fewer where half of the machine's memory would not hold that many.
std::size_t defaultReadRecordBudget();

} // namespace korvix
