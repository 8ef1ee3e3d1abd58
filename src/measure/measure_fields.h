#pragma once

// What the measurement window shows: its fixed texts, and for each page the read-only fields
// with their texts, computed from the session. The window fills its edits from these lists
// and the Copy button turns one into text.

#include "measure/measure_session.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

inline constexpr std::string_view kMeasureFormCaption = "Measurement Form";
inline constexpr std::string_view kMeasureInstruction =
    " Use \"LEFT\" mouse button to select desired geometry...";
inline constexpr std::string_view kWorkPlaneCaption = "Work Plane Parameters";
// By item index of the work plane group.
inline constexpr std::array<std::string_view, 4> kWorkPlaneItems = {"XY plane", "XZ plane",
                                                                    "YZ plane", "3D space"};
// Texts of a result that has no answer.
inline constexpr std::string_view kErrorText = "Error";

struct PageInfo {
    std::string_view objectName;
    std::string_view caption;
};
// By MeasurePage.
inline constexpr std::array<PageInfo, 3> kMeasurePages = {
    PageInfo{"MeasureAngleTabSheet", "Measure Angle"},
    PageInfo{"MeasureLineTabSheet", "Measure Line"},
    PageInfo{"MeasureArcTabSheet", "Measure Arc"},
};

struct ButtonInfo {
    std::string_view objectName;
    std::string_view caption;
};
inline constexpr std::array<ButtonInfo, 5> kMeasureButtons = {
    ButtonInfo{"PreviousButton", "&Prev"}, ButtonInfo{"NextButton", "&Next"},
    ButtonInfo{"MidButton", "&Mid"},       ButtonInfo{"CopyButton", "C&opy"},
    ButtonInfo{"CancelButton", "&Cancel"},
};

// One read-only field: where it sits (the captioned group, empty for a field on its own) and
// its label, and its text: empty while its page is not complete, a number with five decimals,
// or "Error".
struct MeasureField {
    std::string_view objectName;
    std::string_view group;
    std::string_view label;
    std::string text;
};

// The fields of one page in the window's order: the points, then the results.
std::vector<MeasureField> pageFields(const MeasureSession& session, MeasurePage page);

// "Point 1 X", "3D-Angle", "Resulting Vector I": the group and the label without its colon.
std::string fieldName(const MeasureField& field);

// One "name = value" line per field that shows something, each ended by a line feed; empty
// when the page shows nothing.
std::string copyText(std::span<const MeasureField> fields);

} // namespace korvix
