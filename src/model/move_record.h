#pragma once

#include <cstdint>

namespace korvix {

// MoveRecord::sourceLine of a move that no program line made (a link move of a trim, a
// record read from a binary file). Value-initialised records have it.
inline constexpr std::uint32_t kNoSourceLine = 0;

// Values of MoveRecord::kind.
inline constexpr std::uint8_t kKindStartPoint = 0;
inline constexpr std::uint8_t kKindStraight = 1;
inline constexpr std::uint8_t kKindArcPiece = 2;

// Values of MoveRecord::plane (a set value, so planes can be tested with masks).
inline constexpr std::uint8_t kPlaneXY = 1;
inline constexpr std::uint8_t kPlaneXZ = 2;
inline constexpr std::uint8_t kPlaneYZ = 4;

// Values of MoveRecord::motion.
inline constexpr std::uint8_t kMotionRapid = 0;
inline constexpr std::uint8_t kMotionLinear = 1;
inline constexpr std::uint8_t kMotionClockwise = 2;
inline constexpr std::uint8_t kMotionCounterClockwise = 3;

// Colours are stored as 0x00BBGGRR values, the layout the TBF and wire-frame files use.
using Rgb = std::uint32_t;
inline constexpr Rgb kRapidColor = 0x000000FF; // pure red
inline constexpr Rgb kWhite = 0x00FFFFFF;
inline constexpr Rgb kBlack = 0x00000000;

inline constexpr Rgb makeRgb(int red, int green, int blue) {
    return static_cast<Rgb>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
inline constexpr int rgbRed(Rgb c) {
    return static_cast<int>(c & 0xFF);
}
inline constexpr int rgbGreen(Rgb c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int rgbBlue(Rgb c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// Two points or coordinates closer than this are the same; also the threshold of modal
// suppression in the writers.
inline constexpr double kMotionTolerance = 0.0002;
// Coordinates and arc words that have not been given yet.
inline constexpr double kUndefined = -999.0;
// Rapid moves are timed as if they were fed at this rate.
inline constexpr double kRapidFeed = 250.0;

// One node of the graphics database: a straight move, one piece of an arc, or the start
// point. The move starts at the previous record's end point. All pieces of one arc share
// `sequence` (an arc group) and every field but the end point.
struct MoveRecord {
    std::uint8_t kind;
    std::uint8_t plane;
    std::uint8_t visible;
    std::uint8_t selected;
    std::uint8_t optionalStop;
    Rgb color;
    std::int32_t sequence;
    std::uint16_t blockNumber;
    std::uint8_t motion;
    std::uint8_t tool;
    float feed;
    float x, y, z;
    float centerX, centerY, centerZ;
    float radius; // signed: positive when angles increase from start to end
    float startAngle;
    float endAngle;
    // The program line the move was read from, as an index over every file read (see
    // model/program_source.h); kNoSourceLine for moves no line made. It sits in what was
    // padding before the screen position, so the record keeps its size and an undo snapshot,
    // which keeps everything up to the screen position, keeps the line too.
    std::uint32_t sourceLine;
    std::int32_t screenX, screenY;
    MoveRecord* prev;
    MoveRecord* next;
};

static_assert(sizeof(void*) != 8 || sizeof(MoveRecord) == 88,
              "a record is 88 bytes on 64-bit machines: mind the memory of big programs");

inline bool isArcPiece(const MoveRecord& r) {
    return r.kind == kKindArcPiece;
}

// True when `r` is the last record of its move: the end of the path, a straight move or
// the start point, or the last piece of an arc group.
inline bool endsMove(const MoveRecord& r) {
    return r.next == nullptr || r.kind != kKindArcPiece || r.next->sequence != r.sequence;
}

// One point of a wire-frame polyline.
struct WireframePoint {
    std::uint8_t penDown; // 0: starts a new polyline
    std::uint8_t visible;
    Rgb color;
    float x, y, z;
    std::int32_t screenX, screenY;
    WireframePoint* prev;
    WireframePoint* next;
};

} // namespace korvix
