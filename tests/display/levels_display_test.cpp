#include "model/workspace.h"
#include "display/levels_database.h"
#include "display/levels_display.h"
#include "display/levels_list.h"
#include "input/nc_reader.h"
#include "output/nc_writer.h"
#include "test_folder.h"
#include "app/workspace_access.h"

#include <algorithm>
#include <deque>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

namespace korvix::test {
namespace {

const std::string kRoughing = KORVIX_TEST_DATA_DIR "/levels_roughing.nc";

// What one display showed: the dialog's texts and the database in place when it was drawn.
struct Display {
    LevelsDisplayTexts texts;
    std::vector<MoveRecord> records;
    Extents extents;
    double cuttingTime = 0;
    bool fitted = false;
    bool erased = false;
};

// The dialog and window, answered from a script of button presses. Each press may first set
// "Number of levels displayed".
class ScriptedHost : public LevelsDisplayHost {
public:
    struct Press {
        int button;
        std::string levelsDisplayed = "";
    };

    ScriptedHost(Workspace& ws, std::deque<Press> presses) : m_ws(ws), m_presses(presses) {}

    void setHourglass(bool) override {}
    void open(const LevelsOpeningTexts& texts) override {
        opening = texts;
        m_levelsDisplayed = texts.levelsDisplayed;
        calls.push_back("open");
    }
    void show(const LevelsDisplayTexts& texts) override {
        displays.push_back({texts, {}, {}, 0, false, false});
    }
    bool clearScreenChecked() const override { return clearScreen; }
    bool fitToGeometryChecked() const override { return fitToGeometry; }
    void eraseWindow() override { displays.back().erased = true; }
    void fitView() override { displays.back().fitted = true; }
    void redraw() override {
        Display& shown = displays.back();
        for (const MoveRecord* r = m_ws.database.first(); r != nullptr; r = r->next)
            shown.records.push_back(*r);
        shown.extents = m_ws.database.status.extents;
        shown.cuttingTime = m_ws.database.status.cuttingTime;
    }
    int waitForButton() override {
        if (m_presses.empty())
            return levels_state::kCancel;
        const Press press = m_presses.front();
        m_presses.pop_front();
        if (!press.levelsDisplayed.empty())
            m_levelsDisplayed = press.levelsDisplayed;
        return press.button;
    }
    std::string levelsDisplayedText() const override { return m_levelsDisplayed; }
    void write() override {
        StringLineSink sink;
        EXPECT_TRUE(writeNcProgram(ncWriteSource(m_ws), NcWriteOptions{}, sink).ok());
        written.push_back(sink.text);
    }
    void close() override { calls.push_back("close"); }

    bool clearScreen = true;
    bool fitToGeometry = true;
    LevelsOpeningTexts opening;
    std::vector<Display> displays;
    std::vector<std::string> written;
    std::vector<std::string> calls;

private:
    Workspace& m_ws;
    std::deque<Press> m_presses;
    std::string m_levelsDisplayed;
};

// The Top level, Bottom level and Up/Dn states of each display, as "-2.00000..-4.00000 UD".
std::vector<std::string> shownLevels(const ScriptedHost& host) {
    std::vector<std::string> shown;
    for (const Display& d : host.displays)
        shown.push_back(d.texts.topLevel + ".." + d.texts.bottomLevel + " " +
                        (d.texts.upEnabled ? "U" : "-") + (d.texts.downEnabled ? "D" : "-"));
    return shown;
}

// Every field and link of every record, and the status block.
struct Snapshot {
    std::vector<const MoveRecord*> addresses;
    std::vector<MoveRecord> records;
    DatabaseStatus status;
};
Snapshot snapshotOf(const GraphicsDatabase& database) {
    Snapshot s;
    for (const MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        s.addresses.push_back(r);
        s.records.push_back(*r);
    }
    s.status = database.status;
    return s;
}
auto fieldsOf(const MoveRecord& r) {
    return std::tie(r.kind, r.plane, r.visible, r.selected, r.optionalStop, r.color, r.sequence,
                    r.blockNumber, r.motion, r.tool, r.feed, r.x, r.y, r.z, r.centerX, r.centerY,
                    r.centerZ, r.radius, r.startAngle, r.endAngle, r.screenX, r.screenY, r.prev,
                    r.next);
}
auto fieldsOf(const DatabaseStatus& s) {
    return std::tie(s.extents.minX, s.extents.maxX, s.extents.minY, s.extents.maxY, s.extents.minZ,
                    s.extents.maxZ, s.minFeed, s.maxFeed, s.cuttingTime, s.ncLoaded);
}
void expectSame(const Snapshot& before, const Snapshot& after) {
    EXPECT_EQ(before.addresses, after.addresses);
    ASSERT_EQ(before.records.size(), after.records.size());
    for (std::size_t i = 0; i < before.records.size(); ++i)
        EXPECT_TRUE(fieldsOf(before.records[i]) == fieldsOf(after.records[i])) << i;
    EXPECT_TRUE(fieldsOf(before.status) == fieldsOf(after.status));
}

struct LevelsDisplayFixture : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(readNcProgram(ncReadTarget(ws), kRoughing, NcReadOptions{}, {}).ok()); }
    LevelsOutcome run(ScriptedHost& host) { return runLevelsDisplay(ws.database, reporter, host); }

