#include "measure/measure_fields.h"
#include "measure/measure_session.h"
#include "measure_paths.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace korvix::test {
namespace {

struct SessionFixture : ::testing::Test {
    // Records 0 (start) .. 5; 0, 1 and 3 lie on one line.
    SessionFixture()
        : records(
              buildPath(db, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {2, 0, 0}, {5, 5, 5}, {6, 6, 6}})),
          wire(buildWireframe(store, {{0, 0, 0, false},
                                      {2, 0, 0, true},
                                      {2, 2, 0, true},
                                      {9, 9, 9, false},
                                      {10, 9, 9, true},
                                      {20, 20, 20, false}})) {}

    void pick(int record) { pickRecord(session, *records[static_cast<std::size_t>(record)]); }
    void pickWire(int point) {
        WireframePoint& p = *wire[static_cast<std::size_t>(point)];
        pickWirePoint(session, p, {p.x, p.y, p.z});
    }
    // The record index each slot holds, -1 when it is empty.
    std::vector<int> slotRecords() const {
        std::vector<int> out;
        for (const PickSlot& slot : session.slots) {
            int index = -1;
            for (std::size_t i = 0; i < records.size(); ++i)
                if (slot.valid && slot.record == records[i])
                    index = static_cast<int>(i);
            out.push_back(index);
        }
        return out;
    }
    std::map<std::string, std::string> texts(MeasurePage page) const {
        std::map<std::string, std::string> out;
        for (const MeasureField& f : pageFields(session, page))
            out[std::string(f.objectName)] = f.text;
        return out;
    }

    GraphicsDatabase db;
    WireframeStore store;
    std::vector<MoveRecord*> records;
    std::vector<WireframePoint*> wire;
    MeasureSession session;
};

TEST_F(SessionFixture, PicksFillAndReplaceSlotsByPage) {
    const struct {
        std::vector<std::pair<MeasurePage, int>> picks;
        std::vector<int> slots;
        const char* what;
    } cases[] = {
        {{{MeasurePage::Angle, 1}, {MeasurePage::Angle, 2}, {MeasurePage::Angle, 3}},
         {1, 2, 3},
         "three picks"},
        {{{MeasurePage::Angle, 1},
          {MeasurePage::Angle, 2},
          {MeasurePage::Angle, 3},
          {MeasurePage::Angle, 4}},
         {1, 2, 4},
         "a fourth pick replaces point 3"},
        {{{MeasurePage::Arc, 1},
          {MeasurePage::Arc, 2},
          {MeasurePage::Arc, 3},
          {MeasurePage::Arc, 0}},
         {1, 2, 0},
         "the arc page likewise"},
        {{{MeasurePage::Line, 1}, {MeasurePage::Line, 2}}, {1, 2, -1}, "two on the line page"},
        {{{MeasurePage::Line, 1}, {MeasurePage::Line, 2}, {MeasurePage::Line, 3}},
         {1, 3, -1},
         "a third line pick replaces point 2"},
        {{{MeasurePage::Angle, 1},
          {MeasurePage::Angle, 2},
          {MeasurePage::Angle, 3},
          {MeasurePage::Line, 4}},
         {1, 4, -1},
         "a line pick clears point 3"},
    };
    for (const auto& c : cases) {
        resetSession(session);
        for (const auto& [page, record] : c.picks) {
            setPage(session, page);
            pick(record);
        }
        EXPECT_EQ(slotRecords(), c.slots) << c.what;
    }
}

TEST_F(SessionFixture, AnglePageOfARightAngle) {
    for (int r : {0, 1, 2})
        pick(r);
    const std::map<std::string, std::string> expected = {
        {"Edit1", "0.00000"},    {"Edit4", "1.00000"},    {"Edit8", "1.00000"},
        {"Edit9", "0.00000"},    {"Edit16", "90.00000"},  {"Edit10", "0.00000"},
        {"Edit11", "0.00000"},   {"Edit12", "1.00000"},   {"Edit13", "90.00000"},
        {"Edit14", "90.00000"},  {"Edit15", "0.00000"},   {"Edit17", "90.00000"},
        {"Edit18", "180.00000"}, {"Edit19", "180.00000"},
    };
    const auto shown = texts(MeasurePage::Angle);
    EXPECT_EQ(shown.size(), 19u);
    for (const auto& [name, text] : expected)
        EXPECT_EQ(shown.at(name), text) << name;
}

