#include "cli/selection_args.h"

#include "editing/selection_commands.h"
#include "model/number_text.h"

#include <string>

namespace korvix::cli {
namespace {

constexpr int kHighestBlockNumber = 65535;
constexpr int kHighestToolNumber = 255;

int convertOption(const char* option, std::string_view text, int highest) {
    const IntegerConversion converted = convertIntegerInRange(text, 0, highest);
    if (converted.ok())
        return converted.value;
    std::string message = std::string(option) + ": " + conversionMessage(converted.error, text);
    if (converted.error == ConversionError::Range)
        message += " \"" + std::string(text) + "\" (0 to " + formatGeneral(highest) + ")";
    throw UsageError(message);
}

} // namespace

void addSelectionOptions(OptionSpec& options) {
    options.withValue.insert("--blocks");
    options.withValue.insert("--tool");
}

BlockRange parseBlockRange(std::string_view text) {
    // The separator is the first '-' after the first character, so that "-5-10" reads as a
    // negative first number (and is refused) rather than as an empty one.
    const std::size_t dash = text.size() > 1 ? text.find('-', 1) : std::string_view::npos;
    BlockRange range;
    if (dash == std::string_view::npos) {
        range.first = range.last = convertOption("--blocks", text, kHighestBlockNumber);
        return range;
    }
    range.first = convertOption("--blocks", text.substr(0, dash), kHighestBlockNumber);
    range.last = convertOption("--blocks", text.substr(dash + 1), kHighestBlockNumber);
    if (range.first > range.last)
        throw UsageError("--blocks: the range \"" + std::string(text) +
                         "\" is empty (the first block number is above the last)");
    return range;
}

int parseToolOption(std::string_view text) {
    return convertOption("--tool", text, kHighestToolNumber);
}

SelectionArgs selectionArgs(const ParsedArgs& args) {
    SelectionArgs selection;
    if (const auto blocks = args.value("--blocks"))
        selection.blocks = parseBlockRange(*blocks);
    if (const auto tool = args.value("--tool"))
        selection.tool = parseToolOption(*tool);
    return selection;
}

std::size_t applySelection(GraphicsDatabase& database, const SelectionArgs& selection) {
    selectAll(database, 0);
    if (!selection.given())
        return 0;
    return selectWhere(database, 1,
                       [&selection](const MoveRecord& r) {
                           if (selection.blocks && (r.blockNumber < selection.blocks->first ||
                                                    r.blockNumber > selection.blocks->last))
                               return false;
                           return !selection.tool || r.tool == *selection.tool;
                       })
        .changedRecords;
}

} // namespace korvix::cli
