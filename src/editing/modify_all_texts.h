#pragma once

#include <string_view>

namespace korvix {

// The texts of the Modify all command and its dialog, shared by the window and the
// command-line tool.

inline constexpr std::string_view kModifyAllMenuCaption = "&Modify all";
inline constexpr std::string_view kModifyAllMenuHint =
    "Modify ALL toolpath data currently in memory";
inline constexpr std::string_view kModifyAllDialogCaption = "Modify All Geometry";

inline constexpr std::string_view kModifyAllCanceledStatus =
    "Modify all geometry command canceled..";
inline constexpr std::string_view kModifyAllFeedPreviewStatus =
    "you selected to PREVIEW the modification of all feed rates..";
inline constexpr std::string_view kKeepModificationQuestion =
    "Do you wish to keep this modification?";

inline constexpr std::string_view kArcOutsideXyPlaneError =
    ">>>Error<<< Arc outside the \"XY\" plane encountered, Explode arcs before trying again...";

// The table holds 255 feed rates; the moves of any further ones cannot be given a new feed.
inline constexpr std::string_view kFeedRateTableFullStatus =
    "Only the first 255 feed rates can be modified...";
// Memory ran out while the preview or the copies were built; the path is as it was.
inline constexpr std::string_view kModifyAllOutOfMemoryStatus =
    "Modify all geometry command failed, not enough memory, the toolpath is unchanged...";
// The result would not fit the coordinates the database stores.
inline constexpr std::string_view kModifyAllOutOfRangeError =
    ">>>Error<<< The modified coordinates would be too large to store, the toolpath is "
    "unchanged...";
// A factor of 0 would put every point on the origin and leave arcs without a radius.
inline constexpr std::string_view kScaleFactorZeroError =
    ">>>Error<<< A scale factor of 0 would collapse the toolpath onto one point, the toolpath "
    "is unchanged...";

// Buttons and their modal results.
inline constexpr std::string_view kPreviewButtonCaption = "&Preview";
inline constexpr std::string_view kOkButtonCaption = "&Ok";
inline constexpr std::string_view kCancelButtonCaption = "&Cancel";
inline constexpr int kPreviewModalResult = 100;
inline constexpr int kOkModalResult = 1;
inline constexpr int kCancelModalResult = 2;

// Feed page buttons and labels.
inline constexpr std::string_view kOldFeedRateLabel = "Old Feed Rate:";
inline constexpr std::string_view kNewFeedRateLabel = "New Feed Rate:";
inline constexpr std::string_view kFeedColorLabel = "Color:";
inline constexpr std::string_view kChangeColorButtonCaption = "&Change color";
inline constexpr std::string_view kPreviousButtonCaption = "&Previous";
inline constexpr std::string_view kNextButtonCaption = "&Next";

// Labels of the other pages.
inline constexpr std::string_view kMirrorXCaption = "Mirror \"X\" Values";
inline constexpr std::string_view kMirrorYCaption = "Mirror \"Y\" Values";
inline constexpr std::string_view kCopyCaption = "Copy";
inline constexpr std::string_view kXValueLabel = "\"X\" Value";
inline constexpr std::string_view kYValueLabel = "\"Y\" Value";
inline constexpr std::string_view kZValueLabel = "\"Z\" Value";
inline constexpr std::string_view kNumberOfCopiesLabel = "Number of copies:";
inline constexpr std::string_view kRelativeValuesNote = "Note: All values are relative numbers.";
inline constexpr std::string_view kRotationAngleLabel = "Rotation Angle:";
inline constexpr std::string_view kRotationPointGroup = "Point to rotate around";
inline constexpr std::string_view kScaleFactorLabel = "Scale Factor:";

// Field texts before the user changes them.
inline constexpr std::string_view kCoordinateFieldDefault = "0.000";
inline constexpr std::string_view kCopiesFieldDefault = "0";
inline constexpr std::string_view kScaleFactorFieldDefault = "1.000";

} // namespace korvix