TEST_F(SessionFixture, AnIncompletePageShowsOnlyItsPoints) {
    pick(4);
    pick(5);
    for (MeasurePage page : {MeasurePage::Angle, MeasurePage::Arc}) {
        int filled = 0;
        for (const MeasureField& f : pageFields(session, page))
            filled += f.text.empty() ? 0 : 1;
        EXPECT_EQ(filled, 6) << static_cast<int>(page);
    }
    // The same two points complete the line page.
    EXPECT_EQ(texts(MeasurePage::Line).at("Edit29"), "1.73205");
    resetSession(session);
    for (const MeasureField& f : pageFields(session, MeasurePage::Line))
        EXPECT_EQ(f.text, "") << f.objectName;
}

TEST_F(SessionFixture, XYPlaneMeasuresAtPointOnesZ) {
    setPage(session, MeasurePage::Line);
    pick(1);     // (1, 0, 0)
    pickWire(4); // (10, 9, 9)
    setWorkPlane(session, WorkPlane::XY);
    auto shown = texts(MeasurePage::Line);
    EXPECT_EQ(shown.at("Edit25"), "0.00000");  // point 2's Z
    EXPECT_EQ(shown.at("Edit28"), "0.00000");  // delta Z
    EXPECT_EQ(shown.at("Edit29"), "12.72792"); // sqrt(81 + 81)
    // Points picked while the plane is chosen are projected as well.
    pick(4); // (5, 5, 5) replaces point 2
    EXPECT_EQ(texts(MeasurePage::Line).at("Edit25"), "0.00000");
    // Back in space the picks have their own coordinates again.
    pickWire(4);
    setWorkPlane(session, WorkPlane::Space3D);
    shown = texts(MeasurePage::Line);
    EXPECT_EQ(shown.at("Edit25"), "9.00000");
    EXPECT_EQ(shown.at("Edit29"), "15.58846"); // sqrt(81 + 81 + 81)

    // The other planes take point 1's Y or X.
    setWorkPlane(session, WorkPlane::XZ);
    EXPECT_EQ(texts(MeasurePage::Line).at("Edit24"), "0.00000");
    setWorkPlane(session, WorkPlane::YZ);
    EXPECT_EQ(texts(MeasurePage::Line).at("Edit23"), "1.00000");
}

TEST_F(SessionFixture, TwoIdenticalPointsHaveNoDirection) {
    setPage(session, MeasurePage::Line);
    pick(2);
    pick(2);
    const auto shown = texts(MeasurePage::Line);
    EXPECT_EQ(shown.at("Edit29"), "0.00000");
    for (const char* name : {"Edit30", "Edit31", "Edit32", "Edit36", "Edit37", "Edit38"})
        EXPECT_EQ(shown.at(name), "Error") << name;
    for (const char* name : {"Edit26", "Edit33", "Edit34", "Edit35"})
        EXPECT_EQ(shown.at(name), "0.00000") << name;
    EXPECT_EQ(shown.at("Edit39"), "1.00000");
    EXPECT_EQ(shown.at("Edit40"), "1.00000");
}

TEST_F(SessionFixture, CollinearPointsGiveErrorInEveryArcField) {
    const char* arcResults[] = {"Edit53", "Edit54", "Edit55", "Edit51",
                                "Edit52", "Edit56", "Edit57", "Edit58"};
    const int orders[][3] = {{0, 1, 3}, {0, 3, 1}, {1, 0, 3}, {2, 2, 2}, {1, 2, 1}};
    setPage(session, MeasurePage::Arc);
    for (const auto& order : orders) {
        resetSession(session);
        for (int r : order)
            pick(r);
        const auto shown = texts(MeasurePage::Arc);
        for (const char* name : arcResults)
            EXPECT_EQ(shown.at(name), "Error") << name << " " << order[0] << order[1] << order[2];
    }
}

