#include "app/workspace_access.h"
#include "display/animation_clock.h"
#include "input/nc_reader.h"
#include "model/geometry.h"
#include "model/path_builder.h"
#include "model/workspace.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

struct ProgramCase {
    const char* path;
    bool absoluteCenters;
};

class ClockOverProgram : public ::testing::TestWithParam<ProgramCase> {};

// The clock at the last block holds what the reader summed as the cutting time, and a
// clock started anywhere agrees with one that travelled there from the start.
TEST_P(ClockOverProgram, ReachesTheCuttingTimeAndAgreesWhereverItStarts) {
    Workspace ws;
    NcReadOptions options;
    options.absoluteCenters = GetParam().absoluteCenters;
    const NcReadResult read = readNcProgram(ncReadTarget(ws), GetParam().path, options, {});
    ASSERT_TRUE(read.ok()) << read.message;
    const MoveRecord& first = *ws.database.first();

    MachiningClock clock;
    clock.startAt(first, first);
    EXPECT_EQ(clock.minutes(), 0);
    double before = 0;
    std::size_t index = 0;
    for (const MoveRecord* r = first.next; r != nullptr; r = r->next, ++index) {
        clock.advanceTo(*r);
        EXPECT_GE(clock.minutes(), before - 1e-12) << "record " << index;
        before = clock.minutes();
        if (index % 7 == 0) {
            MachiningClock started;
            started.startAt(first, *r);
            EXPECT_NEAR(started.minutes(), clock.minutes(), 1e-9 * (1 + clock.minutes()))
                << "record " << index;
        }
    }
    const double cuttingTime = ws.database.status.cuttingTime;
    ASSERT_GT(cuttingTime, 0);
    EXPECT_NEAR(clock.minutes(), cuttingTime, 1e-6 * cuttingTime);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ClockOverProgram,
    ::testing::Values(ProgramCase{KORVIX_EXAMPLES_DIR "/pocket_absolute.nc", true},
                      ProgramCase{KORVIX_EXAMPLES_DIR "/pocket_incremental.nc", false},
                      ProgramCase{KORVIX_EXAMPLES_DIR "/multi_tool.nc", true},
                      ProgramCase{KORVIX_EXAMPLES_DIR "/plane_arcs.nc", true},
                      ProgramCase{KORVIX_TEST_DATA_DIR "/helix_ramp.nc", true}),
    [](const ::testing::TestParamInfo<ProgramCase>& param) {
        std::string name = param.param.path;
        name = name.substr(name.rfind('/') + 1);
        return name.substr(0, name.find('.'));
    });

// A half circle about (0, 0) of radius 10 from 0 to 180 degrees in four pieces, or the
// other way round.
struct ArcPath {
    Workspace ws;
    PathBuilder path{ws};
    std::vector<MoveRecord*> pieces;

    explicit ArcPath(bool clockwise) {
        const double sign = clockwise ? -1 : 1;
        path.start(10, 0);
        for (int k = 1; k <= 4; ++k) {
            const double angle = sign * 45.0 * k * kPi / 180;
            MoveRecord& piece = path.piece(1, static_cast<float>(10 * std::cos(angle)),
                                           static_cast<float>(10 * std::sin(angle)))
                                    .last();
            piece.radius = static_cast<float>(sign * 10);
            piece.startAngle = 0;
            piece.endAngle = 180;
            piece.feed = 100;
            pieces.push_back(&piece);
        }
    }
};

TEST(ArcFraction, GrowsWithTheAngleInTheArcsDirection) {
    for (const bool clockwise : {false, true}) {
        ArcPath arc(clockwise);
        for (std::size_t k = 0; k < arc.pieces.size(); ++k)
            EXPECT_NEAR(arcFractionAt(*arc.pieces[k]), 0.25 * static_cast<double>(k + 1), 1e-6)
                << (clockwise ? "clockwise " : "counter-clockwise ") << k;

        // Half-way through the arc the clock holds half of it: 10 pi / 2 at feed 100.
        MachiningClock clock;
        clock.startAt(*arc.ws.database.first(), *arc.pieces[1]);
        EXPECT_NEAR(clock.minutes(), 10 * kPi / 2 / 100, 1e-6);
    }
}

TEST(ArcFraction, PointRoundedPastTheStartBelongsToTheStart) {
    ArcPath arc(false);
    MoveRecord& piece = *arc.pieces[0];
    // On the circle a hair before the start angle: not almost the whole way round.
    piece.x = 10;
    piece.y = -1e-5f;
    EXPECT_EQ(arcFractionAt(piece), 0);
    // And a hair past its end, on a piece that is not the last.
    piece.x = -10;
    piece.y = -1e-5f;
    EXPECT_EQ(arcFractionAt(piece), 1);
}

TEST(ElapsedClockText, HoursMinutesSecondsTruncated) {
    const struct {
        double minutes;
        const char* text;
    } cases[] = {
        {0, "0:00:00"},        {0.999 / 60, "0:00:00"},
        {1, "0:01:00"},        {125.9, "2:05:54"},
        {59.99999, "0:59:59"}, {600 * 60 + 1.5 / 60, "600:00:01"},
        {-3, "0:00:00"},       {std::numeric_limits<double>::quiet_NaN(), "0:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(elapsedClockText(c.minutes), c.text) << c.minutes;
}

} // namespace
} // namespace korvix::test