    Workspace ws;
    RecordingReporter reporter;
};

TEST_F(LevelsDisplayFixture, StepsDownAndUpOneLevelAtATime) {
    using levels_state::kDown, levels_state::kUp;
    ScriptedHost host(ws, {{kDown}, {kDown}, {kDown}, {kUp}});
    EXPECT_EQ(run(host), LevelsOutcome::Finished);
    EXPECT_EQ(host.opening.upperLevel, "10.00020");
    EXPECT_EQ(host.opening.lowerLevel, "-6.00020");
    // The first display names its level too; a step past the last level stays there.
    EXPECT_EQ(shownLevels(host),
              (std::vector<std::string>{"-2.00000..-2.00000 -D", "-4.00000..-4.00000 UD",
                                        "-6.00000..-6.00000 U-", "-6.00000..-6.00000 U-",
                                        "-4.00000..-4.00000 UD"}));
    // Each display holds the move before its level as the start point, then the level.
    const std::vector<MoveRecord>& second = host.displays[1].records;
    EXPECT_EQ(second.front().kind, kKindStartPoint);
    EXPECT_EQ(second.front().blockNumber, 120);
    EXPECT_EQ(second[1].blockNumber, 130);
    EXPECT_EQ(second.back().blockNumber, 200);
    EXPECT_EQ(host.displays[1].texts.cuttingTime, "0 hours, 5 minutes");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"open", "close"}));
}

TEST_F(LevelsDisplayFixture, ShowsTheCurrentLevelWithTheLevelsCutBeforeIt) {
    using levels_state::kDown, levels_state::kUp;
    const std::size_t wholePath = snapshotOf(ws.database).records.size();
    ScriptedHost host(ws, {{kDown, "3"}, {kDown}, {kUp, "2"}, {kDown, "0"}});
    run(host);
    EXPECT_EQ(shownLevels(host),
              (std::vector<std::string>{"-2.00000..-2.00000 -D", "-2.00000..-4.00000 UD",
                                        "-2.00000..-6.00000 U-", "-2.00000..-4.00000 UD",
                                        "-6.00000..-6.00000 U-"}));
    // Three levels from the program's own start point: the whole path.
    EXPECT_EQ(host.displays[2].records.size(), wholePath);
    EXPECT_EQ(host.displays[2].texts.cuttingTime, "0 hours, 34 minutes");
}

TEST_F(LevelsDisplayFixture, ACountThatIsNoIntegerIsReportedAndTheStepNotTaken) {
    ScriptedHost host(ws, {{levels_state::kDown, "2.5"}, {levels_state::kDown, "1"}});
    run(host);
    EXPECT_EQ(reporter.messages,
              (std::vector<std::string>{"error: '2.5' is not a valid integer value"}));
    EXPECT_EQ(shownLevels(host),
              (std::vector<std::string>{"-2.00000..-2.00000 -D", "-2.00000..-2.00000 -D",
                                        "-4.00000..-4.00000 UD"}));
}

