#pragma once

#include "model/number_text.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace korvix {

// Status texts of the Explode arcs, Fit arcs, Sift points and Reverse cut direction commands.

inline constexpr std::string_view kExplodeNoDataStatus =
    "Warning! Currently no data in memory to explode \"COMMAND CANCELED...\"";
inline constexpr std::string_view kExplodeCanceledStatus = "Explode arc command canceled...";
inline constexpr std::string_view kExplodeFailedStatus = "Explode arc command failed...";
inline constexpr std::string_view kExplodeDoneStatus =
    "Explode arc command completed successfully...";

// "Converting arcs into points using a tolerance of "0.0005..."" with the tolerance as typed.
inline std::string explodeWorkingStatus(std::string_view toleranceText) {
    return "Converting arcs into points using a tolerance of \"" + std::string(toleranceText) +
           "...\"";
}

inline constexpr std::string_view kFitArcsNoDataStatus =
    "Warning! No data currently in memory to fit arcs through \"COMMAND CANCELED...\"";
inline constexpr std::string_view kFitArcsCanceledStatus = "Arc fitting command canceled...";
inline constexpr std::string_view kFitArcsWorkingStatus =
    "Currently fitting arcs through point to point data...";
// Memory ran out while the new path was built; the old one is still the database.
inline constexpr std::string_view kFitArcsOutOfMemoryStatus =
    "Arc fitting command failed, not enough memory, the toolpath is unchanged...";

// "Done fitting arcs... Points removed = 12, Arcs added = 3"
inline std::string fitArcsDoneStatus(std::size_t pointsRemoved, std::size_t arcsAdded) {
    return "Done fitting arcs... Points removed = " +
           formatGeneral(static_cast<double>(pointsRemoved)) +
           ", Arcs added = " + formatGeneral(static_cast<double>(arcsAdded));
}

inline constexpr std::string_view kSiftPromptStatus = "Please enter sifting parameters...";
inline constexpr std::string_view kSiftCanceledStatus = "Sift command has been canceled...";

// "Currently sifting to a tolerance of "0.0005"..." with the tolerance as typed.
inline std::string siftWorkingStatus(std::string_view toleranceText) {
    return "Currently sifting to a tolerance of \"" + std::string(toleranceText) + "\"...";
}
// "Sift command successfully removed "12" points..."
inline std::string siftDoneStatus(std::size_t pointsRemoved) {
    return "Sift command successfully removed \"" +
           formatGeneral(static_cast<double>(pointsRemoved)) + "\" points...";
}

inline constexpr std::string_view kReverseWorkingStatus = "Cut direction is being reversed...";
inline constexpr std::string_view kReverseDoneStatus = "Cut direction has been reversed...";

// "Warning! 1 rapid moves now plunge below Z = -0.5000; check them before machining..."
inline std::string rapidPlungeWarning(std::size_t count, double z) {
    return "Warning! " + std::to_string(count) +
           " rapid moves now plunge below Z = " + fixed7(z, 4) + "; check them before machining...";
}

} // namespace korvix
