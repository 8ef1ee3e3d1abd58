#pragma once

#include "editing/trim_parameters.h"
#include "model/geometry.h"
#include "model/list_payloads.h"
#include "model/node_list.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace korvix {

// One stretch of a segment after clipping, in trim coordinates: from `a` to `b`, inside the
// region or outside it. The pieces of a segment follow each other from its start to its end.
struct ClipPiece {
    Point3 a, b;
    bool inside = false;
    bool endsSegment = false; // `b` is the segment's own end point
};

// Z at (x, y) on the segment p1 -> p2, interpolated along the coordinate that changes more.
double zAlongSegment(const Point3& p1, const Point3& p2, double x, double y);

// Cohen-Sutherland clip of p1 -> p2 on X and Y against the box, bounds inclusive: an end
// outside is moved to the edge named by its first outside bit (left, right, bottom, top)
// until both ends are inside or both share an outside bit. At most three pieces: outside up
// to the entry, inside, outside from the exit.
struct BoxClip {
    std::array<ClipPiece, 3> pieces;
    int count = 0;
    std::span<const ClipPiece> view() const {
        return {pieces.data(), static_cast<std::size_t>(count)};
    }
};
BoxClip clipToBox(const TrimBox& box, const Point3& p1, const Point3& p2);
bool boxContains(const TrimBox& box, double x, double y);

// Clips segments against a closed polygon. The crossings of a segment with the edges go into
// the crossing list and are sorted by their distance from the segment's start (equal
// distances keep their order). Crossings closer together than the motion tolerance, or that
// close to either end, are one break point: a segment through a vertex meets two edges
// there at the same distance. Whether the stretch after a break point is inside is decided
// by testing a point of that stretch, never by toggling alone: a segment that only touches a
// vertex, or runs along an edge, would otherwise swap inside and outside for the rest of its
// length.
//
// The edges are filed by horizontal bands of the polygon's height, so that a segment meets
// only the edges of the bands it spans and the inside test of a point counts only the edges
// of its band: with the most vertices a drawn polygon has, testing all of them for every
// move would cost more than the rest of the trim.
class PolygonClipper {
public:
    PolygonClipper(std::span<const Point2> vertices, ChunkAllocator allocator);

    // The even-odd test of pointInPolygon, over the edges of the point's band.
    bool contains(double x, double y) const;
    // The pieces of p1 -> p2, valid until the next call; false when memory ran out.
    bool clip(const Point3& p1, const Point3& p2, std::span<const ClipPiece>& pieces);

private:
    std::size_t bandOf(double y) const;
    std::span<const std::uint32_t> edgesOfBand(std::size_t band) const;
    bool gatherCrossings(const Point3& p1, const Point3& p2);
    void splitAtBreaks(const Point3& p1, const Point3& p2);

    std::vector<Point2> m_vertices;
    double m_minX = 0, m_minY = 0, m_maxX = 0, m_maxY = 0;
    double m_bandHeight = 0;
    std::size_t m_bandCount = 1;
    std::vector<std::uint32_t> m_bandStart; // band b's edges: m_bandEdges[start[b], start[b+1])
    std::vector<std::uint32_t> m_bandEdges; // edge i runs from vertex i to vertex i + 1
    std::vector<std::uint32_t> m_seen;      // the segment that last looked at each edge
    std::uint32_t m_segment = 0;
    CrossingList m_crossings;
    std::vector<Point3> m_breaks;
    std::vector<ClipPiece> m_pieces;
};

} // namespace korvix
