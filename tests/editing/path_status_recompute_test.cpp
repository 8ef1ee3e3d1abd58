#include "model/workspace.h"
#include "editing/path_status_recompute.h"
#include "input/nc_reader.h"
#include "modify_all_test_support.h"
#include "app/workspace_access.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace korvix::test {
namespace {

// Recomputing a freshly read program gives what the reader counted while reading.
TEST(PathStatusRecompute, AgreesWithTheReader) {
    const std::string files[] = {KORVIX_TEST_DATA_DIR "/writer_small.nc",
                                 KORVIX_TEST_DATA_DIR "/helix_ramp.nc",
                                 KORVIX_TEST_DATA_DIR "/fit_contour.nc"};
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        Workspace ws;
        ASSERT_GT(readNcFile(ncReadTarget(ws), file, {}, {}), 0);
        const DatabaseStatus read = ws.database.status;
        recomputePathStatus(ws.database);
        const DatabaseStatus& again = ws.database.status;
        // Lengths come from the stored floats here, from the reader's doubles there.
        EXPECT_NEAR(again.cuttingTime, read.cuttingTime, 1e-7 * read.cuttingTime);
        EXPECT_EQ(again.minFeed, read.minFeed);
        EXPECT_EQ(again.maxFeed, read.maxFeed);
        // The reader widens with unrounded positions, the records hold floats.
        EXPECT_NEAR(again.extents.minX, read.extents.minX, 1e-5);
        EXPECT_NEAR(again.extents.maxX, read.extents.maxX, 1e-5);
        EXPECT_NEAR(again.extents.minY, read.extents.minY, 1e-5);
        EXPECT_NEAR(again.extents.maxY, read.extents.maxY, 1e-5);
        EXPECT_NEAR(again.extents.minZ, read.extents.minZ, 1e-5);
        EXPECT_NEAR(again.extents.maxZ, read.extents.maxZ, 1e-5);
        EXPECT_TRUE(again.ncLoaded);
    }
}

TEST(PathStatusRecompute, MovesAreTimedByKind) {
    GraphicsDatabase db;
    PathBuilder path(db, 0, 0, 0);
    path.rapid(0, 0, 25);                                     // 25 at 250: 0.1
    path.feed(0).line(0, 10, 25);                             // a feed of 0 counts as 1: 10
    path.feed(100).arc(kPlaneXY, 0, 0, 25, 10, 90, 0, 25, 8); // 270 degrees of r 10
    recomputePathStatus(db);
    const double arc = 2 * 3.14159265358979323846 * 10 * 0.75 / 100;
    EXPECT_NEAR(db.status.cuttingTime, 0.1 + 10 + arc, 1e-9);
    // A cutting move with feed 0 does not hold the minimum down, as in the reader.
    EXPECT_EQ(db.status.minFeed, 100);
    EXPECT_EQ(db.status.maxFeed, 100);
    EXPECT_EQ(db.status.extents.maxZ, 25);
    // The Y pair is held negated; the lowest piece ends at 258.75 degrees.
    EXPECT_EQ(db.status.extents.trueMaxY(), 10);
    EXPECT_NEAR(db.status.extents.trueMinY(), 10 * std::sin(angleRadians(258.75)), 1e-5);
}

} // namespace
} // namespace korvix::test
