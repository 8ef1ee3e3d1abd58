#pragma once

#include "cli/cli_args.h"
#include "model/graphics_database.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace korvix::cli {

// The selection every editing command of korvix-cli takes, so that scripts can edit a
// portion of a program: by block numbers (`--blocks 120-340`, or `--blocks 120` for one
// block number) and by tool (`--tool 3`). Both together mean the moves of that tool within
// those blocks.

inline constexpr const char* kSelectionSynopsis = "[--blocks A-B] [--tool T]";

// Adds --blocks and --tool to a command's options.
void addSelectionOptions(OptionSpec& options);

struct BlockRange {
    int first = 0;
    int last = 0;
};

struct SelectionArgs {
    std::optional<BlockRange> blocks;
    std::optional<int> tool;

    // False when neither option was given: the command acts on the whole path.
    bool given() const { return blocks.has_value() || tool.has_value(); }
};

// "A-B" or "A", block numbers 0..65535 with A <= B. Throws UsageError.
BlockRange parseBlockRange(std::string_view text);
// 0..255. Throws UsageError.
int parseToolOption(std::string_view text);

// The selection options of a parsed command line. Throws UsageError.
SelectionArgs selectionArgs(const ParsedArgs& args);

// Makes the selection exactly what the options name: every selected flag is cleared first,
// then the matching records are selected (none when no option was given). Returns the
// number of records selected.
std::size_t applySelection(GraphicsDatabase& database, const SelectionArgs& selection);

} // namespace korvix::cli
