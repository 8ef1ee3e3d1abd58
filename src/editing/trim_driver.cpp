#include "editing/trim_driver.h"

#include "editing/trim_messages.h"
#include "editing/trim_path_totals.h"
#include "editing/trim_z_limit.h"

#include <algorithm>
#include <vector>

namespace korvix {
namespace {

bool ncDataIn(const GraphicsDatabase& database) {
    return database.databaseAllocated() && database.status.ncLoaded;
}

void say(Reporter& reporter, MessagePump& pump, std::string_view text) {
    reporter.status(text);
    pump.pumpNow();
}

} // namespace

bool prepareTrimDialog(const GraphicsDatabase& database, TrimDialogFields& fields,
                       const TrimInvocation& invocation, Reporter& reporter) {
    if (!ncDataIn(database))
        return false;
    if (invocation.polygon)
        writePolygonWindowFields(fields);
    else if (invocation.boxDrawn)
        writeDrawnBoxToFields(fields, invocation.corner1.u, invocation.corner1.v,
                              invocation.corner2.u, invocation.corner2.v);
    fillEmptyTrimFields(fields, database.status);
    reporter.status(kTrimPromptStatus);
    return true;
}

void cancelTrim(TrimPolygon& polygon, Reporter& reporter) {
    reporter.status(kTrimCanceledStatus);
    polygon.count = 0;
}

TrimResult runTrim(GraphicsDatabase& database, TrimDialogFields& fields,
                   const TrimInvocation& invocation, TrimPolygon& polygon, const ViewState& view,
                   Reporter& reporter, MessagePump& pump, ChunkAllocator allocator) {
    TrimResult result;
    if (!ncDataIn(database))
        return result;
    say(reporter, pump, kTrimWorkingStatus);
    const TrimParametersInput input = readTrimParameters(fields, invocation.polygon);
    if (!input.ok()) {
        reporter.error(input.problem);
        result.outcome = TrimOutcome::BadParameter;
        return result;
    }
    TrimRegion region;
    region.polygon = invocation.polygon;
    region.box = input.parameters.box;
    std::vector<Point2> vertices;
    if (invocation.polygon) {
        const int count = std::clamp(polygon.count, 0, TrimPolygon::kMaxVertices);
        for (int i = 0; i < count; ++i) {
            const auto& v = polygon.vertices[static_cast<std::size_t>(i)];
            vertices.push_back({v[0], v[1]});
        }
        region.vertices = vertices;
    }
    const TrimSpace space = invocation.planView ? TrimSpace() : TrimSpace(view);
    result = trimToolpath(database, input.parameters, region, space, reporter, pump, allocator);
    polygon.count = 0;
    return result;
}

TrimResult trimToolpath(GraphicsDatabase& database, const TrimParameters& parameters,
                        const TrimRegion& region, const TrimSpace& space, Reporter& reporter,
                        MessagePump& pump, ChunkAllocator allocator) {
    TrimResult result;
    if (!ncDataIn(database))
        return result;

    NodeList<MoveRecord> trimmed(allocator);
    if (!buildTrimmedPath(database, parameters, region, space, &pump, trimmed, allocator)) {
        reporter.error(kTrimErrorText);
        result.outcome = TrimOutcome::OutOfMemory;
        return result;
    }
    if (parameters.limitZTravel && parameters.deepestZ > lowestZOf(trimmed)) {
        say(reporter, pump, kTrimLimitingStatus);
        NodeList<MoveRecord> limited(allocator);
        const ZLimitOptions options{
            parameters.deepestZ,
            parameters.primaryPlane,
            parameters.removeWastedMoves,
            {parameters.rapidPositioning, static_cast<float>(parameters.plungeFeed)}};
        if (!limitZTravel(trimmed, options, &pump, limited, allocator)) {
            reporter.error(kTrimLimitErrorText);
            result.outcome = TrimOutcome::LimitOutOfMemory;
            return result;
        }
        trimmed = std::move(limited);
        result.zLimited = true;
    }
    database.records = std::move(trimmed); // releases the old path

    say(reporter, pump, kTrimTotalsStatus);
    recomputeTrimmedPathTotals(database);
    result.recordCount = database.records.lastAndCount().second;
    reporter.status(kTrimDoneStatus);
    result.outcome = TrimOutcome::Done;
    return result;
}

} // namespace korvix
