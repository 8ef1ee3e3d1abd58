#include "output/path_compare.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace korvix {
namespace {

struct Vec {
    double x, y, z;
};

Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double length(Vec a) {
    return std::sqrt(dot(a, a));
}

Vec endOf(const MoveRecord& r) {
    return {r.x, r.y, r.z};
}

// One move of a path as the comparison sees it: a straight line or one arc piece, from the
// end of one record to the end of the next. Only the two records are kept, so that a path
// of millions of moves costs little beside its database.
struct Segment {
    const MoveRecord* start;
    const MoveRecord* end;

    Vec from() const { return endOf(*start); }
    Vec to() const { return endOf(*end); }
    bool rapid() const { return end->motion == kMotionRapid; }
    int tool() const { return end->tool; }
    int block() const { return end->blockNumber; }
};

std::vector<Segment> segmentsOf(const GraphicsDatabase& database) {
    std::vector<Segment> segments;
    const MoveRecord* previous = nullptr;
    for (const MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        if (previous != nullptr && r->kind != kKindStartPoint)
            segments.push_back({previous, r});
        previous = r;
    }
    return segments;
}

// The point's coordinates in the arc's plane (h, v) and along its axis.
struct PlaneCoordinates {
    double h, v, axis;
};
PlaneCoordinates inPlane(std::uint8_t plane, Vec p) {
    switch (plane) {
    case kPlaneXZ:
        return {p.x, p.z, p.y};
    case kPlaneYZ:
        return {p.y, p.z, p.x};
    default:
        return {p.x, p.y, p.z};
    }
}

double distanceTo(const Segment& s, Vec p) {
    const Vec from = s.from(), to = s.to();
    const Vec along = to - from;
    const double squared = dot(along, along);
    const double t = squared > 0 ? std::clamp(dot(p - from, along) / squared, 0.0, 1.0) : 0.0;
    const Vec nearest{from.x + t * along.x, from.y + t * along.y, from.z + t * along.z};
    const double chordDistance = length(p - nearest);
    const MoveRecord& piece = *s.end;
    const double radius = std::fabs(static_cast<double>(piece.radius));
    if (!isArcPiece(piece) || radius <= 0 || t <= 0.0 || t >= 1.0)
        return chordDistance;
    // Beside an arc piece the arc itself counts, not its chord: two programs cut the same arc
    // into different pieces.
    const PlaneCoordinates point = inPlane(piece.plane, p);
    const PlaneCoordinates center =
        inPlane(piece.plane, Vec{piece.centerX, piece.centerY, piece.centerZ});
    const PlaneCoordinates start = inPlane(piece.plane, from);
    const PlaneCoordinates end = inPlane(piece.plane, to);
    const double radial = std::sqrt((point.h - center.h) * (point.h - center.h) +
                                    (point.v - center.v) * (point.v - center.v)) -
                          radius;
    const double axial = point.axis - (start.axis + t * (end.axis - start.axis));
    return std::min(chordDistance, std::sqrt(radial * radial + axial * axial));
}

Vec midpoint(const Segment& s) {
    const Vec from = s.from(), to = s.to();
    return {(from.x + to.x) / 2, (from.y + to.y) / 2, (from.z + to.z) / 2};
}

// What one walk found. Block numbers are kept for both paths: those of the first path name
// the place.
struct OneWay {
    double largest = 0.0;
    int block = 0, otherBlock = 0;
    bool characterAgrees = true;
    int characterBlock = 0, otherCharacterBlock = 0;
    std::string characterDifference;
};

// A match this close is taken without looking further ahead: two programs of one path meet
// their moves in turn, and a closer move further on could lower the figure by no more than
// this.
constexpr double kCloseEnough = kSamePathTolerance / 10;

// Walks the samples of `path` in order against `other`, never going back in `other`, and
// looking only a little way ahead of where the last sample was matched.
OneWay measure(const std::vector<Segment>& path, const std::vector<Segment>& other,
               bool compareTools) {
    constexpr std::size_t kLookAhead = 48;
    OneWay result;
    std::size_t at = 0;
    const auto nearest = [&](Vec p, std::size_t& index) {
        double best = distanceTo(other[at], p);
        index = at;
        for (std::size_t j = at + 1; j < other.size() && j <= at + kLookAhead; ++j) {
            const double d = distanceTo(other[j], p);
            if (d < best) {
                best = d;
                index = j;
            } else if (best <= kCloseEnough) {
                break; // past the match
            }
        }
        return best;
    };
    const auto agrees = [compareTools](const Segment& o, const Segment& s) {
        return o.rapid() == s.rapid() && (!compareTools || o.tool() == s.tool());
    };
    for (const Segment& s : path) {
        if (other.empty())
            break;
        const std::size_t from = at;
        const Vec middle = midpoint(s);
        std::size_t middleIndex = 0, endIndex = 0;
        const double middleDistance = nearest(middle, middleIndex);
        at = middleIndex;
        const double endDistance = nearest(s.to(), endIndex);
        at = endIndex;
        for (const auto& [d, index] :
             {std::pair{middleDistance, middleIndex}, std::pair{endDistance, endIndex}})
            if (d > result.largest) {
                result.largest = d;
                result.block = s.block();
                result.otherBlock = other[index].block();
            }

        // The character is judged inside a move (its midpoint), where the neighbouring
        // stretch of the other character cannot be the nearest. A drill's retract runs back
        // along its plunge: any move of the other path as near as the nearest will do.
        if (!result.characterAgrees || agrees(other[middleIndex], s) ||
            length(s.to() - s.from()) <= 4 * kSamePathTolerance)
            continue;
        bool found = false;
        for (std::size_t j = from; j < other.size() && j <= from + kLookAhead && !found; ++j)
            found = agrees(other[j], s) &&
                    distanceTo(other[j], middle) <= middleDistance + kSamePathTolerance;
        if (found)
            continue;
        const Segment& match = other[middleIndex];
        result.characterAgrees = false;
        result.characterBlock = s.block();
        result.otherCharacterBlock = match.block();
        char text[64];
        if (match.rapid() != s.rapid())
            std::snprintf(text, sizeof text, "%s against %s", s.rapid() ? "rapid" : "feed",
                          match.rapid() ? "rapid" : "feed");
        else
            std::snprintf(text, sizeof text, "tool %d against tool %d", s.tool(), match.tool());
        result.characterDifference = text;
    }
    return result;
}

} // namespace

