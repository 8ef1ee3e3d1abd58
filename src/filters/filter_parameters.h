#pragma once

#include "filters/fit_arcs.h"
#include "filters/sift_points.h"

#include <string>
#include <string_view>

namespace korvix {

// Texts the Fit arcs and Sift points dialogs show before the user or the settings file
// changes them.
inline constexpr std::string_view kFitArcsToleranceDesignText = "0.001";
inline constexpr std::string_view kFitArcsMaxRadiusDesignText = "99.99";
inline constexpr std::string_view kSiftToleranceDesignText = "0.0005";

// The dialog fields of a filter, converted and checked. `problem` is the message to show
// (and the command does not run) when a field cannot be used; empty when all is well.
struct FitArcsInput {
    FitArcsOptions options;
    std::string problem;
    bool ok() const { return problem.empty(); }
};
struct SiftInput {
    SiftOptions options;
    std::string problem;
    bool ok() const { return problem.empty(); }
};

// Both numbers must be greater than 0. Messages:
//   Chordal tolerance "abc" is not a valid number...
//   Chordal tolerance must be a number greater than 0...
//   Maximum radius "abc" is not a valid number...
//   Maximum radius must be a number greater than 0...
FitArcsInput parseFitArcsParameters(std::string_view toleranceText, std::string_view maxRadiusText,
                                    bool xyPlaneOnly);

// The tolerance may be 0 (only points exactly on the line go). Messages:
//   Sift tolerance "abc" is not a valid number...
//   Sift tolerance must be a number of 0 or more...
SiftInput parseSiftParameters(std::string_view toleranceText, bool siftRapids);

} // namespace korvix
