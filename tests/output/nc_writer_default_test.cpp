// The built-in Default dialect, whole programs compared with hand-written ones, round trips
// through the NC reader and the file handling of the writer.

#include "app/home_folder.h"
#include "app/workspace_access.h"
#include "input/nc_reader.h"
#include "output/nc_arc_geometry.h"
#include "output/nc_writer_fixture.h"

#include <cmath>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

TEST_F(NcWriterTest, DefaultProgramStarts) {
    struct Case {
        int tool;
        double programNumber;
        Lines expected;
    };
    const Case cases[] = {
        {0, 1, {"O1", "N1G00Z5.0000", "N2G00X1.0000Y-2.0000", "N3G01X3.0000Y-2.0000Z5.0000F80.0"}},
        {1, 0, {"N1X1.0000Y-2.0000Z5.0000S1200T1H3", "N2G01X3.0000Y-2.0000Z5.0000F80.0"}},
        {9, 12.5, {"O12.5", "N1X1.0000Y-2.0000Z5.0000", "N2G01X3.0000Y-2.0000Z5.0000F80.0"}},
    };
    addTool(1, 3, 1200);
    for (const Case& c : cases) {
        ws.database.records.freeAll();
        PathBuilder(ws.database, 1, -2, 5).tool(c.tool).feed(80).line(3, -2, 5);
        EXPECT_EQ(writeWithControl("Default", c.programNumber, "(NEVER WRITTEN)"), c.expected)
            << "tool " << c.tool;
    }
}

TEST_F(NcWriterTest, DefaultArcsStopsAndToolChanges) {
    addTool(2, 4, 3000);
    PathBuilder path(ws.database, 0, 0, 5);
    path.feed(100).line(5, 0, 5);
    path.arc(kPlaneXY, 0, 0, 5, 10, 0, 90, 2, 4); // away from (5, 0): connecting move first
    path.last().prev->optionalStop = 1;           // a stop on a middle piece
    path.tool(2).arc(kPlaneXY, 0, 0, 2, 10, 90, 180, 2);
    EXPECT_EQ(
        writeWithControl("Default"),
        (Lines{"O1", "N1G00Z5.0000", "N2G00X0.0000Y0.0000", "N3G01X5.0000Y0.0000Z5.0000F100.0",
               "N4G01X10.0000Y0.0000Z5.0000F100.0", // shares its number with the arc
               "N4G17G03X0.0000Y10.0000Z2.0000I0.0000J0.0000F100.0", "N5M01", "N6S3000T2H4",
               "N7G17G03X-10.0000Y0.0000Z2.0000I0.0000J0.0000F100.0"}));
}

TEST_F(NcWriterTest, DefaultBlockNumbersWrapAfter32767) {
    PathBuilder path(ws.database, 0, 0, 0);
    for (int i = 1; i <= 32768; ++i)
        path.rapid(i % 2, 0, 0);
    const Lines lines = writeWithControl("Default");
    ASSERT_EQ(lines.size(), 32768u + 3u);
    EXPECT_EQ(lines[32767], "N32767G00X1.0000Y0.0000Z0.0000");
    EXPECT_EQ(lines[32768], "N1G00X0.0000Y0.0000Z0.0000");
}