TEST_F(SessionFixture, PrevAndNextStepTheLastPickAlongThePath) {
    EXPECT_EQ(lastFilledSlot(session), -1);
    EXPECT_FALSE(stepNext(session));
    EXPECT_FALSE(stepButtons(session).previous || stepButtons(session).next);

    pick(1);
    pick(4);
    EXPECT_TRUE(stepNext(session));
    EXPECT_EQ(slotRecords(), (std::vector<int>{1, 5, -1}));
    EXPECT_FALSE(stepButtons(session).next); // the end of the path
    EXPECT_FALSE(stepNext(session));
    EXPECT_TRUE(stepPrevious(session));
    EXPECT_TRUE(stepPrevious(session));
    EXPECT_EQ(slotRecords(), (std::vector<int>{1, 3, -1}));
    EXPECT_EQ(texts(MeasurePage::Angle).at("Edit4"), "2.00000");

    // Stepping reaches the start point, which has no predecessor.
    resetSession(session);
    pick(1);
    EXPECT_TRUE(stepPrevious(session));
    EXPECT_EQ(slotRecords(), (std::vector<int>{0, -1, -1}));
    const StepButtons atStart = stepButtons(session);
    EXPECT_FALSE(atStart.previous);
    EXPECT_TRUE(atStart.next);
    EXPECT_FALSE(atStart.mid); // NC picks have no segment to halve
    EXPECT_FALSE(stepMid(session));

    // The line page steps its own last point, not a point 3 left from another page.
    resetSession(session);
    for (int r : {0, 1, 2})
        pick(r);
    setPage(session, MeasurePage::Line);
    EXPECT_EQ(lastFilledSlot(session), 1);
    EXPECT_TRUE(stepNext(session));
    EXPECT_EQ(slotRecords(), (std::vector<int>{0, 2, 2}));
}

TEST_F(SessionFixture, WireframePicksStepAndHalveTheirSegments) {
    const struct {
        int point;
        bool mid;
        Point3 midPoint;
        const char* what;
    } cases[] = {
        {2, true, {2, 1, 0}, "pen down: from the predecessor"},
        {0, true, {1, 0, 0}, "first point: to the pen-down successor"},
        {3, true, {9.5, 9, 9}, "pen up: to the successor"},
        {4, true, {9.5, 9, 9}, "pen down after a pen up"},
        {5, false, {20, 20, 20}, "a lone point at the end"},
    };
    for (const auto& c : cases) {
        resetSession(session);
        pickWire(c.point);
        EXPECT_EQ(stepButtons(session).mid, c.mid) << c.what;
        EXPECT_EQ(stepMid(session), c.mid) << c.what;
        const Point3 p = session.slots[0].effective;
        EXPECT_EQ(p.x, c.midPoint.x) << c.what;
        EXPECT_EQ(p.y, c.midPoint.y) << c.what;
        EXPECT_EQ(p.z, c.midPoint.z) << c.what;
    }

    // Next takes the following point's own coordinates, after a Mid as well.
    resetSession(session);
    pickWire(1);
    ASSERT_TRUE(stepMid(session));
    ASSERT_TRUE(stepNext(session));
    EXPECT_EQ(session.slots[0].wirePoint, wire[2]);
    EXPECT_EQ(session.slots[0].effective.y, 2);
    resetSession(session);
    pickWire(0);
    EXPECT_FALSE(stepButtons(session).previous);
    EXPECT_FALSE(stepPrevious(session));
}

TEST_F(SessionFixture, CopyTextHasOneLinePerShownField) {
    setPage(session, MeasurePage::Line);
    pick(2);
    pick(2);
    const std::string text = copyText(pageFields(session, MeasurePage::Line));
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0], "Point 1 X = 1.00000");
    EXPECT_EQ(lines[9], "3D-Distance = 0.00000");
    EXPECT_EQ(lines[10], "Resulting Vector I = Error");
    EXPECT_EQ(lines[13], "2D-Distances XY = 0.00000");
    EXPECT_EQ(lines[16], "Resulting Angles XY = Error");
    EXPECT_EQ(lines[21], "Mid Point Z = 0.00000");
    EXPECT_EQ(text.back(), '\n');

    // Fields that show nothing are left out; a page that shows nothing copies nothing.
    resetSession(session);
    pick(5);
    EXPECT_EQ(copyText(pageFields(session, MeasurePage::Angle)),
              "Point 1 X = 6.00000\nPoint 1 Y = 6.00000\nPoint 1 Z = 6.00000\n");
    resetSession(session);
    EXPECT_EQ(copyText(pageFields(session, MeasurePage::Arc)), "");
}

} // namespace
} // namespace korvix::test
