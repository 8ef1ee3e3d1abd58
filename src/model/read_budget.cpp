#include "model/read_budget.h"

#include "model/move_record.h"

#include <algorithm>
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

} // namespace korvix