TEST_F(NcWriterTest, DefaultWholeProgramMatchesTheHandWrittenOne) {
    ASSERT_GT(readNcFile(ncReadTarget(ws), KORVIX_TEST_DATA_DIR "/writer_small.nc", {}, {}), 0);
    const Lines expected = splitLines(readFile(KORVIX_TEST_DATA_DIR "/writer_small.default.nc"));
    const Lines written = writeWithControl("Default");
    ASSERT_EQ(written.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(written[i], expected[i]) << "line " << i + 1;
}

// The geometry of a path as a machine would cut it: runs of rapids as their end point,
// straight feeds, and arcs by end point and centre with arcs split at quadrants joined
// again. Block numbers, feeds and the number of arc pieces do not matter.
struct Step {
    char kind; // 'R' rapid run, 'L' straight feed, 'A' arc
    double x, y, z;
    double cx = 0, cy = 0, cz = 0, radius = 0;
    std::uint8_t motion = 0;
};

std::vector<Step> cutSteps(const GraphicsDatabase& db) {
    std::vector<Step> steps;
    for (const MoveRecord* r = db.first()->next; r != nullptr; r = r->next) {
        if (isArcPiece(*r)) {
            const MoveRecord* first = r;
            while (r->next != nullptr && isArcPiece(*r->next) &&
                   r->next->sequence == first->sequence)
                r = r->next;
            const Step arc{'A',
                           r->x,
                           r->y,
                           r->z,
                           first->centerX,
                           first->centerY,
                           first->centerZ,
                           std::fabs(first->radius),
                           first->motion};
            Step* previous = steps.empty() ? nullptr : &steps.back();
            if (previous != nullptr && previous->kind == 'A' && previous->motion == arc.motion &&
                std::fabs(previous->cx - arc.cx) < 2e-3 &&
                std::fabs(previous->cy - arc.cy) < 2e-3 &&
                std::fabs(previous->cz - arc.cz) < 2e-3 &&
                std::fabs(previous->radius - arc.radius) < 2e-3)
                *previous = arc;
            else
                steps.push_back(arc);
        } else if (r->kind == kKindStartPoint || r->motion == kMotionRapid) {
            if (steps.empty() || steps.back().kind != 'R')
                steps.push_back({'R', 0, 0, 0});
            steps.back().x = r->x, steps.back().y = r->y, steps.back().z = r->z;
        } else {
            steps.push_back({'L', r->x, r->y, r->z});
        }
    }
    return steps;
}

void expectSamePath(const std::vector<Step>& a, const std::vector<Step>& b,
                    const std::string& what) {
    ASSERT_EQ(a.size(), b.size()) << what;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double gap = std::fabs(a[i].x - b[i].x) + std::fabs(a[i].y - b[i].y) +
                           std::fabs(a[i].z - b[i].z) + std::fabs(a[i].cx - b[i].cx) +
                           std::fabs(a[i].cy - b[i].cy) + std::fabs(a[i].cz - b[i].cz);
        ASSERT_TRUE(a[i].kind == b[i].kind && a[i].motion == b[i].motion && gap < 4e-3)
            << what << ": step " << i << " " << a[i].kind << " (" << a[i].x << ", " << a[i].y
            << ", " << a[i].z << ") became " << b[i].kind << " (" << b[i].x << ", " << b[i].y
            << ", " << b[i].z << ")";
    }
}

struct Example {
    const char* file;
    bool absoluteCenters;
};
const Example kExamples[] = {{"pocket_absolute.nc", true},
                             {"pocket_incremental.nc", false},
                             {"multi_tool.nc", true},
                             {"surface_3d.nc", true},
                             {"plane_arcs.nc", true}};

TEST_F(NcWriterTest, DefaultRoundTripKeepsEveryRecord) {
    for (const Example& example : kExamples) {
        Workspace original;
        const std::string input = std::string(KORVIX_EXAMPLES_DIR "/") + example.file;
        ASSERT_GT(readNcFile(ncReadTarget(original), input, {example.absoluteCenters, kWhite}, {}),
                  0);
        const fs::path output = m_folder / example.file;
        ASSERT_TRUE(writeNcFile(ncWriteSource(original), output.string(), {}).ok()) << example.file;
        Workspace copy;
        ASSERT_GT(readNcFile(ncReadTarget(copy), output.string(), {}, {}), 0);

        const MoveRecord* a = original.database.first();
        const MoveRecord* b = copy.database.first();
        for (int i = 0; a != nullptr && b != nullptr; ++i, a = a->next, b = b->next) {
            const float gap = std::fabs(a->x - b->x) + std::fabs(a->y - b->y) +
                              std::fabs(a->z - b->z) + std::fabs(a->centerX - b->centerX) +
                              std::fabs(a->centerY - b->centerY) +
                              std::fabs(a->centerZ - b->centerZ) + std::fabs(a->radius - b->radius);
            ASSERT_TRUE(a->kind == b->kind && a->motion == b->motion && a->tool == b->tool &&
                        a->plane == b->plane && a->optionalStop == b->optionalStop &&
                        std::fabs(a->feed - b->feed) < 0.05f && gap < 5e-4f)
                << example.file << ": record " << i;
        }
        EXPECT_TRUE(a == nullptr && b == nullptr) << example.file << ": record counts differ";
    }
}

bool hasArcsOver180(const GraphicsDatabase& db) {
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next)
        if (isArcPiece(*r) && arcSweep(r->startAngle, r->endAngle, r->radius) > 180.0)
            return true;
    return false;
}

