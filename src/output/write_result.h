#pragma once

#include <cstddef>
#include <string>

namespace korvix {

// What a file writer reports to its command: success, or the message to show.
struct WriteResult {
    bool ok = false;
    std::string message;            // why nothing was written; empty on success
    std::size_t arcsExploded = 0;   // arcs turned into points before writing
    std::size_t recordsWritten = 0; // moves written, start point included
};

// The status text of the save commands when there is nothing to save.
inline constexpr const char* kNothingToSaveText =
    "Warning! Currently no data in memory to save.. \"SAVE COMMAND CANCELED...\"";

} // namespace korvix
