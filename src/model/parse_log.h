#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace korvix {

// The parsing error log of the last NC read: one line per word that could not be taken,
// shown to the user in the "Parsing error log" dialog.
struct ParseLog {
    std::vector<std::string> lines;
    // Set when a T or H word failed, an arc could not be built, or the read skipped words or
    // made no move for a reason the user must hear of: the Open command then shows the log
    // without being asked.
    bool parseErrorFlag = false;
    // The list box of the dialog holds at most this many lines; later errors are dropped.
    static constexpr std::size_t kMaxLines = 16338;

    void clear() {
        lines.clear();
        parseErrorFlag = false;
    }
    // Adds "message "wordText"" while there is room.
    void add(const std::string& message, const std::string& wordText) {
        if (lines.size() < kMaxLines)
            lines.push_back(message + " \"" + wordText + "\"");
    }
    // Adds a line of its own wording while there is room.
    void addLine(const std::string& line) {
        if (lines.size() < kMaxLines)
            lines.push_back(line);
    }
};

} // namespace korvix
