// korvix-cli transform: reads files as successive Opens do, applies the Modify all changes
// (mirror, relocate, rotate, scale, feed rates) in the order given on the command line and
// writes the result as an NC program or a TBF file.

#include "cli/cli_args.h"
#include "cli/cli_input.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "editing/modify_all.h"
#include "editing/modify_all_fields.h"
#include "editing/modify_all_texts.h"
#include "model/feed_rate_table.h"
#include "model/number_text.h"
#include "model/workspace.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvix::cli {
namespace {

constexpr const char* kCommandName = "transform";

// One --feed OLD=NEW, with NEW as typed (it is checked as the dialog's field is).
struct FeedChange {
    double oldFeed = 0;
    std::string newFeedText;
};

// One change of the command line. Consecutive --feed options are one step, so that
// --feed 100=200 --feed 200=100 swaps the two feeds.
struct TransformStep {
    ModifyAllRequest request;
    std::vector<FeedChange> feeds;
    bool aboutGiven = false;
    bool copiesGiven = false;
};

struct TransformRequest {
    std::vector<std::string> inputs;
    ToolpathOutput output;
    InputOptions reading;
    std::vector<TransformStep> steps;
};

double realOf(const std::string& option, std::string_view text) {
    const RealConversion converted = convertFloat32(text);
    if (!converted.ok())
        throw UsageError(option + ": " + conversionMessage(converted.error, text));
    return converted.value;
}

// "1,2.5,-3" as `count` numbers.
std::vector<double> realsOf(const std::string& option, const std::string& text, std::size_t count,
                            const char* shape) {
    std::vector<double> values;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = text.find(',', from);
        values.push_back(realOf(option, std::string_view(text).substr(from, comma - from)));
        if (comma == std::string::npos)
            break;
        from = comma + 1;
    }
    if (values.size() != count)
        throw UsageError(option + " needs " + shape);
    return values;
}

FeedChange feedChangeOf(const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos)
        throw UsageError("--feed needs OLD=NEW");
    return {realOf("--feed", std::string_view(text).substr(0, equals)), text.substr(equals + 1)};
}

TransformStep& newStep(std::vector<TransformStep>& steps, ModifyAllPage page) {
    steps.emplace_back();
    steps.back().request.page = page;
    return steps.back();
}

void addMirror(std::vector<TransformStep>& steps, bool x) {
    // --mirror-x --mirror-y together are one mirror of both axes.
    if (!steps.empty() && steps.back().request.page == ModifyAllPage::Mirror) {
        MirrorParameters& mirror = steps.back().request.mirror;
        bool& axis = x ? mirror.mirrorX : mirror.mirrorY;
        if (!axis) {
            axis = true;
            return;
        }
    }
    MirrorParameters& mirror = newStep(steps, ModifyAllPage::Mirror).request.mirror;
    (x ? mirror.mirrorX : mirror.mirrorY) = true;
}

void addCopies(std::vector<TransformStep>& steps, const std::string& text) {
    const bool follows = !steps.empty() && (steps.back().request.page == ModifyAllPage::Relocate ||
                                            steps.back().request.page == ModifyAllPage::Rotate);
    if (!follows)
        throw UsageError("--copies must follow --relocate or --rotate");
    TransformStep& step = steps.back();
    if (step.copiesGiven)
        throw UsageError("--copies given twice");
    const IntegerConversion converted = convertInteger(text);
    if (!converted.ok())
        throw UsageError("--copies: " + conversionMessage(converted.error, text));
    if (converted.value < 0)
        throw UsageError("--copies: " + conversionMessage(ConversionError::Range, text));
    step.copiesGiven = true;
    int& copies = step.request.page == ModifyAllPage::Relocate ? step.request.relocate.copies
                                                               : step.request.rotate.copies;
    copies = converted.value;
}

void addAbout(std::vector<TransformStep>& steps, const std::string& text) {
    if (steps.empty() || steps.back().request.page != ModifyAllPage::Rotate)
        throw UsageError("--about must follow --rotate");
    TransformStep& step = steps.back();
    if (step.aboutGiven)
        throw UsageError("--about given twice");
    const std::vector<double> about = realsOf("--about", text, 2, "X,Y");
    step.request.rotate.aboutX = about[0];
    step.request.rotate.aboutY = about[1];
    step.aboutGiven = true;
}

