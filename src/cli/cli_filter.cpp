// korvix-cli filter: reads files as successive Opens do, runs the toolpath filters in the
// order given on the command line and writes the result as an NC program or a TBF file.

#include "cli/cli_args.h"
#include "cli/cli_input.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "filters/filter_commands.h"
#include "filters/filter_messages.h"
#include "filters/filter_parameters.h"
#include "filters/fit_arcs.h"
#include "filters/sift_points.h"
#include "model/number_text.h"
#include "model/workspace.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace korvix::cli {
namespace {

// Fit arcs without --tolerance uses the settings file's default, as a first start of the
// window program does.
constexpr const char* kFitToleranceDefault = "0.0012";

enum class FilterKind { FitArcs, Sift, Reverse, Explode };

// One filter of the command line with the texts of its own options.
struct FilterStep {
    FilterKind kind = FilterKind::Reverse;
    std::optional<std::string> tolerance;
    std::optional<std::string> maxRadius;
    bool xyPlaneOnly = false;
    bool rapids = false;

    // Filled in once the options are checked.
    FitArcsOptions fit;
    SiftOptions sift;
    double explodeTolerance = kDefaultExplodeTolerance;
    std::string toleranceText; // as typed, for the status texts
};

struct FilterRequest {
    std::vector<std::string> inputs;
    ToolpathOutput output;
    InputOptions reading;
    std::vector<FilterStep> steps;
};

const char* nameOf(FilterKind kind) {
    switch (kind) {
    case FilterKind::FitArcs:
        return "--fit-arcs";
    case FilterKind::Sift:
        return "--sift";
    case FilterKind::Reverse:
        return "--reverse";
    case FilterKind::Explode:
        return "--explode";
    }
    return "";
}

// How the outcome lines name the filters ("fit-arcs: Done fitting arcs...").
const char* stepName(FilterKind kind) {
    const char* option = nameOf(kind);
    return option[0] == '-' ? option + 2 : option;
}

std::optional<FilterKind> filterNamed(const std::string& option) {
    for (FilterKind kind :
         {FilterKind::FitArcs, FilterKind::Sift, FilterKind::Reverse, FilterKind::Explode})
        if (option == nameOf(kind))
            return kind;
    return std::nullopt;
}

// Puts an option that belongs to a filter on the filter before it, if that filter takes it.
void attachToStep(std::vector<FilterStep>& steps, const std::string& option,
                  const std::string& value) {
    const bool takesTolerance = option == "--tolerance";
    const std::vector<FilterKind> owners =
        takesTolerance ? std::vector{FilterKind::FitArcs, FilterKind::Sift, FilterKind::Explode}
        : option == "--rapids" ? std::vector{FilterKind::Sift}
                               : std::vector{FilterKind::FitArcs};
    if (steps.empty() || std::find(owners.begin(), owners.end(), steps.back().kind) == owners.end())
        throw UsageError(option + " must follow " +
                         (takesTolerance ? std::string("--fit-arcs, --sift or --explode")
                                         : std::string(nameOf(owners.front()))));
    FilterStep& step = steps.back();
    const auto setOnce = [&](std::optional<std::string>& field) {
        if (field)
            throw UsageError(option + " given twice for " + nameOf(step.kind));
        field = value;
    };
    if (takesTolerance)
        setOnce(step.tolerance);
    else if (option == "--max-radius")
        setOnce(step.maxRadius);
    else if (option == "--xy-only")
        step.xyPlaneOnly = true;
    else
        step.rapids = true;
}

// Converts and checks the options of every step; a bad value is a usage error.
void checkStep(FilterStep& step) {
    switch (step.kind) {
    case FilterKind::FitArcs: {
        const FitArcsInput input = parseFitArcsParameters(
            step.tolerance.value_or(kFitToleranceDefault),
            step.maxRadius.value_or(std::string(kFitArcsMaxRadiusDesignText)), step.xyPlaneOnly);
        if (!input.ok())
            throw UsageError(input.problem);
        step.fit = input.options;
        step.toleranceText = step.tolerance.value_or(kFitToleranceDefault);
        break;
    }
    case FilterKind::Sift: {
        const SiftInput input = parseSiftParameters(
            step.tolerance.value_or(std::string(kSiftToleranceDesignText)), step.rapids);
        if (!input.ok())
            throw UsageError(input.problem);
        step.sift = input.options;
        step.toleranceText = step.tolerance.value_or(std::string(kSiftToleranceDesignText));
        break;
    }
    case FilterKind::Explode:
        if (step.tolerance) {
            const ToleranceInput input = parseExplodeTolerance(*step.tolerance);
            if (!input.ok())
                throw UsageError(input.problem);
            step.explodeTolerance = input.value;
        }
        step.toleranceText = step.tolerance.value_or(std::string(kDefaultExplodeToleranceText));
        break;
    case FilterKind::Reverse:
        break;
    }
}

FilterRequest parseFilter(const std::vector<std::string>& args) {
    const ParsedArgs parsed(
        args, withReadingOptions(
                  OptionSpec{{"-o", "--tolerance", "--max-radius", "--machine", "--machines-dir"},
                             {"--incremental", "--fit-arcs", "--xy-only", "--sift", "--rapids",
                              "--reverse", "--explode"}}));
    FilterRequest request;
    request.inputs = parsed.positional();
    if (request.inputs.empty())
        throw UsageError("no input file given");
    for (const auto& [option, value] : parsed.ordered()) {
        if (const std::optional<FilterKind> kind = filterNamed(option)) {
            request.steps.emplace_back();
            request.steps.back().kind = *kind;
        } else if (option == "--tolerance" || option == "--max-radius" || option == "--xy-only" ||
                   option == "--rapids")
            attachToStep(request.steps, option, value);
    }
    if (request.steps.empty())
        throw UsageError("no filter given (--fit-arcs, --sift, --reverse or --explode)");
    for (FilterStep& step : request.steps)
        checkStep(step);
    request.output = toolpathOutputOf(parsed);
    request.reading = readingOptionsOf(parsed);
    return request;
}

std::string countText(std::size_t count) {
    return formatGeneral(static_cast<double>(count));
}

// Runs one filter through the same core command as the window and prints its outcome; false
// when it failed.
bool runStep(Workspace& ws, const FilterStep& step) {
    GraphicsDatabase& database = ws.database;
    RecordingReporter texts;
    bool ok = true;
    std::string outcome;
    switch (step.kind) {
    case FilterKind::FitArcs:
        ok = runFitArcs(database, step.fit, texts, ws.pump).ok();
        outcome = texts.lastStatus();
        break;
    case FilterKind::Sift:
        runSiftPoints(database, step.toleranceText, step.sift, texts, ws.pump);
        outcome = texts.lastStatus();
        break;
    case FilterKind::Reverse:
        runReverseCutDirection(database, texts, ws.pump);
        outcome = kReverseDoneStatus; // a warning after it goes to stderr
        break;
    case FilterKind::Explode: {
        const ExplodeResult result =
            runExplodeArcs(database, step.explodeTolerance, step.toleranceText, texts, ws.pump);
        ok = result.ok();
        // The window's text says nothing of the numbers a script wants to see.
        outcome = ok ? countText(result.arcsExploded) + " arcs exploded into " +
                           countText(result.pointsFromArcs) + " points..."
                     : texts.lastStatus();
        break;
    }
    }
    std::fprintf(ok ? stdout : stderr, "%s: %s\n", stepName(step.kind), outcome.c_str());
    // What the window shows in a warning box is worth the script's attention too.
    for (const std::string& message : texts.messages)
        if (message.rfind("warning: ", 0) == 0)
            std::fprintf(stderr, "%s: %s\n", stepName(step.kind), message.substr(9).c_str());
    return ok;
}

// Arcs left in the path when it is written as TBF are exploded with the tolerance of the
// last --explode, else the usual default.
double tbfTolerance(const FilterRequest& request) {
    double tolerance = kDefaultExplodeTolerance;
    for (const FilterStep& step : request.steps)
        if (step.kind == FilterKind::Explode)
            tolerance = step.explodeTolerance;
    return tolerance;
}

} // namespace

int runFilter(const std::vector<std::string>& args) {
    const FilterRequest request = parseFilter(args);
    InputOptions inputOptions = request.reading;
    Workspace ws;
    if (!readToolpathInput(ws, request.inputs, inputOptions, "filter"))
        return kExitFailure;
    for (const FilterStep& step : request.steps)
        if (!runStep(ws, step)) {
            std::fprintf(stderr, "korvix-cli filter: nothing written\n");
            return kExitFailure;
        }
    ToolpathOutput output = request.output;
    output.tbfTolerance = tbfTolerance(request);
    return writeToolpathOutput(ws, output, "filter");
}

} // namespace korvix::cli
