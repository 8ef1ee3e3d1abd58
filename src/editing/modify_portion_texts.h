#pragma once

#include <string_view>

namespace korvix {

// The texts of the Modify command of edit mode and its dialog, shared by the window and the
// command-line tool. The buttons, the feed page and the axis labels are those of Modify all
// (modify_all_texts.h).

inline constexpr std::string_view kModifyPortionMenuCaption = "&Modify";
inline constexpr std::string_view kModifyPortionMenuHint = "Modify currently selected data";
inline constexpr std::string_view kModifyPortionDialogCaption = "Modify Selected Geometry";

inline constexpr std::string_view kModifyPortionCanceledStatus =
    "Modify a portion of geometry command canceled..";
// The dialog's status text before any page was turned to.
inline constexpr std::string_view kModifyPortionDesignStatus =
    "Press \"OK\" to RELOCATE geometry..";

inline constexpr std::string_view kAbsoluteValuesNote = "Note: All values are absolute numbers.";
inline constexpr std::string_view kOptionalStopGroupCaption = "Optional Stop Options";
inline constexpr std::string_view kDisableOptionalStopsCaption = "Disable optional stops";
inline constexpr std::string_view kEnableOptionalStopsCaption = "Enable optional stops";

// Memory ran out while the preview was built; the path is as it was.
inline constexpr std::string_view kModifyPortionOutOfMemoryStatus =
    "Modify a portion of geometry command failed, not enough memory, the toolpath is "
    "unchanged...";

} // namespace korvix
