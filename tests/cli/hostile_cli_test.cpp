// korvix-cli on outputs and inputs that are not what they seem: devices, FIFOs, a full disk,
// empty machine formats, numbers too large for plain notation.

#include "cli/cli_runner.h"
#include "test_folder.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace korvix::test {
namespace {

namespace fs = std::filesystem;

class HostileCli : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return m_folder.path(name); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
    TestFolder m_folder{"korvix_hostile_cli"};
};

constexpr const char* kSmall = KORVIX_TEST_DATA_DIR "/two_tools.nc";

TEST_F(HostileCli, AFifoNamedAsOutputIsWrittenIntoNotReplaced) {
    const std::string fifo = path("out.TBF");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A reader that does not wait lets the writer open the FIFO; the small file fits its
    // buffer.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const CliResult result = runCli({"tbf", kSmall, "-o", fifo});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    char bytes[65536];
    const ssize_t got = ::read(reader, bytes, sizeof bytes);
    ::close(reader);
    EXPECT_GT(got, 100);
    struct stat status {};
    ASSERT_EQ(::stat(fifo.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.dir()), fs::directory_iterator()), 1);
}

TEST_F(HostileCli, WriteErrorsFailTheCommand) {
    // Pictures on a full disk: a link with the right extension to /dev/full.
    for (const char* name : {"full.png", "full.pdf"}) {
        fs::create_symlink("/dev/full", path(name));
        const CliResult render = runCli({"render", kSmall, "-o", path(name), "--size", "64x48"});
        EXPECT_EQ(render.exitCode, 1) << name << render.out;
        EXPECT_TRUE(contains(render.err, "No space left on device")) << render.err;
    }
    fs::create_symlink("/dev/full", path("print.pdf"));
    EXPECT_EQ(runCli({"print", kSmall, "-o", path("print.pdf")}).exitCode, 1);

    // A listing to a full standard output.
    const CliResult dump = runCli({"dump", KORVIX_EXAMPLES_DIR "/surface_3d.nc"}, "/dev/full");
    EXPECT_EQ(dump.exitCode, 1);
    EXPECT_TRUE(contains(dump.err, "cannot write to standard output")) << dump.err;
    EXPECT_EQ(runCli({"info", kSmall}, "/dev/full").exitCode, 1);
}

TEST_F(HostileCli, OutputNamesNearTheLongestAllowedAreWritten) {
    const std::string name = std::string(251, 'n') + ".nc"; // 254 characters
    const CliResult result = runCli({"convert", "--machine", "Default", kSmall, "-o", path(name)});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(fs::exists(path(name)));
}

TEST_F(HostileCli, AFormatThatWritesNoMoveLeavesTheTargetAlone) {
    const std::string target = write("p.nc", "G0X0Y0Z0\nG1X5F100\n");
    const std::string machines = path("machines");
    fs::create_directory(machines);
    std::ofstream(machines + "/EMPTY.DNC") << "";
    std::ofstream(machines + "/NOTES.DNC") << "Shopping list\neggs\nmilk\n";
    // Registers O alone: a program number, and nothing that could carry a move.
    std::ofstream(machines + "/ONLY_O.DNC")
        << "Only O\n* registers\nO #### O 1 Y\nEND\n* moves\nEND\n* start\n<O>\nEND\n"
           "* tool change\nEND\n* end\nEND\n* spare\nEND\n* keywords\nEND\n";
    for (const char* format : {"EMPTY.DNC", "NOTES.DNC", "ONLY_O.DNC"}) {
        const CliResult result = runCli(
            {"convert", "--machine", format, "--machines-dir", machines, target, "-o", target});
        EXPECT_EQ(result.exitCode, 1) << format << ": " << result.out;
        EXPECT_EQ(fileText(target), "G0X0Y0Z0\nG1X5F100\n") << format;
    }
    const CliResult empty = runCli(
        {"convert", "--machine", "EMPTY.DNC", "--machines-dir", machines, target, "-o", target});
    EXPECT_TRUE(contains(empty.err, "is not a valid machine format file")) << empty.err;
}

TEST_F(HostileCli, LargeNumbersKeepAllTheirDigits) {
    const std::string straight = "G0X0Y0Z0\nG1X10000000.Y-123456789.F123456789.\n";
    const std::string program =
        write("big.nc", straight + "G2X20000000.Y-123456789.I15000000.J-123456789.\n");
    ASSERT_EQ(runCli({"convert", "--machine", "Default", program, "-o", path("out.nc")}).exitCode,
              0);
    ASSERT_EQ(runCli({"apt", write("line.nc", straight), "-o", path("out.apt")}).exitCode, 0);
    const std::string nc = fileText(path("out.nc"));
    EXPECT_TRUE(contains(nc, "X10000000.0000Y-123456800.0000")) << nc;
    EXPECT_TRUE(contains(nc, "F123456800.0")) << nc;
    EXPECT_TRUE(contains(nc, "I15000000.0000")) << nc;
    const std::string apt = fileText(path("out.apt"));
    EXPECT_TRUE(contains(apt, "10000000.0000")) << apt;
    const std::regex scientific("[0-9]E[-+]?[0-9]");
    EXPECT_FALSE(std::regex_search(nc, scientific)) << nc;
    EXPECT_FALSE(std::regex_search(apt, scientific)) << apt;
}

TEST_F(HostileCli, QuietFaultsAreSaidOnce) {
    // A missing file: the error alone, not the window's guesses about it first.
    const CliResult missing = runCli({"info", path("missing.nc")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(contains(missing.err, "READONLY")) << missing.err;
    EXPECT_FALSE(contains(missing.err, "DOS")) << missing.err;
    EXPECT_TRUE(contains(missing.err, "Unable to open file")) << missing.err;

    // A wire-frame among the inputs of a TBF export is not silently dropped.
    std::string record(41, '\0');
    const std::string wire = write("part.WIR", record + record);
    const CliResult tbf = runCli({"tbf", kSmall, wire, "-o", path("o.TBF")});
    EXPECT_EQ(tbf.exitCode, 0) << tbf.err;
    EXPECT_TRUE(contains(tbf.err, "part.WIR: a wire-frame is not part of a TBF file")) << tbf.err;
}

} // namespace
} // namespace korvix::test
