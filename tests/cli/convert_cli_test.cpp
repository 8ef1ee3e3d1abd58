#include "cli/cli_runner.h"
#include "test_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace korvix::test {
namespace {

namespace fs = std::filesystem;

class ConvertCli : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return m_folder.path(name); }
    TestFolder m_folder{"korvix_convert_cli"};
};

TEST_F(ConvertCli, DefaultWritesTheBuiltInDialect) {
    const CliResult result =
        runCli({"convert", "--machine", "Default", "--start-text", "(IGNORED)",
                KORVIX_TEST_DATA_DIR "/writer_small.nc", "-o", path("out.nc")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(fileText(path("out.nc")), fileText(KORVIX_TEST_DATA_DIR "/writer_small.default.nc"));
    EXPECT_TRUE(contains(result.out, "Finished converting")) << result.out;

    // Incremental centres read with --incremental give the same program as the absolute ones.
    ASSERT_EQ(runCli({"convert", "--machine", "Default", "--incremental",
                      KORVIX_EXAMPLES_DIR "/pocket_incremental.nc", "-o", path("inc.nc")})
                  .exitCode,
              0);
    ASSERT_EQ(runCli({"convert", "--machine", "Default", KORVIX_EXAMPLES_DIR "/pocket_absolute.nc",
                      "-o", path("abs.nc")})
                  .exitCode,
              0);
    EXPECT_EQ(fileText(path("inc.nc")), fileText(path("abs.nc")));
}

TEST_F(ConvertCli, AMachineFormatWithWarnings) {
    std::ofstream(path("MINE.DNC")) << "* r\nG ## G 1 Y\nX ###.## X 1 Y\nY ###.## Y 1 Y\n"
                                       "Z ###.## Z 1 Y\nO #### O 1 Y\nq ## Q 1 Y\nEND\n"
                                       "* m\nRAPID=G00\nEND\n* s\n<O>\n<Q>\nEND\n";
    const CliResult result =
        runCli({"convert", "--machine", "MINE.DNC", "--machines-dir", m_folder.dir().string(),
                "--program-number", "77", "--start-text", "(FIRST)",
                KORVIX_TEST_DATA_DIR "/writer_small.nc", "-o", path("out.nc")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(contains(result.err, ">>>WARNING<<< unknown REGISTER variable name found \"q\"\n"))
        << result.err;
    EXPECT_TRUE(contains(result.err, " >>>ERROR<<< \"Q\" is not a valid variable.\n"))
        << result.err;
    // The start line with the unknown variable is written without it.
    EXPECT_EQ(fileText(path("out.nc")).substr(0, 34), "(FIRST)\nO0077\n\nG1X0.00Y0.00Z-1.00\n");
}

TEST_F(ConvertCli, NothingIsWrittenWhenTheFormatIsMissing) {
    const CliResult result =
        runCli({"convert", "--machine", "NOPE.DNC", "--machines-dir", m_folder.dir().string(),
                KORVIX_TEST_DATA_DIR "/writer_small.nc", "-o", path("out.nc")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(contains(result.err,
                         "Machine format file \"" + path("NOPE.DNC") + "\" does not exist...\n"))
        << result.err;
    EXPECT_TRUE(contains(result.err, "Unable to convert ")) << result.err;
    EXPECT_FALSE(fs::exists(path("out.nc")));

    const CliResult noInput =
        runCli({"convert", "--machine", "Default", path("missing.nc"), "-o", path("out.nc")});
    EXPECT_EQ(noInput.exitCode, 1);
    EXPECT_FALSE(fs::exists(path("out.nc")));
}

TEST_F(ConvertCli, UsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {"convert", "in.nc", "-o", "out.nc"},
        {"convert", "--machine", "Default", "in.nc"},
        {"convert", "--machine", "Default", "a.nc", "b.nc", "-o", "out.nc"},
        {"convert", "--machine", "Default", "--program-number", "1,5", "in.nc", "-o", "out.nc"},
    };
    for (const auto& args : cases) {
        const CliResult result = runCli(args);
        EXPECT_EQ(result.exitCode, 2) << args[2];
        EXPECT_TRUE(contains(result.err, "usage: korvix-cli convert")) << result.err;
    }
    EXPECT_TRUE(contains(runCli(cases.back()).err, "'1,5' is not a valid floating point value"));
}

TEST_F(ConvertCli, TheHomeFolderGetsTheBundledFormats) {
    const char* saved = std::getenv("KORVIX_HOME");
    const std::string previous = saved != nullptr ? saved : "";
    setenv("KORVIX_HOME", path("home").c_str(), 1);
    const CliResult result =
        runCli({"convert", "--machine", "ISO_MILL.DNC", "--program-number", "12",
                KORVIX_EXAMPLES_DIR "/multi_tool.nc", "-o", path("iso.nc")});
    if (saved != nullptr)
        setenv("KORVIX_HOME", previous.c_str(), 1);
    else
        unsetenv("KORVIX_HOME");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(fs::exists(path("home/machines/ISO_MILL.DNC")));
    EXPECT_EQ(fileText(path("iso.nc")).substr(0, 8), "%\nO0012\n");
}

TEST_F(ConvertCli, InPlaceKeepsBackupsAndVerifyAndCompareProveThePath) {
    fs::copy_file(KORVIX_EXAMPLES_DIR "/pocket_absolute.nc", path("a.nc"));
    fs::copy_file(KORVIX_EXAMPLES_DIR "/plane_arcs.nc", path("b.nc"));
    const std::string original = fileText(path("a.nc"));
    CliResult result = runCli(
        {"convert", "--machine", "Default", "--in-place", "--verify", path("a.nc"), path("a.nc")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(fileText(path("a.nc.bak")), original);
    EXPECT_TRUE(fs::exists(path("a.nc.bak.1")));
    EXPECT_TRUE(contains(result.out, "(verified, largest deviation 0.0000), original kept as " +
                                         path("a.nc.bak.1")))
        << result.out;

    // The written program against its original, read right and read wrong.
    result = runCli({"compare", path("a.nc.bak"), path("a.nc")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(contains(result.out, "largest deviation 0.0000")) << result.out;
    result = runCli({"compare", "--incremental-a", path("a.nc.bak"), path("a.nc")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(contains(result.out, " at block ")) << result.out;
    EXPECT_EQ(runCli({"compare", path("a.nc"), path("b.nc")}).exitCode, 1);

    result =
        runCli({"convert", "--machine", "Default", "--verify", path("b.nc"), "-o", path("c.nc")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(contains(result.out, path("c.nc") + ": verified, largest deviation")) << result.out;
    EXPECT_EQ(
        runCli({"convert", "--machine", "Default", "--in-place", path("b.nc"), "-o", path("c.nc")})
            .exitCode,
        2);
}

} // namespace
} // namespace korvix::test
