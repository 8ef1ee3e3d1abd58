// korvix-cli edit: reads files as successive Opens do, selects moves by block numbers and/or
// tool, and deletes them, gives them a new feed rate, relocates them or sets or clears their
// optional stops, as edit mode's Modify does; writes the result as an NC program or a TBF
// file.

#include "cli/cli_args.h"
#include "cli/cli_input.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "cli/selection_args.h"
#include "editing/modify_all_fields.h"
#include "editing/modify_all_texts.h"
#include "editing/modify_portion.h"
#include "model/feed_rate_table.h"
#include "model/number_text.h"
#include "model/workspace.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace korvix::cli {
namespace {

constexpr const char* kCommandName = "edit";
constexpr const char* kOperations =
    "--delete, --feed F, --relocate DX,DY,DZ or --optional-stop on|off";

struct EditRequest {
    std::vector<std::string> inputs;
    ToolpathOutput output;
    InputOptions reading;
    SelectionArgs selection;
    ModifyPortionRequest operation;
    std::string feedText; // --feed as typed, checked as the dialog's field is
};

double realOf(const char* option, std::string_view text) {
    const RealConversion converted = convertFloat32(text);
    if (!converted.ok())
        throw UsageError(std::string(option) + ": " + conversionMessage(converted.error, text));
    return converted.value;
}

void parseOffsets(const std::string& text, ModifyPortionRequest& operation) {
    double* const targets[] = {&operation.dx, &operation.dy, &operation.dz};
    std::size_t from = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t comma = text.find(',', from);
        if ((comma == std::string::npos) != (i == 2))
            throw UsageError("--relocate needs DX,DY,DZ");
        *targets[i] = realOf("--relocate", std::string_view(text).substr(from, comma - from));
        from = comma + 1;
    }
}

EditRequest parseEdit(const std::vector<std::string>& args) {
    OptionSpec options{
        {"-o", "--feed", "--relocate", "--optional-stop", "--machine", "--machines-dir"},
        {"--incremental", "--delete"}};
    addSelectionOptions(options);
    options = withReadingOptions(options);
    const ParsedArgs parsed(args, options);
    EditRequest request;
    request.inputs = parsed.positional();
    if (request.inputs.empty())
        throw UsageError("no input file given");
    request.selection = selectionArgs(parsed);
    if (!request.selection.given())
        throw UsageError("no selection given (--blocks A-B and/or --tool T)");
    int operations = 0;
    if (parsed.has("--delete")) {
        ++operations;
        request.operation.page = ModifyPortionPage::Delete;
    }
    if (const auto feed = parsed.value("--feed")) {
        ++operations;
        request.operation.page = ModifyPortionPage::FeedRates;
        request.feedText = *feed;
    }
    if (const auto offsets = parsed.value("--relocate")) {
        ++operations;
        request.operation.page = ModifyPortionPage::Relocate;
        parseOffsets(*offsets, request.operation);
    }
    if (const auto stop = parsed.value("--optional-stop")) {
        ++operations;
        if (*stop != "on" && *stop != "off")
            throw UsageError("--optional-stop needs on or off");
        request.operation.page = ModifyPortionPage::OptionalStop;
        request.operation.enableOptionalStops = *stop == "on";
    }
    if (operations != 1)
        throw UsageError(std::string(operations == 0 ? "no change given" : "one change at a time") +
                         " (" + kOperations + ")");
    request.output = toolpathOutputOf(parsed);
    request.reading = readingOptionsOf(parsed);
    return request;
}

std::string countText(std::size_t count) {
    return formatGeneral(static_cast<double>(count));
}

// Every feed of the selected cutting moves becomes the one given; false (reported) when it
// is not a usable feed.
bool setAllNewFeeds(FeedRateTable& table, const std::string& text) {
    for (int number = 1; number <= table.count(); ++number) {
        table.setCurrent(number);
        const std::string problem = storeNewFeedRate(table, text);
        if (!problem.empty()) {
            std::fprintf(stderr, "korvix-cli edit: --feed: %s\n", problem.c_str());
            return false;
        }
    }
    return true;
}

const char* pastTense(ModifyPortionPage page, bool enable) {
    switch (page) {
    case ModifyPortionPage::Delete:
        return "deleted";
    case ModifyPortionPage::FeedRates:
        return "given a new feed rate";
    case ModifyPortionPage::Relocate:
        return "relocated";
    case ModifyPortionPage::OptionalStop:
        return enable ? "given an optional stop" : "cleared of their optional stop";
    case ModifyPortionPage::StartPoint:
        break;
    }
    return "changed";
}

} // namespace

int runEdit(const std::vector<std::string>& args) {
    const EditRequest request = parseEdit(args);
    InputOptions inputOptions = request.reading;
    Workspace ws;
    if (!readToolpathInput(ws, request.inputs, inputOptions, "edit"))
        return kExitFailure;
    // As the window acts: an arc only partly in the block range is left whole.
    const std::size_t selected =
        applySelection(ws.database, request.selection) - deselectPartialArcs(ws.database);
    if (selected == 0)
        std::fprintf(stderr, "korvix-cli edit: no record matches the selection\n");
    FeedRateTable table;
    if (request.operation.page == ModifyPortionPage::FeedRates) {
        buildFeedRateTable(ws.database, table, FeedRateMoves::SelectedOnly);
        if (table.overflow())
            std::fprintf(stderr, "%s: %s\n", kCommandName,
                         std::string(kFeedRateTableFullStatus).c_str());
        if (!setAllNewFeeds(table, request.feedText)) {
            std::fprintf(stderr, "korvix-cli edit: nothing written\n");
            return kExitFailure;
        }
    }
    const ModifyPortionResult result =
        applyModifyPortion(ws.database, request.operation, table, &ws.pump);
    if (!result.ok()) {
        std::fprintf(stderr, "%s: %s\nkorvix-cli edit: nothing written\n", kCommandName,
                     std::string(modifyAllFailureMessage(result.status).text).c_str());
        return kExitFailure;
    }
    std::printf("%s: %s records selected, %s %s, %s records in the toolpath\n", kCommandName,
                countText(selected).c_str(), countText(result.recordsChanged).c_str(),
                pastTense(request.operation.page, request.operation.enableOptionalStops),
                countText(ws.database.records.lastAndCount().second).c_str());
    return writeToolpathOutput(ws, request.output, kCommandName);
}

} // namespace korvix::cli
