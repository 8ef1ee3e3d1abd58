// Every writer refuses a path holding an infinite or NaN value and leaves its target as it was.

#include "app/workspace_access.h"
#include "input/nc_reader.h"
#include "model/workspace.h"
#include "output/apt_writer.h"
#include "output/nc_writer.h"
#include "output/tbf_file.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <unistd.h>

namespace korvix {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(NonFiniteWriters, NothingIsSavedAndTheOldFileStays) {
    const fs::path folder =
        fs::temp_directory_path() / ("korvix-non-finite-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const float bad[] = {std::numeric_limits<float>::infinity(),
                         std::numeric_limits<float>::quiet_NaN()};
    for (const float value : bad) {
        Workspace ws;
        ASSERT_GT(readNcFile(ncReadTarget(ws), KORVIX_TEST_DATA_DIR "/writer_small.nc", {}, {}), 2);
        MoveRecord* second = ws.database.first()->next->next;
        second->y = value;
        const std::string expected = "Block " + std::to_string(second->blockNumber) +
                                     " holds a value that is not a finite number, nothing was "
                                     "saved...";
        const fs::path target = folder / "old.out";
        std::ofstream(target) << "old\n";

        const NcWriteResult nc = writeNcFile(ncWriteSource(ws), target.string(), {});
        EXPECT_EQ(nc.outcome, NcWriteOutcome::BadValue);
        EXPECT_EQ(nc.message, expected);
        const WriteResult apt =
            writeAptFile(ws.database, ws.tools, target.string(), 0.0005, nullptr);
        EXPECT_FALSE(apt.ok);
        EXPECT_EQ(apt.message, expected);
        const WriteResult tbf = writeTbfFile(ws.database, target.string(), 0.0005, nullptr);
        EXPECT_FALSE(tbf.ok);
        EXPECT_EQ(tbf.message, expected);
        EXPECT_EQ(contentOf(target), "old\n");
    }
    fs::remove_all(folder);
}

} // namespace
} // namespace korvix
