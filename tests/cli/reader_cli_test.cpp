// korvix-cli info and dump, and the choice of reader by file extension.

#include "cli/cli_input.h"
#include "cli/cli_runner.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace korvix::test {
namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A program in a scratch file.
class ProgramFile {
public:
    ProgramFile(const std::string& name, const std::string& text)
        : m_path(fs::temp_directory_path() /
                 ("korvix-reader-cli-" + std::to_string(::getpid()) + "-" + name)) {
        std::ofstream(m_path, std::ios::binary) << text;
    }
    ~ProgramFile() { fs::remove(m_path); }
    std::string path() const { return m_path.string(); }

private:
    fs::path m_path;
};

TEST(ReaderCli, DumpMatchesTheGoldenListings) {
    int compared = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(KORVIX_TEST_DATA_DIR "/dump")) {
        if (entry.path().extension() != ".nc")
            continue;
        fs::path golden = entry.path();
        golden.replace_extension(".dump");
        const bool incremental =
            entry.path().stem().extension() == ".incremental"; // NAME.incremental.nc
        std::vector<std::string> args = {"dump"};
        if (incremental)
            args.push_back("--incremental");
        args.push_back(entry.path().string());
        const CliResult result = runCli(args);
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, readText(golden));
        ++compared;
    }
    EXPECT_GE(compared, 2);
}

// The source line ends each record's line: F is the file's place among the arguments, so
// a TBF file between two programs (which has no lines) counts too.
TEST(ReaderCli, DumpLinesNamesTheArgumentAndLineOfEachRecord) {
    const ProgramFile first("lines_first.nc", "(first)\nX0.Y0.Z10.\nG1X30.F100.\n");
    const ProgramFile second("lines_second.nc", "X30.Y0.Z0.\n\nG1Y-5.F50.\n");
    const std::string tbf = first.path() + ".TBF";
    ASSERT_EQ(runCli({"tbf", first.path(), "-o", tbf}).exitCode, 0);
    const CliResult result = runCli({"dump", "--lines", first.path(), tbf, second.path()});
    fs::remove(tbf);
    EXPECT_EQ(result.exitCode, 0);
    std::vector<std::string> ends;
    for (const std::string& line : lines(result.out))
        ends.push_back(line.substr(line.rfind(' ') + 1));
    EXPECT_EQ(ends, (std::vector<std::string>{"@1:2", "@1:3", "@-", "@-", "@3:1", "@3:3"}));
    // Without --lines the listing stays as it was.
    const CliResult plain = runCli({"dump", first.path()});
    EXPECT_EQ(lines(plain.out).front(), "0 0 0 2 0 0 0.0000 0.0000 0.0000 10.0000");
}

