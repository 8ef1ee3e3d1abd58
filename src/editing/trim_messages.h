#pragma once

#include <string_view>

namespace korvix {

// Texts of the trim commands.
inline constexpr std::string_view kTrimDrawBoxStatus =
    "Press and hold left mouse button to draw box around desired GEOMETRY...";
inline constexpr std::string_view kTrimDrawPolygonStatus =
    "Use left mouse button to draw polygon around desired GEOMETRY...";
inline constexpr std::string_view kTrimPromptStatus = "Enter trimming parameters...";
inline constexpr std::string_view kTrimCanceledStatus = "Trimming function canceled...";
inline constexpr std::string_view kTrimWorkingStatus = "Currently trimming desired geometry...";
inline constexpr std::string_view kTrimErrorText = "Error trimming...";
inline constexpr std::string_view kTrimLimitingStatus = "Currently limiting \"Z\" travel...";
inline constexpr std::string_view kTrimLimitErrorText = "Error limiting \"Z\"...";
inline constexpr std::string_view kTrimTotalsStatus =
    "Currently calculating cut time and travel limits...";
inline constexpr std::string_view kTrimDoneStatus = "Done trimming...";

} // namespace korvix