TEST_F(NcWriterTest, BundledFormatsReadBackAsTheSamePath) {
    ASSERT_TRUE(installBundledMachineFormats(m_folder).ok);
    const std::vector<std::string> formats = listMachineFormats(m_folder);
    ASSERT_GE(formats.size(), 4u);
    for (const std::string& format : formats) {
        MachineFormat probe;
        ASSERT_TRUE(loadMachineFormat(probe, m_folder, format).loaded);
        const bool absoluteOutput =
            probe.radiusType != 1 && probe.radiusType != 3 && probe.radiusType != 4;
        for (const Example& example : kExamples) {
            Workspace original;
            const std::string input = std::string(KORVIX_EXAMPLES_DIR "/") + example.file;
            ASSERT_GT(
                readNcFile(ncReadTarget(original), input, {example.absoluteCenters, kWhite}, {}),
                0);
            // From an incremental centre or a radius word the reader always builds the
            // shorter arc, so longer arcs only come back through absolute centres.
            if (!absoluteOutput && hasArcsOver180(original.database))
                continue;
            NcWriteOptions options;
            options.controlName = format;
            options.machinesFolder = m_folder;
            const fs::path output = m_folder / (format + "." + example.file);
            const NcWriteResult result =
                writeNcFile(ncWriteSource(original), output.string(), options);
            ASSERT_TRUE(result.ok()) << format;
            EXPECT_TRUE(result.messages.empty()) << format << ": " << result.messages[0].text;
            Workspace copy;
            ASSERT_GT(readNcFile(ncReadTarget(copy), output.string(), {absoluteOutput, kWhite}, {}),
                      0);
            expectSamePath(cutSteps(original.database), cutSteps(copy.database),
                           format + " with " + example.file);
        }
    }
}

TEST_F(NcWriterTest, FilesAreReplacedWholeOrNotAtAll) {
    const fs::path target = m_folder / "OUT.NC";
    std::ofstream(target) << "old program\n";
    NcWriteOptions options;
    options.machinesFolder = m_folder;
    const auto folderEntries = [&] {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };

    // No data: nothing written, nothing touched.
    EXPECT_EQ(writeNcFile(ncWriteSource(ws), target.string(), options).outcome,
              NcWriteOutcome::NoData);
    PathBuilder(ws.database, 0, 0, 0).rapid(1, 2, 3);
    EXPECT_EQ(writeNcFile(ncWriteSource(ws), (m_folder / "NEW.NC").string(), {}).outcome,
              NcWriteOutcome::Written);
    fs::remove(m_folder / "NEW.NC");

    // A missing or broken machine format leaves no file behind.
    options.controlName = "MISSING.DNC";
    NcWriteResult result = writeNcFile(ncWriteSource(ws), target.string(), options);
    EXPECT_EQ(result.outcome, NcWriteOutcome::FormatNotLoaded);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].text, "Machine format file \"" + (m_folder / "").string() +
                                           "MISSING.DNC\" does not exist...");
    std::ofstream(m_folder / "BROKEN.DNC") << "* r\nX ## X ? Y\nEND\n";
    options.controlName = "BROKEN.DNC";
    result = writeNcFile(ncWriteSource(ws), (m_folder / "OTHER.NC").string(), options);
    EXPECT_EQ(result.outcome, NcWriteOutcome::FormatNotLoaded);
    EXPECT_EQ(result.messages.at(0).text, "'?' is not a valid floating point value");
    EXPECT_EQ(folderEntries(), (Lines{"BROKEN.DNC", "OUT.NC"}));
    EXPECT_EQ(readFile(target), "old program\n");

    // A folder that does not exist: the system's reason, no file.
    options.controlName = "Default";
    result = writeNcFile(ncWriteSource(ws), (m_folder / "no" / "such.nc").string(), options);
    EXPECT_EQ(result.outcome, NcWriteOutcome::IoError);
    EXPECT_NE(result.message.find("No such file or directory"), std::string::npos)
        << result.message;

    // Success replaces the old file and leaves no temporary file.
    result = writeNcFile(ncWriteSource(ws), target.string(), options);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.linesWritten, 4u);
    EXPECT_EQ(readFile(target),
              "O1\nN1G00Z0.0000\nN2G00X0.0000Y0.0000\nN3G00X1.0000Y2.0000Z3.0000\n");
    EXPECT_EQ(folderEntries(), (Lines{"BROKEN.DNC", "OUT.NC"}));
}

} // namespace
} // namespace korvix::test
