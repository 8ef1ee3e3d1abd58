#include "model/read_budget.h"

#include "model/move_record.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace korvix {

std::size_t defaultReadRecordBudget() {
    // The system would grant far more than it holds and then stop the program outright;
    // the physical memory is the honest limit.
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return kMaxReadRecords;
    const auto bytes =
        static_cast<unsigned long long>(pages) * static_cast<unsigned long long>(pageSize);
    const auto records = bytes / 2 / sizeof(MoveRecord);
    return static_cast<std::size_t>(std::min<unsigned long long>(records, kMaxReadRecords));
}

std::uint64_t availableMemoryBytes() {
    std::FILE* const meminfo = std::fopen("/proc/meminfo", "r");
    if (meminfo == nullptr)
        return 0;
    char line[256];
    unsigned long long kilobytes = 0;
    while (std::fgets(line, sizeof line, meminfo) != nullptr)
        if (std::sscanf(line, "MemAvailable: %llu kB", &kilobytes) == 1)
            break;
    std::fclose(meminfo);
    return static_cast<std::uint64_t>(kilobytes) * 1024;
}

std::size_t recordsThatFit(std::uint64_t availableBytes) {
    const std::uint64_t reserve = std::max(kMemoryReserveBytes, availableBytes / 8);
    if (availableBytes <= reserve)
        return 0;
    return static_cast<std::size_t>((availableBytes - reserve) / sizeof(MoveRecord));
}

std::string outOfMemoryText(const std::string& fileName) {
    return "Not enough memory to read \"" + fileName + "\", nothing was read...";
}

} // namespace korvix
