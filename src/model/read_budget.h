#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvix {

// The most records one read may add to the graphics database. A few kilobytes of large
// arcs can ask for gigabytes of arc pieces; past this many the read stops and gives its
// records back rather than exhausting the machine.
inline constexpr std::size_t kMaxReadRecords = 200'000'000;

// kMaxReadRecords, or fewer where half of the machine's memory would not hold that many.
std::size_t defaultReadRecordBudget();

// What the system could still give the program now (MemAvailable), or 0 when it does not
// say. The budget above holds for one read; paths read before it take their share too.
std::uint64_t availableMemoryBytes();
// How many records `availableBytes` can take while leaving the system a reserve (one
// eighth, at least kMemoryReserveBytes) for everything else.
inline constexpr std::uint64_t kMemoryReserveBytes = std::uint64_t{512} << 20;
std::size_t recordsThatFit(std::uint64_t availableBytes);

// What a read that ran out of memory says: it gives back all it read.
std::string outOfMemoryText(const std::string& fileName);

} // namespace korvix
