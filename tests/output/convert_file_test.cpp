// Converting programs in place: every bundled format traces the example programs' paths,
// a format that loses precision is caught, and a failed conversion leaves no trace.
#include "app/home_folder.h"
#include "app/workspace_access.h"
#include "model/workspace.h"
#include "output/convert_file.h"
#include "test_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace korvix {
namespace {

namespace fs = std::filesystem;
using test::fileText;

class ConvertFile : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder / "machines");
        for (const BundledFile& format : bundledMachineFormats())
            std::ofstream(folder / "machines" / std::string(format.name)) << format.text;
    }

    // A copy of an example program in the test's folder.
    fs::path program(const char* example) {
        const fs::path copy = folder / example;
        fs::copy_file(fs::path(KORVIX_EXAMPLES_DIR) / example, copy,
                      fs::copy_options::overwrite_existing);
        return copy;
    }

    ConvertFileResult convert(const fs::path& path, const std::string& control,
                              bool absoluteCenters = true) {
        ConvertOptions options;
        options.absoluteCenters = absoluteCenters;
        options.write.controlName = control;
        options.write.machinesFolder = folder / "machines";
        return convertFileInPlace({ncReadTarget(ws), ws.machine}, path.string(), options, {});
    }

    Workspace ws;
    const test::TestFolder scratch{"korvix_convert"};
    const fs::path folder = scratch.dir();
};

TEST_F(ConvertFile, EveryBundledFormatTracesTheExamplesAndKeepsTheOriginals) {
    std::vector<std::string> controls{"Default"};
    for (const BundledFile& format : bundledMachineFormats())
        controls.emplace_back(format.name);
    for (const char* example : {"pocket_absolute.nc", "plane_arcs.nc", "multi_tool.nc"})
        for (const std::string& control : controls) {
            SCOPED_TRACE(std::string(example) + " as " + control);
            const fs::path path = program(example);
            const std::string original = fileText(path);
            fs::remove(path.string() + ".bak");
            const ConvertFileResult result = convert(path, control);
            ASSERT_TRUE(result.converted) << result.message;
            EXPECT_TRUE(result.sameAsOriginal()) << conversionStatusText(path, result);
            EXPECT_EQ(result.backupPath, path.string() + ".bak");
            EXPECT_EQ(fileText(result.backupPath), original);
            EXPECT_NE(fileText(path), original);
            EXPECT_GT(result.comparison.movesA, 10u);
        }
}

TEST_F(ConvertFile, AFormatThatDropsDecimalsIsCaughtAndNamed) {
    std::string format = fileText(folder / "machines" / "ISO_MILL.DNC");
    const std::size_t x = format.find("X        ####.###");
    ASSERT_NE(x, std::string::npos);
    format.replace(x, 17, "X        ####    ");
    std::ofstream(folder / "machines" / "WHOLE_X.DNC") << format;

    const fs::path path = program("pocket_absolute.nc");
    const ConvertFileResult result = convert(path, "WHOLE_X.DNC");
    ASSERT_TRUE(result.converted);
    EXPECT_FALSE(result.sameAsOriginal());
    EXPECT_GT(result.comparison.largestDeviation, 0.01);
    const std::string status = conversionStatusText(path.string(), result);
    EXPECT_EQ(status.rfind("Converted " + path.string() +
                               ", but the written program differs from the original by up to ",
                           0),
              0u)
        << status;
    EXPECT_NE(status.find(" at block "), std::string::npos) << status;
}

TEST_F(ConvertFile, AFailedConversionLeavesTheFileAsItWasWithNoBackup) {
    const fs::path path = program("pocket_absolute.nc");
    const std::string original = fileText(path);
    const ConvertFileResult result = convert(path, "MISSING.DNC");
    EXPECT_FALSE(result.converted);
    EXPECT_EQ(fileText(path), original);
    EXPECT_EQ(conversionStatusText(path.string(), result),
              "Unable to convert " + path.string() + "...");
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().extension(), entry.is_directory() ? "" : ".nc") << entry.path();
}

TEST_F(ConvertFile, BackupsAreNumberedAndAWrongCentreTypeShowsAsADeviation) {
    const fs::path path = program("pocket_incremental.nc");
    ASSERT_TRUE(convert(path, "Default", false).converted);
    const ConvertFileResult second = convert(path, "Default");
    EXPECT_EQ(second.backupPath, path.string() + ".bak.1");
    EXPECT_EQ(backupPathFor(path.string()), path.string() + ".bak.2");

    // The original read as incremental, the copy written by Default as absolute: the same
    // path. Read both as absolute and they part.
    MessagePump pump;
    const ReadBack asIncremental = readForComparison(path.string() + ".bak", false, pump);
    const ReadBack asAbsolute = readForComparison(path.string() + ".bak", true, pump);
    const ReadBack written = readForComparison(path.string() + ".bak.1", true, pump);
    EXPECT_TRUE(comparePaths(asIncremental.database, written.database).within(kSamePathTolerance));
    const PathComparison wrong = comparePaths(asAbsolute.database, written.database);
    EXPECT_FALSE(wrong.within(kSamePathTolerance));
    EXPECT_NE(describeComparison(wrong).find("largest deviation "), std::string::npos);
}

} // namespace
} // namespace korvix
