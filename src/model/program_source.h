#pragma once

#include "model/move_record.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

// The text of one NC file as it was read: its bytes and where each of its lines starts, so
// that a viewer can show any line without a text object per line.
struct SourceFile {
    std::string name;
    std::string text;
    std::vector<std::uint64_t> lineStarts;
    // The source line index of the file's line 1 (kNoSourceLine: its lines are not numbered).
    std::uint32_t firstLine = kNoSourceLine;
    // The character that ends a line: a line feed, or a carriage return in files without any.
    char lineEnd = '\n';

    std::size_t lineCount() const { return lineStarts.size(); }
    // Line `zeroBased`, without its line end (nor the carriage return of a DOS line end).
    std::string_view line(std::size_t zeroBased) const;
};

// Where a source line index points: the file's position in the read order (0-based) and its
// line (1-based).
struct SourceLocation {
    std::size_t file = 0;
    std::uint32_t line = 0;
    bool operator==(const SourceLocation&) const = default;
};

// The texts of every NC file read into the toolpath, in read order. The files share one run
// of line indexes: file k's line 1 follows the last line of file k - 1, so a record's 32-bit
// `sourceLine` names file and line at once.
//
// Shown as rows, each file starts with a header row before its lines, so the row of a line is
// its index plus the number of files before and including its own, less one.
class ProgramSource {
public:
    const std::vector<SourceFile>& files() const { return m_files; }
    bool empty() const { return m_files.empty(); }
    // The index the next file's line 1 takes.
    std::uint32_t nextLine() const;
    // Keeps a file read with `nextLine()` as its first line; a file whose lines are not
    // numbered (firstLine == kNoSourceLine) is not kept.
    void add(SourceFile file);
    void clear() { m_files.clear(); }

    std::optional<SourceLocation> locate(std::uint32_t sourceLine) const;
    // The index of `line` (1-based) of file `file`; kNoSourceLine outside the files.
    std::uint32_t indexOf(std::size_t file, std::uint32_t line) const;

    // --- Rows: one header row per file, then its lines.
    std::size_t rowCount() const;
    // The row that shows `sourceLine`; nullopt for an index no kept file has.
    std::optional<std::size_t> rowOf(std::uint32_t sourceLine) const;
    struct Row {
        std::size_t file = 0;
        std::uint32_t line = 0; // 1-based; 0 for the file's header row
    };
    Row rowAt(std::size_t row) const;

private:
    std::vector<SourceFile> m_files;
};

// How the program text beside the picture hears of what to show, installed by the window
// (empty elsewhere): `moveShown` when identify, stepping, the animation or a selection pick
// makes a move the current one, `textChanged` when a file's text was kept or all were
// dropped.
struct ProgramTextHooks {
    std::function<void(const MoveRecord&)> moveShown;
    std::function<void()> textChanged;

    void showMove(const MoveRecord& record) const {
        if (moveShown)
            moveShown(record);
    }
    void changed() const {
        if (textChanged)
            textChanged();
    }
};

} // namespace korvix
