#pragma once

#include "model/graphics_database.h"
#include "model/move_record.h"
#include "model/program_source.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

// What the program text pane needs besides drawing: the colouring of a line, the move a line
// made, the status text of a move and the search through the text.

enum class TextStyle : std::uint8_t { Plain, Code, Axis, Feed, Comment, BlockNumber };

struct StyledRun {
    std::size_t start = 0;
    std::size_t length = 0;
    TextStyle style = TextStyle::Plain;
    bool operator==(const StyledRun&) const = default;
};

// The runs of one line, in order and covering it: G and M words as codes, X Y Z I J K R and
// A B C U V W as axis words, F and S as feeds, N as the block number, and everything from
// "(" to ")" or from ";" to the line's end as a comment. Words are a letter of either case
// and the value characters after it.
std::vector<StyledRun> styleLine(std::string_view line);

// The record that ends the first move read from `sourceLine` (the last piece of an arc), or
// null when no record carries it, the line made no move or the index is kNoSourceLine.
MoveRecord* moveOfSourceLine(const GraphicsDatabase& database, std::uint32_t sourceLine);

// The same through an index of every line's move, for clicks and keys on a big program: the
// first lookup walks the path once, the next ones cost nothing until the path changes (a
// record is allocated, given back or relinked by its list, or no longer carries its line).
class SourceLineMoves {
public:
    MoveRecord* find(const GraphicsDatabase& database, std::uint32_t sourceLine);

private:
    void rebuild(const GraphicsDatabase& database);

    std::vector<MoveRecord*> m_moves; // by source line index
    const NodeList<MoveRecord>* m_list = nullptr;
    std::uint64_t m_revision = 0;
};

// The move's description in one line for the status bar: block number, move type, end point,
// feed (not for a rapid) and the file and line it was read from when known.
std::string moveStatusText(const MoveRecord& record, const ProgramSource& source);

// The next row at or after `fromRow` (wrapping round past the last row) whose line holds
// `text`, letters of either case matching; nullopt when no line holds it. Header rows are
// never found.
std::optional<std::size_t> findText(const ProgramSource& source, std::string_view text,
                                    std::size_t fromRow);

} // namespace korvix
