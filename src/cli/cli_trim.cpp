// korvix-cli trim: reads files as successive Opens do, trims the toolpath to a box or a
// polygon in the plain XY view, as the trimming dialog would with the same fields, and
// writes the result as an NC program or a TBF file.

#include "cli/cli_args.h"
#include "cli/cli_input.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "editing/trim_driver.h"
#include "editing/trim_messages.h"
#include "model/number_text.h"
#include "model/workspace.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvix::cli {
namespace {

struct TrimRequest {
    std::vector<std::string> inputs;
    ToolpathOutput output;
    InputOptions reading;
    std::optional<std::vector<std::string>> box; // L, B, R, T as typed
    std::vector<Point2> polygon;
    std::optional<std::string> primary, secondary, deepest;
    TrimDialogFields fields; // everything but the planes, the window and the deepest Z
};

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> items;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = text.find(',', from);
        items.push_back(text.substr(from, comma - from));
        if (comma == std::string::npos)
            return items;
        from = comma + 1;
    }
}

std::vector<Point2> parsePolygon(const std::string& text) {
    const std::vector<std::string> items = splitList(text);
    if (items.size() % 2 != 0 || items.size() < 6)
        throw UsageError("--polygon needs at least three X,Y pairs");
    std::vector<Point2> vertices;
    for (std::size_t i = 0; i < items.size(); i += 2) {
        double xy[2] = {0, 0};
        for (int k = 0; k < 2; ++k) {
            const std::string& item = items[i + static_cast<std::size_t>(k)];
            const RealConversion value = convertFloat32(item);
            if (!value.ok())
                throw UsageError("--polygon: " + conversionMessage(value.error, item));
            xy[k] = value.value;
        }
        vertices.push_back({xy[0], xy[1]});
    }
    return vertices;
}

TrimRequest parseTrim(const std::vector<std::string>& args) {
    const ParsedArgs parsed(
        args, withReadingOptions(OptionSpec{{"-o", "--box", "--polygon", "--primary", "--secondary",
                                             "--plunge-feed", "--tolerance", "--deepest",
                                             "--machine", "--machines-dir"},
                                            {"--incremental", "--outside", "--relative",
                                             "--feed-positioning", "--remove-wasted"}}));
    TrimRequest request;
    request.inputs = parsed.positional();
    if (request.inputs.empty())
        throw UsageError("no input file given");
    const auto box = parsed.value("--box");
    const auto polygon = parsed.value("--polygon");
    if (box.has_value() == polygon.has_value())
        throw UsageError("give either --box L,B,R,T or --polygon X1,Y1,X2,Y2,...");
    if (box) {
        request.box = splitList(*box);
        if (request.box->size() != 4)
            throw UsageError("--box needs four values: left, bottom, right, top");
    } else {
        request.polygon = parsePolygon(*polygon);
    }
    request.primary = parsed.value("--primary");
    request.secondary = parsed.value("--secondary");
    request.deepest = parsed.value("--deepest");
    if (parsed.has("--relative") && !request.secondary)
        throw UsageError("--relative needs --secondary Z");
    if (parsed.has("--remove-wasted") && !request.deepest)
        throw UsageError("--remove-wasted needs --deepest Z");

    TrimDialogFields& f = request.fields;
    f.stayInsideTrimWindow = !parsed.has("--outside");
    f.absoluteSecondaryPlane = !parsed.has("--relative");
    f.limitZTravel = request.deepest.has_value();
    f.removeWastedMoves = parsed.has("--remove-wasted");
    f.useRapidTraverse = !parsed.has("--feed-positioning");
    if (const auto feed = parsed.value("--plunge-feed"))
        f.plungeFeedRate = *feed;
    if (const auto tolerance = parsed.value("--tolerance"))
        f.arcTolerance = *tolerance;

    request.output = toolpathOutputOf(parsed);
    request.reading = readingOptionsOf(parsed);
    return request;
}

// The trim's messages on the command line: errors on stderr, the rest left to the summary.
class TrimReporter : public NullReporter {
public:
    void error(std::string_view text) override {
        std::fprintf(stderr, "korvix-cli trim: %.*s\n", static_cast<int>(text.size()), text.data());
    }
};

// The dialog's fields for the request: a plane not given is the highest Z of the path (the
// secondary one then absolute), the deepest Z the lowest Z - 0.1 unless given.
TrimDialogFields fieldsFor(const TrimRequest& request, const DatabaseStatus& status) {
    TrimDialogFields fields = request.fields;
    const std::string highest = trimFieldText(status.extents.maxZ);
    fields.primaryRapidPlane = request.primary.value_or(highest);
    fields.secondaryRapidPlane = request.secondary.value_or(highest);
    if (!request.secondary)
        fields.absoluteSecondaryPlane = true;
    fields.deepestZValue = request.deepest.value_or("");
    if (request.box) {
        fields.left = (*request.box)[0];
        fields.bottom = (*request.box)[1];
        fields.right = (*request.box)[2];
        fields.top = (*request.box)[3];
    }
    return fields;
}

} // namespace

int runTrim(const std::vector<std::string>& args) {
    const TrimRequest request = parseTrim(args);
    InputOptions inputOptions = request.reading;
    Workspace ws;
    if (!readToolpathInput(ws, request.inputs, inputOptions, "trim"))
        return kExitFailure;
    if (!ws.database.status.ncLoaded) {
        std::fprintf(stderr, "korvix-cli trim: nothing written: the input holds no toolpath\n");
        return kExitFailure;
    }

    TrimDialogFields fields = fieldsFor(request, ws.database.status);
    const bool usePolygon = !request.box.has_value();
    // Numbers that no trim can use are mistakes on the command line.
    {
        TrimDialogFields probe = fields;
        const TrimParametersInput input = readTrimParameters(probe, usePolygon);
        if (!input.ok())
            throw UsageError(input.problem);
    }
    TrimPolygon polygon;
    for (const Point2& v : request.polygon)
        polygon.add(static_cast<float>(v.x), static_cast<float>(v.y));
    if (request.polygon.size() > static_cast<std::size_t>(TrimPolygon::kMaxVertices))
        std::fprintf(stderr, "korvix-cli trim: only the first %d polygon vertices are used\n",
                     TrimPolygon::kMaxVertices);

    TrimInvocation invocation;
    invocation.polygon = usePolygon;
    TrimReporter reporter;
    prepareTrimDialog(ws.database, fields, invocation, reporter);
    const ViewState planView;
    const TrimResult result =
        korvix::runTrim(ws.database, fields, invocation, polygon, planView, reporter, ws.pump);
    if (!result.ok()) {
        std::fprintf(stderr, "korvix-cli trim: nothing written\n");
        return kExitFailure;
    }
    std::printf("trim: %s %zu records%s\n", std::string(kTrimDoneStatus).c_str(),
                result.recordCount, result.zLimited ? ", \"Z\" travel limited" : "");
    return writeToolpathOutput(ws, request.output, "trim");
}

} // namespace korvix::cli
