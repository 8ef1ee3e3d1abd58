#include "cli/cli_runner.h"

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
