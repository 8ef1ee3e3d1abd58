#include "cli/cli_runner.h"
#include "test_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

const std::string kSmall = std::string(KORVIX_TEST_DATA_DIR) + "/writer_small.nc";

std::size_t countOf(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

class EditCli : public ::testing::Test {
protected:
    std::string out(const std::string& name) const { return m_folder.path(name); }
    TestFolder m_folder{"korvix_edit_cli"};
};

TEST_F(EditCli, OptionalStopsAreWrittenAndCleared) {
    // The small program has one M01; giving all of tool 2 a stop adds its two arcs' stops.
    ASSERT_EQ(countOf(fileText(kSmall), "M01"), 1u);
    const CliResult on =
        runCli({"edit", kSmall, "-o", out("on.nc"), "--tool", "2", "--optional-stop", "on"});
    ASSERT_EQ(on.exitCode, 0) << on.err;
    EXPECT_GT(countOf(fileText(out("on.nc")), "M01"), 1u);
    const CliResult off = runCli({"edit", out("on.nc"), "-o", out("off.nc"), "--blocks", "0-65535",
                                  "--optional-stop", "off"});
    ASSERT_EQ(off.exitCode, 0) << off.err;
    EXPECT_EQ(countOf(fileText(out("off.nc")), "M01"), 0u);
}

TEST_F(EditCli, DeleteReFeedAndRelocateTheSelection) {
    const CliResult deleted =
        runCli({"edit", kSmall, "-o", out("t1.nc"), "--tool", "2", "--delete"});
    ASSERT_EQ(deleted.exitCode, 0) << deleted.err;
    const std::string t1 = fileText(out("t1.nc"));
    EXPECT_EQ(t1.find("G18"), std::string::npos);
    EXPECT_EQ(t1.find("G19"), std::string::npos);
    EXPECT_NE(t1.find("X20."), std::string::npos);

    const CliResult fed =
        runCli({"edit", kSmall, "-o", out("fed.nc"), "--tool", "1", "--feed", "321"});
    ASSERT_EQ(fed.exitCode, 0) << fed.err;
    const std::string f = fileText(out("fed.nc"));
    EXPECT_NE(f.find("F321"), std::string::npos);
    EXPECT_NE(f.find("F250"), std::string::npos); // tool 2 keeps its feed

    const CliResult moved =
        runCli({"edit", kSmall, "-o", out("moved.nc"), "--tool", "2", "--relocate", "0,0,5"});
    ASSERT_EQ(moved.exitCode, 0) << moved.err;
    EXPECT_NE(fileText(out("moved.nc")).find("Z15."), std::string::npos);
}

TEST_F(EditCli, UsageMistakesWriteNothing) {
    const std::vector<std::vector<std::string>> mistakes = {
        {"edit", kSmall, "-o", out("x.nc"), "--delete"},    // no selection
        {"edit", kSmall, "-o", out("x.nc"), "--tool", "1"}, // no change
        {"edit", kSmall, "-o", out("x.nc"), "--tool", "1", "--delete", "--feed", "5"},
        {"edit", kSmall, "-o", out("x.nc"), "--tool", "1", "--optional-stop", "yes"},
        {"edit", kSmall, "-o", out("x.nc"), "--tool", "1", "--relocate", "1,2"},
    };
    for (const auto& args : mistakes) {
        EXPECT_EQ(runCli(args).exitCode, 2) << args.back();
        EXPECT_FALSE(std::ifstream(out("x.nc")).good());
    }
    EXPECT_EQ(runCli({"edit", kSmall, "-o", out("x.nc"), "--tool", "1", "--feed", "-5"}).exitCode,
              1);
}

} // namespace
} // namespace korvix::test
