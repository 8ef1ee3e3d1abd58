#pragma once

#include "editing/trim_driver.h"
#include "model/graphics_database.h"
#include "model/move_record.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace korvix::test {

// What a test looks at in a record of a trimmed path.
struct Rec {
    double x, y, z;
    int motion = kMotionLinear;
    double feed = 0;
    Rgb color = kWhite;
};

inline std::vector<const MoveRecord*> trimRecords(const GraphicsDatabase& db) {
    std::vector<const MoveRecord*> out;
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next)
        out.push_back(r);
    return out;
}

// Compares every record but the start point with the expected moves, in order.
inline void expectMoves(const GraphicsDatabase& db, const std::vector<Rec>& expected,
                        double tolerance = 1e-4) {
    const auto records = trimRecords(db);
    ASSERT_EQ(records.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("move " + std::to_string(i + 1));
        const MoveRecord& r = *records[i + 1];
        const Rec& e = expected[i];
        EXPECT_NEAR(r.x, e.x, tolerance);
        EXPECT_NEAR(r.y, e.y, tolerance);
        EXPECT_NEAR(r.z, e.z, tolerance);
        EXPECT_EQ(r.motion, e.motion);
        EXPECT_NEAR(r.feed, e.feed, 1e-6);
        EXPECT_EQ(r.color, e.color);
        EXPECT_EQ(r.kind, kKindStraight);
    }
}

// Planes at 10 (absolute), keep inside, plunge feed 150, rapid positioning.
inline TrimParameters trimParameters(double left, double bottom, double right, double top) {
    TrimParameters p;
    p.primaryPlane = 10;
    p.secondaryPlane = 10;
    p.absoluteSecondaryPlane = true;
    p.box = {left, bottom, right, top};
    p.keepInside = true;
    p.plungeFeed = 150;
    p.rapidPositioning = true;
    p.arcTolerance = 0.0005;
    return p;
}

inline TrimRegion boxRegion(const TrimParameters& p) {
    TrimRegion region;
    region.box = p.box;
    return region;
}

// Trims in the plain XY view without messages.
inline TrimResult planTrim(GraphicsDatabase& db, const TrimParameters& p,
                           const TrimRegion& region) {
    NullReporter reporter;
    MessagePump pump;
    return trimToolpath(db, p, region, reporter, pump);
}

// Expected link moves and cuts.
inline Rec rapidAt(double x, double y, double z) {
    return {x, y, z, kMotionRapid, 0, kRapidColor};
}
inline Rec plungeTo(double x, double y, double z, double feed = 150) {
    return {x, y, z, kMotionLinear, feed, kWhite};
}
inline Rec cutTo(double x, double y, double z, double feed) {
    return {x, y, z, kMotionLinear, feed, kWhite};
}

} // namespace korvix::test
