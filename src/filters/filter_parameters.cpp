#include "filters/filter_parameters.h"

#include "model/number_text.h"

#include <cmath>

namespace korvix {

namespace {

// Converts one field; on failure leaves the message in `problem`. Once a field has failed
// the later ones are not looked at, so the message names the first bad field.
double convertField(std::string_view name, std::string_view text, bool zeroAllowed,
                    std::string& problem) {
    if (!problem.empty())
        return 0;
    const RealConversion conversion = convertReal(text);
    if (!conversion.ok()) {
        problem = std::string(name) + " \"" + std::string(text) + "\" is not a valid number...";
        return 0;
    }
    const double value = conversion.value;
    const bool usable = std::isfinite(value) && (zeroAllowed ? value >= 0 : value > 0);
    if (!usable)
        problem = std::string(name) + (zeroAllowed ? " must be a number of 0 or more..."
                                                   : " must be a number greater than 0...");
    return value;
}

} // namespace

FitArcsInput parseFitArcsParameters(std::string_view toleranceText, std::string_view maxRadiusText,
                                    bool xyPlaneOnly) {
    FitArcsInput input;
    input.options.chordalTolerance =
        convertField("Chordal tolerance", toleranceText, false, input.problem);
    input.options.maxRadius = convertField("Maximum radius", maxRadiusText, false, input.problem);
    input.options.xyPlaneOnly = xyPlaneOnly;
    return input;
}

SiftInput parseSiftParameters(std::string_view toleranceText, bool siftRapids) {
    SiftInput input;
    input.options.tolerance = convertField("Sift tolerance", toleranceText, true, input.problem);
    input.options.siftRapids = siftRapids;
    return input;
}

} // namespace korvix
