// Files that are not what their names say: devices and FIFOs, oversized or empty machine
// formats, points that are not numbers.

#include "app/workspace_access.h"
#include "input/machine_format_loader.h"
#include "input/wireframe_reader.h"
#include "model/path_builder.h"
#include "model/workspace.h"
#include "output/nc_writer.h"
#include "output/nc_writer_fixture.h"
#include "output/tbf_file.h"
#include "test_folder.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

namespace korvix::test {
namespace {

namespace fs = std::filesystem;

std::string wireRecord(unsigned char pen, float x, float y, float z) {
    std::string record(41, '\0');
    record[0] = static_cast<char>(pen);
    record[2] = 1;
    std::memcpy(&record[5], &x, 4);
    std::memcpy(&record[9], &y, 4);
    std::memcpy(&record[13], &z, 4);
    return record;
}

TEST(HostileFiles, ReadersRefuseDevicesAndFifosAtOnce) {
    TestFolder folder("korvix_hostile_files");
    ASSERT_EQ(::mkfifo(folder.path("FIFO.DNC").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder.path("ZERO.DNC"));
    for (const char* name : {"FIFO.DNC", "ZERO.DNC"}) {
        SCOPED_TRACE(name);
        const std::string path = folder.path(name);

        GraphicsDatabase database;
        const TbfReadResult tbf = readTbfFile(database, path, kWhite);
        EXPECT_FALSE(tbf.ok);
        EXPECT_TRUE(contains(tbf.message, "not a regular file")) << tbf.message;
        EXPECT_FALSE(database.databaseAllocated());

        Workspace ws;
        ws.wireframe.points.createFirst(); // a wire-frame read before stays
        WireframeReadInfo info;
        EXPECT_EQ(readWireframeFile(wireframeReadTarget(ws), path, kBlack, &info), 0);
        EXPECT_TRUE(contains(info.message, "not a regular file")) << info.message;
        EXPECT_TRUE(ws.wireframe.wireframeAllocated());

        MachineFormat format;
        const MachineFormatLoad load = loadMachineFormat(format, folder.dir(), name);
        EXPECT_FALSE(load.loaded);
        ASSERT_EQ(load.messages.size(), 1u);
        EXPECT_TRUE(contains(load.messages[0].text, "not a regular file")) << load.messages[0].text;
    }
}

TEST(HostileFiles, MachineFormatsMustBeSmallAndDescribeSomething) {
    TestFolder folder("korvix_hostile_formats");
    std::ofstream(folder.path("HUGE.DNC")) << FormatSpec{}.text() << std::string(1 << 20, ' ');
    std::ofstream(folder.path("EMPTY.DNC")) << "";
    std::ofstream(folder.path("LETTER.DNC")) << "Dear machinist,\nplease cut this part.\n";
    const struct {
        const char* name;
        const char* message;
    } cases[] = {
        {"HUGE.DNC", "could not be read (larger than 1 MB)"},
        {"EMPTY.DNC", "EMPTY.DNC\" is not a valid machine format file..."},
        {"LETTER.DNC", "LETTER.DNC\" is not a valid machine format file..."},
    };
    for (const auto& c : cases) {
        MachineFormat format;
        const MachineFormatLoad load = loadMachineFormat(format, folder.dir(), c.name);
        EXPECT_FALSE(load.loaded) << c.name;
        ASSERT_FALSE(load.messages.empty()) << c.name;
        EXPECT_TRUE(contains(load.messages.back().text, c.message)) << load.messages.back().text;
    }
}

TEST_F(NcWriterTest, AFormatThatWritesNoMoveFailsAndLeavesTheFileAlone) {
    FormatSpec format;
    format.registers = "O #### O 1 Y\n";
    format.startLines = "%\n<O>\n";
    std::ofstream(m_folder / "ONLY_O.DNC") << format.text();
    PathBuilder(ws.database, 0, 0, 5).feed(100).line(10, 0, 5).line(10, 5, 5);
    const fs::path target = m_folder / "program.nc";
    std::ofstream(target) << "the program before\n";

    NcWriteOptions options;
    options.controlName = "ONLY_O.DNC";
    options.machinesFolder = m_folder;
    const NcWriteResult result = writeNcFile(ncWriteSource(ws), target.string(), options);
    EXPECT_EQ(result.outcome, NcWriteOutcome::NoMoveWritten);
    ASSERT_FALSE(result.messages.empty());
    EXPECT_EQ(result.messages.back().text,
              "The machine format \"ONLY_O.DNC\" wrote no move of the toolpath...");
    EXPECT_EQ(readFile(target), "the program before\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 2);
}

TEST(HostileFiles, WireframePointsThatAreNotNumbersAreLeftOut) {
    TestFolder folder("korvix_hostile_wire");
    const std::string path = folder.path("part.WIR");
    std::ofstream(path, std::ios::binary)
        << wireRecord(0, 0, 0, 0) << wireRecord(1, NAN, 0, 0) << wireRecord(1, 5, 5, 5)
        << wireRecord(1, 1, INFINITY, 0) << wireRecord(1, 6, 6, 6);
    Workspace ws;
    WireframeReadInfo info;
    EXPECT_EQ(readWireframeFile(wireframeReadTarget(ws), path, kBlack, &info), 3);
    EXPECT_EQ(info.skippedPoints, 2);
    EXPECT_TRUE(info.message.empty());
    EXPECT_EQ(ws.wireframe.extents.maxX, 6.0f);
    // The line breaks where a point was left out rather than jump across the gap.
    const WireframePoint* second = ws.wireframe.first()->next;
    EXPECT_EQ(second->penDown, 0);
    EXPECT_EQ(second->next->penDown, 0);
    EXPECT_EQ(skippedPointsText(2, "part.WIR"),
              "2 points of \"part.WIR\" had coordinates that are not numbers and were left out...");

    // Nothing but such points: no wire-frame at all.
    std::ofstream(path, std::ios::binary) << wireRecord(0, NAN, NAN, NAN);
    EXPECT_EQ(readWireframeFile(wireframeReadTarget(ws), path, kBlack, &info), 0);
    EXPECT_FALSE(ws.wireframe.wireframeAllocated());
    EXPECT_EQ(info.skippedPoints, 1);
}

} // namespace
} // namespace korvix::test
