#pragma once

#include "editing/trim_clip.h"
#include "editing/trim_records.h"
#include "editing/trim_space.h"

namespace korvix {

// The heights the link moves are settled to.
struct TrimHeights {
    double primaryPlane = 0;
    double secondaryPlane = 0;
    bool absoluteSecondaryPlane = true;
};

// Builds the trimmed path from the pieces the clip keeps and connects them: when the tool
// leaves a kept piece it retracts (kind 3) at the exit; before the next kept piece it
// traverses (kind 4) to above the entry and plunges (kind 5) to it. The pieces come in trim
// coordinates and are stored in world coordinates; the heights of the link moves are settled
// by finish(), when every plunge target is known.
class TrimPathBuilder {
public:
    TrimPathBuilder(const TrimSpace& space, const TrimHeights& heights, const LinkStyle& style,
                    ChunkAllocator allocator)
        : m_space(space), m_heights(heights), m_style(style), m_path(allocator) {}

    // The start point: a copy of `first` at `position` (world). `toolDown` says whether the
    // tool already stands in a kept piece there, so that the first cut needs no plunge.
    bool start(const MoveRecord& first, const Point3& position, bool toolDown);

    // A piece of the move `source` that the trim keeps. A piece that would add nothing (its
    // end within the motion tolerance of where the tool is, or, before a plunge, of its own
    // start) is left out. False when memory ran out.
    bool keep(const ClipPiece& piece, const MoveRecord& source, std::uint8_t optionalStop);
    // The tool leaves the kept region where it is. False when memory ran out.
    bool leave(const MoveRecord& source);

    // Settles the link heights and makes every link move a straight move:
    // - a retract goes to the secondary plane (absolute), or to the exit Z plus the secondary
    //   value, raised to the next plunge target's Z plus the secondary value when that is
    //   higher (relative);
    // - a traverse runs at the height of the move before it; the first one, straight from the
    //   start point, at least at the primary plane, so that the tool never crosses the part
    //   below the start height on its way in;
    // - a link that then ends where the tool already is goes, and the path is renumbered.
    void finish();

    NumberedPath& path() { return m_path; }

private:
    const TrimSpace& m_space;
    TrimHeights m_heights;
    LinkStyle m_style;
    NumberedPath m_path;
    bool m_down = false;
    Point3 m_tool; // world position of the path's last record
};

} // namespace korvix
