#pragma once

#include "model/graphics_database.h"

#include <string>
#include <string_view>

namespace korvix {

// Texts the trimming dialog shows before the user or the settings file changes them. The
// plane and deepest-Z fields start empty: the first trim fills them from the path.
inline constexpr std::string_view kTrimPlungeFeedDesignText = "150.0";
inline constexpr std::string_view kTrimToleranceDesignText = "0.0005";
// What the four window fields hold after a polygon trim (the polygon is the region then).
inline constexpr std::string_view kTrimPolygonWindowText = "0.0";

// The fields of the trimming dialog, as texts and check states: the dialog keeps them between
// runs and the command reads them when it runs.
struct TrimDialogFields {
    std::string primaryRapidPlane;      // PrimaryRapidPlaneEdit
    std::string secondaryRapidPlane;    // SecondaryRapidPlaneEdit
    bool absoluteSecondaryPlane = true; // AbsoluteSecondaryPlaneCheckBox
    std::string left, top, right, bottom;
    bool stayInsideTrimWindow = true; // StayInsideTrimWindowCheckBox
    std::string deepestZValue;        // DeepestZValueEdit
    bool removeWastedMoves = false;
    bool limitZTravel = false;
    std::string plungeFeedRate = std::string(kTrimPlungeFeedDesignText);
    bool useRapidTraverse = true; // UseRapidTraverseCheckbox: "Use "G00" for positioning"
    std::string arcTolerance = std::string(kTrimToleranceDesignText);
};

// The trimming window in drawing units, left <= right and bottom <= top once normalised.
struct TrimBox {
    double left = 0, bottom = 0, right = 0, top = 0;
};

// The box with its corners in order, whichever corners were given.
TrimBox normalisedTrimBox(double x1, double y1, double x2, double y2);

// Which dialog controls can be used: the window fields and "&Extents" only make sense for a
// box in the plain XY view (a polygon is its own region, and in a rotated view the fields
// would be drawing units of that view).
struct TrimFieldState {
    bool windowFieldsEnabled = true;
    bool extentsButtonEnabled = true;
};
TrimFieldState trimFieldState(bool polygon, bool planView);

// A number written into a field: fixed notation with 4 decimals, never scientific, so that
// the field always reads back.
std::string trimFieldText(double value);

// "&Extents": both planes at the highest Z, the window 0.1 outside the path on every side and
// the deepest Z 0.1 below the lowest point. `status` holds the extents with the Y pair in
// screen orientation.
void fillTrimFieldsFromExtents(TrimDialogFields& fields, const DatabaseStatus& status);

// A box drawn with the mouse, in drawing units: when it is larger than the motion tolerance
// in X or in Y it becomes the window (normalised); a mere click leaves the fields alone.
void writeDrawnBoxToFields(TrimDialogFields& fields, double x1, double y1, double x2, double y2);

// A polygon trim has no window: the four fields show "0.0".
void writePolygonWindowFields(TrimDialogFields& fields);

// The defaults of empty fields: either rapid plane empty puts both at the highest Z of the
// path and checks "Absolute secondary plane"; an empty deepest Z becomes the lowest Z - 0.1.
void fillEmptyTrimFields(TrimDialogFields& fields, const DatabaseStatus& status);

// The fields as numbers.
struct TrimParameters {
    double primaryPlane = 0;
    double secondaryPlane = 0;
    bool absoluteSecondaryPlane = true;
    TrimBox box;
    bool keepInside = true;
    double deepestZ = 0;
    bool removeWastedMoves = false;
    bool limitZTravel = false;
    double plungeFeed = 150.0;
    bool rapidPositioning = true; // "Use "G00" for positioning"
    double arcTolerance = 0.0005;
};

struct TrimParametersInput {
    TrimParameters parameters;
    std::string problem; // the message to show; empty when every field is usable
    bool ok() const { return problem.empty(); }
};

// Converts the fields. Only the fields the trim uses are read: the window for a box trim and
// the deepest Z when "Limit "Z" travel" is checked. A box with reversed corners is put in
// order and written back. Messages: "'abc' is not a valid floating point value", "Range check
// error" (a number beyond single precision), and for values no trim can use, "Plunge feed
// rate must be a number greater than 0..." and the tolerance message of arc explosion.
TrimParametersInput readTrimParameters(TrimDialogFields& fields, bool polygon);

} // namespace korvix