PathComparison comparePaths(const GraphicsDatabase& a, const GraphicsDatabase& b) {
    const std::vector<Segment> segmentsA = segmentsOf(a);
    const std::vector<Segment> segmentsB = segmentsOf(b);
    PathComparison comparison;
    comparison.movesA = segmentsA.size();
    comparison.movesB = segmentsB.size();
    if (segmentsA.empty() != segmentsB.empty()) {
        comparison.largestDeviation = HUGE_VAL;
        return comparison;
    }
    // Both ways: a move that only one of the paths has is far from the other path.
    // Tools count only when both programs name them: a control format without tool words
    // writes the same path without claiming another tool.
    const auto namesTools = [](const std::vector<Segment>& segments) {
        return std::any_of(segments.begin(), segments.end(),
                           [](const Segment& s) { return s.tool() != 0; });
    };
    const bool compareTools = namesTools(segmentsA) && namesTools(segmentsB);
    const OneWay forward = measure(segmentsA, segmentsB, compareTools);
    const OneWay backward = measure(segmentsB, segmentsA, compareTools);
    comparison.largestDeviation = std::max(forward.largest, backward.largest);
    comparison.deviationBlock =
        forward.largest >= backward.largest ? forward.block : backward.otherBlock;
    comparison.characterAgrees = forward.characterAgrees && backward.characterAgrees;
    if (!forward.characterAgrees) {
        comparison.characterBlock = forward.characterBlock;
        comparison.characterDifference = forward.characterDifference;
    } else if (!backward.characterAgrees) {
        comparison.characterBlock = backward.otherCharacterBlock;
        comparison.characterDifference = backward.characterDifference;
    }
    return comparison;
}

std::string describeComparison(const PathComparison& comparison) {
    char text[160];
    if (!std::isfinite(comparison.largestDeviation))
        std::snprintf(text, sizeof text, "one path has %zu moves, the other %zu", comparison.movesA,
                      comparison.movesB);
    else
        std::snprintf(text, sizeof text, "largest deviation %.4f at block %d",
                      comparison.largestDeviation, comparison.deviationBlock);
    std::string description = text;
    if (!comparison.characterAgrees)
        description += ", " + comparison.characterDifference + " at block " +
                       std::to_string(comparison.characterBlock);
    return description;
}

} // namespace korvix
