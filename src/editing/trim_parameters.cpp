#include "editing/trim_parameters.h"

#include "filters/explode_arcs.h"
#include "model/geometry.h"
#include "model/move_record.h"
#include "model/number_text.h"

#include <cmath>

namespace korvix {

TrimBox normalisedTrimBox(double x1, double y1, double x2, double y2) {
    return {minOf(x1, x2), minOf(y1, y2), maxOf(x1, x2), maxOf(y1, y2)};
}

TrimFieldState trimFieldState(bool polygon, bool planView) {
    const bool usable = !polygon && planView;
    return {usable, usable};
}

std::string trimFieldText(double value) {
    return formatDecimals(value, 4);
}

void fillTrimFieldsFromExtents(TrimDialogFields& fields, const DatabaseStatus& status) {
    const Extents& e = status.extents;
    fields.primaryRapidPlane = trimFieldText(e.maxZ);
    fields.secondaryRapidPlane = trimFieldText(e.maxZ);
    fields.left = trimFieldText(e.minX - 0.1);
    fields.right = trimFieldText(e.maxX + 0.1);
    fields.top = trimFieldText(e.trueMaxY() + 0.1);
    fields.bottom = trimFieldText(e.trueMinY() - 0.1);
    fields.deepestZValue = trimFieldText(e.minZ - 0.1);
}

void writeDrawnBoxToFields(TrimDialogFields& fields, double x1, double y1, double x2, double y2) {
    if (!(std::fabs(x2 - x1) > kMotionTolerance || std::fabs(y2 - y1) > kMotionTolerance))
        return;
    const TrimBox box = normalisedTrimBox(x1, y1, x2, y2);
    fields.left = trimFieldText(box.left);
    fields.right = trimFieldText(box.right);
    fields.top = trimFieldText(box.top);
    fields.bottom = trimFieldText(box.bottom);
}

void writePolygonWindowFields(TrimDialogFields& fields) {
    fields.left = fields.top = fields.right = fields.bottom = std::string(kTrimPolygonWindowText);
}

void fillEmptyTrimFields(TrimDialogFields& fields, const DatabaseStatus& status) {
    if (fields.primaryRapidPlane.empty() || fields.secondaryRapidPlane.empty()) {
        fields.primaryRapidPlane = trimFieldText(status.extents.maxZ);
        fields.secondaryRapidPlane = trimFieldText(status.extents.maxZ);
        fields.absoluteSecondaryPlane = true;
    }
    if (fields.deepestZValue.empty())
        fields.deepestZValue = trimFieldText(status.extents.minZ - 0.1);
}

namespace {

// Converts one field unless an earlier one has failed, so that the message names the first
// bad field in the order of the dialog.
double convertField(const std::string& text, std::string& problem) {
    if (!problem.empty())
        return 0;
    const RealConversion conversion = convertFloat32(text);
    if (!conversion.ok()) {
        problem = conversionMessage(conversion.error, text);
        return 0;
    }
    return conversion.value;
}

} // namespace

TrimParametersInput readTrimParameters(TrimDialogFields& fields, bool polygon) {
    TrimParametersInput input;
    TrimParameters& p = input.parameters;
    std::string& problem = input.problem;
    p.primaryPlane = convertField(fields.primaryRapidPlane, problem);
    p.secondaryPlane = convertField(fields.secondaryRapidPlane, problem);
    p.absoluteSecondaryPlane = fields.absoluteSecondaryPlane;
    if (!polygon) {
        const double left = convertField(fields.left, problem);
        const double top = convertField(fields.top, problem);
        const double right = convertField(fields.right, problem);
        const double bottom = convertField(fields.bottom, problem);
        if (problem.empty()) {
            p.box = normalisedTrimBox(left, bottom, right, top);
            // The swapped corners go back into the dialog, as typed otherwise.
            if (left > right) {
                fields.left.swap(fields.right);
            }
            if (bottom > top) {
                fields.bottom.swap(fields.top);
            }
        }
    }
    p.keepInside = fields.stayInsideTrimWindow;
    p.limitZTravel = fields.limitZTravel;
    p.removeWastedMoves = fields.removeWastedMoves;
    if (p.limitZTravel)
        p.deepestZ = convertField(fields.deepestZValue, problem);
    p.plungeFeed = convertField(fields.plungeFeedRate, problem);
    if (problem.empty() && !(p.plungeFeed > 0))
        problem = "Plunge feed rate must be a number greater than 0...";
    p.rapidPositioning = fields.useRapidTraverse;
    p.arcTolerance = convertField(fields.arcTolerance, problem);
    if (problem.empty())
        problem = explodeToleranceProblem(p.arcTolerance);
    return input;
}

} // namespace korvix