TEST(ReaderCli, InfoPrintsCountsStatusLinesAndParseErrors) {
    const ProgramFile first("first.nc", "X0.Y0.Z10.\nG0Z0.\nG1X30.F100.\nG1,5\nT300\n");
    const ProgramFile second("second.nc", "X30.Y0.Z0.\nG1Y-5.F50.\nM1,5\n");
    const CliResult result = runCli({"info", first.path(), second.path()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out,
              first.path() + ": 3 blocks\n" + second.path() +
                  ": 2 blocks\n"
                  " (X) Min = 0.00000 Max = 30.00000 Delta = 30.00000 Center = 15.00000\n"
                  " (Y) Min = -5.00000 Max = 0.00000 Delta = 5.00000 Center = -2.50000\n"
                  " (Z) Min = 0.00000 Max = 10.00000 Delta = 10.00000 Center = 5.00000\n"
                  " (F) Min = 50.000 Max = 100.000\n"
                  " Approximate cutting time = 0 hours, 0 minutes at 100% feed rate.\n"
                  "parse errors: 3\n"
                  "'1,5' is not a valid integer value \"G1,5\"\n"
                  "Range check error \"T300\"\n"
                  "'1.5' is not a valid integer value \"M1.5\"\n");
}

TEST(ReaderCli, IncrementalCentresAndFailedFiles) {
    const ProgramFile arc("arc.nc", "X0Y0Z0\nG2X10.Y10.I0J10.\n");
    const CliResult absolute = runCli({"dump", arc.path()});
    const CliResult incremental = runCli({"dump", "--incremental", arc.path()});
    EXPECT_NE(absolute.out, incremental.out);
    EXPECT_NE(incremental.out.find(" 1 10.0000 0.0000 0.0000 -10.0000 180.0000 90.0000\n"),
              std::string::npos);

    const CliResult missing = runCli({"info", arc.path(), arc.path() + ".absent"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.out.find(arc.path() + ".absent: 0 blocks\n"), std::string::npos);
    EXPECT_NE(missing.err.find("No such file or directory"), std::string::npos);

    EXPECT_EQ(runCli({"info"}).exitCode, 2);
    EXPECT_EQ(runCli({"dump", "--absolute", arc.path()}).exitCode, 2);
}

TEST(ReaderCli, CentreTypeFindingsAutoCentresAndLowerCase) {
    const std::string cam = KORVIX_TEST_DATA_DIR "/cam_incremental_arcs.nc";
    const CliResult absolute = runCli({"info", cam});
    EXPECT_EQ(absolute.exitCode, 0);
    EXPECT_NE(absolute.err.find("korvix-cli: warning: 4 of 4 arcs in \"" + cam +
                                "\" do not fit absolute center points; the program looks like "
                                "it uses incremental center points. Read it with --centers "
                                "incremental (or --centers auto).\n"),
              std::string::npos);
    const CliResult automatic = runCli({"info", "--centers", "auto", cam});
    const CliResult incremental = runCli({"info", "--centers", "incremental", cam});
    EXPECT_EQ(automatic.exitCode, 0);
    EXPECT_EQ(automatic.out, incremental.out);
    EXPECT_NE(automatic.out, absolute.out);
    EXPECT_EQ(automatic.err.find("warning"), std::string::npos);
    EXPECT_EQ(incremental.err, "");
    EXPECT_EQ(runCli({"dump", "--centers", "sideways", cam}).exitCode, 2);

    const std::string lower = KORVIX_TEST_DATA_DIR "/lower_case.nc";
    const CliResult skipped = runCli({"info", lower});
    EXPECT_NE(skipped.out.find(lower + ": 0 blocks\n"), std::string::npos);
    EXPECT_NE(skipped.out.find("Lower-case words were skipped (first in block 3: \"g0x0y0z5.\")"),
              std::string::npos);
    const CliResult read = runCli({"info", "--lower-case", lower});
    EXPECT_NE(read.out.find(lower + ": 3 blocks\n"), std::string::npos);
}

TEST(ReaderCli, EveryExampleReads) {
    for (const fs::directory_entry& entry : fs::directory_iterator(KORVIX_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".nc")
            continue;
        SCOPED_TRACE(entry.path().string());
        const bool incremental =
            entry.path().stem().string().find("incremental") != std::string::npos;
        std::vector<std::string> args = {"info", entry.path().string()};
        if (incremental)
            args.insert(args.begin() + 1, "--incremental");
        const CliResult info = runCli(args);
        EXPECT_EQ(info.exitCode, 0);
        EXPECT_EQ(info.out.find("No NC data"), std::string::npos);
        args[0] = "dump";
        const CliResult dump = runCli(args);
        EXPECT_EQ(dump.exitCode, 0);
        EXPECT_GT(std::count(dump.out.begin(), dump.out.end(), '\n'), 10);
    }
}

TEST(ReaderCli, TheReaderFollowsTheUpperCasedExtension) {
    using cli::InputKind;
    const std::pair<const char*, InputKind> cases[] = {
        {"PART.NC", InputKind::NcProgram},      {"part.wir", InputKind::Wireframe},
        {"Part.Tbf", InputKind::Tbf},           {"part.tbf.nc", InputKind::NcProgram},
        {"dir.wir/part", InputKind::NcProgram}, {"part", InputKind::NcProgram},
        {"/a/b/.WIR", InputKind::Wireframe},
    };
    for (const auto& [name, kind] : cases)
        EXPECT_EQ(cli::inputKindOf(name), kind) << name;
}

} // namespace
} // namespace korvix::test