TEST_F(LevelsDisplayFixture, FitsToTheBottomLevelOrKeepsTheProgramExtents) {
    const Extents program = ws.database.status.extents;
    ZLevelList levels;
    ASSERT_EQ(buildLevelList(ws.database, levels), LevelListResult::Built);
    const Extents secondBox = levelExtents(*levels.head()->next);

    ScriptedHost fitting(ws, {{levels_state::kDown, "2"}});
    run(fitting);
    ASSERT_EQ(fitting.displays.size(), 2u);
    EXPECT_TRUE(fitting.displays[1].fitted && fitting.displays[1].erased);
    EXPECT_EQ(std::tie(fitting.displays[1].extents.minZ, fitting.displays[1].extents.maxZ,
                       fitting.displays[1].extents.minY),
              std::tie(secondBox.minZ, secondBox.maxZ, secondBox.minY));

    ScriptedHost plain(ws, {{levels_state::kDown}});
    plain.fitToGeometry = false;
    plain.clearScreen = false;
    run(plain);
    EXPECT_FALSE(plain.displays[1].fitted || plain.displays[1].erased);
    EXPECT_EQ(std::tie(plain.displays[1].extents.minZ, plain.displays[1].extents.maxY),
              std::tie(program.minZ, program.maxY));
}

TEST_F(LevelsDisplayFixture, CancelPutsTheProgramBackExactly) {
    const Snapshot before = snapshotOf(ws.database);
    ScriptedHost host(ws, {{levels_state::kDown, "2"},
                           {levels_state::kWrite},
                           {levels_state::kDown},
                           {levels_state::kUp}});
    EXPECT_EQ(run(host), LevelsOutcome::Finished);
    expectSame(before, snapshotOf(ws.database));
    // The displays never showed the program's own records.
    for (const Display& d : host.displays)
        for (const MoveRecord& r : d.records)
            EXPECT_EQ(std::find(before.addresses.begin(), before.addresses.end(), r.next),
                      before.addresses.end());
}

TEST_F(LevelsDisplayFixture, WriteSavesOnlyTheDisplayedLevels) {
    ScriptedHost host(ws,
                      {{levels_state::kDown, "2"}, {levels_state::kDown}, {levels_state::kWrite}});
    run(host);
    ASSERT_EQ(host.written.size(), 1u);

    TestFolder folder("korvix-levels-write");
    const std::string file = folder.path("written.nc");
    std::ofstream(file, std::ios::binary) << host.written.front();
    Workspace back;
    ASSERT_TRUE(readNcProgram(ncReadTarget(back), file, NcReadOptions{}, {}).ok());
    // Levels 2 and 3 from the retract before level 2: nothing of level 1 at Z -2.
    const MoveRecord& start = *back.database.first();
    EXPECT_EQ(std::tie(start.x, start.y, start.z), std::make_tuple(0.0f, 0.0f, 2.0f));
    std::set<float> depths;
    for (const MoveRecord* r = start.next; r != nullptr; r = r->next)
        depths.insert(r->z);
    EXPECT_EQ(depths, (std::set<float>{-6, -4, 2, 10}));
    const Display& shown = host.displays.back();
    EXPECT_EQ(back.database.records.lastAndCount().second, shown.records.size());
    EXPECT_NEAR(back.database.status.cuttingTime, shown.cuttingTime, 1e-3);
}

TEST(LevelsDisplay, NothingWithoutDataAndOneLevelKeepsUpAndDnDisabled) {
    Workspace ws;
    TestFolder folder("korvix-levels-one");
    const std::string file = folder.path("face.nc");
    std::ofstream(file, std::ios::binary) << "G0X0.Y0.Z5.\nG1Z-1.F100.\nX50.\nY10.\nX0.\nG0Z5.\n";
    ASSERT_TRUE(readNcProgram(ncReadTarget(ws), file, NcReadOptions{}, {}).ok());
    RecordingReporter reporter;
    ScriptedHost host(ws, {{levels_state::kUp}, {levels_state::kDown}});
    Workspace empty;
    EXPECT_EQ(runLevelsDisplay(empty.database, reporter, host), LevelsOutcome::NoData);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(runLevelsDisplay(ws.database, reporter, host), LevelsOutcome::Finished);
    EXPECT_EQ(shownLevels(host), (std::vector<std::string>(3, "-1.00000..-1.00000 --")));
}

} // namespace
} // namespace korvix::test