void addStep(std::vector<TransformStep>& steps, const std::string& option,
             const std::string& value) {
    if (option == "--mirror-x" || option == "--mirror-y") {
        addMirror(steps, option == "--mirror-x");
    } else if (option == "--relocate") {
        const std::vector<double> d = realsOf(option, value, 3, "DX,DY,DZ");
        newStep(steps, ModifyAllPage::Relocate).request.relocate = {d[0], d[1], d[2], 0};
    } else if (option == "--rotate") {
        newStep(steps, ModifyAllPage::Rotate).request.rotate.angle = realOf(option, value);
    } else if (option == "--scale") {
        newStep(steps, ModifyAllPage::Scale).request.scale.factor = realOf(option, value);
    } else if (option == "--feed") {
        if (steps.empty() || steps.back().request.page != ModifyAllPage::FeedRates)
            newStep(steps, ModifyAllPage::FeedRates);
        steps.back().feeds.push_back(feedChangeOf(value));
    } else if (option == "--copies") {
        addCopies(steps, value);
    } else if (option == "--about") {
        addAbout(steps, value);
    }
}

TransformRequest parseTransform(const std::vector<std::string>& args) {
    const ParsedArgs parsed(
        args, withReadingOptions(OptionSpec{{"-o", "--relocate", "--copies", "--rotate", "--about",
                                             "--scale", "--feed", "--machine", "--machines-dir"},
                                            {"--incremental", "--mirror-x", "--mirror-y"}}));
    TransformRequest request;
    request.inputs = parsed.positional();
    if (request.inputs.empty())
        throw UsageError("no input file given");
    for (const auto& [option, value] : parsed.ordered())
        addStep(request.steps, option, value);
    if (request.steps.empty())
        throw UsageError("no change given (--mirror-x, --mirror-y, --relocate, --rotate, "
                         "--scale or --feed)");
    for (const TransformStep& step : request.steps)
        if (step.request.page == ModifyAllPage::Rotate && !step.aboutGiven)
            throw UsageError("--rotate needs --about X,Y");
    request.output = toolpathOutputOf(parsed);
    request.reading = readingOptionsOf(parsed);
    return request;
}

const char* nameOf(ModifyAllPage page) {
    switch (page) {
    case ModifyAllPage::Mirror:
        return "mirror";
    case ModifyAllPage::FeedRates:
        return "feed";
    case ModifyAllPage::Relocate:
        return "relocate";
    case ModifyAllPage::Rotate:
        return "rotate";
    case ModifyAllPage::Scale:
        return "scale";
    }
    return "";
}

std::string countText(std::size_t count) {
    return formatGeneral(static_cast<double>(count));
}

// Gives the table the new feeds of the step; false (reported) when one cannot be given.
bool setNewFeeds(FeedRateTable& table, const TransformStep& step) {
    for (const FeedChange& change : step.feeds) {
        const int number = table.find(change.oldFeed);
        if (number == 0) {
            std::fprintf(stderr, "korvix-cli transform: no cutting move has the feed rate %s\n",
                         fixed7(change.oldFeed, 2).c_str());
            return false;
        }
        table.setCurrent(number);
        const std::string problem = storeNewFeedRate(table, change.newFeedText);
        if (!problem.empty()) {
            std::fprintf(stderr, "korvix-cli transform: --feed: %s\n", problem.c_str());
            return false;
        }
    }
    return true;
}

bool runStep(Workspace& ws, const TransformStep& step) {
    const char* name = nameOf(step.request.page);
    ModifyAllResult result;
    if (step.request.page == ModifyAllPage::FeedRates) {
        FeedRateTable table;
        buildFeedRateTable(ws.database, table);
        if (table.overflow())
            std::fprintf(stderr, "%s: %s\n", name, std::string(kFeedRateTableFullStatus).c_str());
        if (!setNewFeeds(table, step))
            return false;
        result = applyFeedRateChange(ws.database, table);
        std::printf("%s: %s moves given a new feed rate\n", name,
                    countText(result.feedsChanged).c_str());
        return true;
    }
    result = applyGeometryChange(ws.database, step.request, &ws.pump);
    if (!result.ok()) {
        std::fprintf(stderr, "%s: %s\n", name,
                     std::string(modifyAllFailureMessage(result.status).text).c_str());
        return false;
    }
    std::printf("%s: %s records added, %s records in the toolpath\n", name,
                countText(result.recordsAdded).c_str(),
                countText(ws.database.records.lastAndCount().second).c_str());
    return true;
}

} // namespace

int runTransform(const std::vector<std::string>& args) {
    const TransformRequest request = parseTransform(args);
    InputOptions inputOptions = request.reading;
    Workspace ws;
    if (!readToolpathInput(ws, request.inputs, inputOptions, "transform"))
        return kExitFailure;
    for (const TransformStep& step : request.steps)
        if (!runStep(ws, step)) {
            std::fprintf(stderr, "korvix-cli transform: nothing written\n");
            return kExitFailure;
        }
    return writeToolpathOutput(ws, request.output, kCommandName);
}

} // namespace korvix::cli
