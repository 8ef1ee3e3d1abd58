#include "cli/cli_runner.h"
#include "test_folder.h"

#include <gtest/gtest.h>

namespace korvix::test {
namespace {

TEST(CliSkeleton, HelpVersionAndUsageErrors) {
    const CliResult help = runCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: korvix-cli COMMAND"), std::string::npos);

    const CliResult version = runCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("korvix-cli ", 0), 0u);

    const CliResult none = runCli({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_NE(none.err.find("no command given"), std::string::npos);

    const CliResult unknown = runCli({"frobnicate"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("unknown command 'frobnicate'"), std::string::npos);
}

} // namespace
} // namespace korvix::test

namespace korvix::test {
namespace {

TEST(FilterCli, ReversingWarnsOfRapidPlungesOnStderr) {
    TestFolder folder("korvix-cli-reverse");
    const std::string reversed = folder.path("reversed.nc");
    const CliResult result =
        runCli({"filter", std::string(KORVIX_EXAMPLES_DIR) + "/pocket_absolute.nc", "-o", reversed,
                "--reverse"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("reverse: Cut direction has been reversed..."), std::string::npos)
        << result.out;
    EXPECT_NE(result.err.find("reverse: Warning! "), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(" rapid moves now plunge below Z = "), std::string::npos);
}

} // namespace
} // namespace korvix::test
