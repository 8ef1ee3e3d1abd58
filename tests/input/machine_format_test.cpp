#include "app/home_folder.h"
#include "input/machine_format_loader.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace korvix::test {
namespace {

namespace fs = std::filesystem;

// A format file: free text, then the seven sections with the given bodies.
std::string formatText(const std::string& registers, const std::string& moves = "",
                       const std::string& startLines = "", const std::string& keywords = "") {
    return "A test format\nfree text, ignored\n"
           "* registers\n" +
           registers +
           "END\n"
           "* moves\n" +
           moves +
           "END\n"
           "* program start\n" +
           startLines +
           "END\n"
           "* tool change\nEND\n* program end\nEND\n* spare\nEND\n"
           "* keywords\n" +
           keywords + "END\n";
}

std::vector<std::string> texts(const MachineFormatLoad& load) {
    std::vector<std::string> out;
    for (const FormatMessage& m : load.messages)
        out.push_back(m.text);
    return out;
}

TEST(MachineFormatRegisters, FieldsOfARegisterLine) {
    struct Case {
        const char* line;
        Reg reg;
        char letter;
        int digits, decimals;
        double scale;
        bool modal;
    };
    const Case cases[] = {
        {"XAXIS ####.#### X 1 Y", Reg::X, 'X', 8, 4, 1.0, true},
        {"Z ###.## * 1 N", Reg::Z, '\0', 5, 2, 1.0, false},  // '*': never written
        {"F,,####.#==F, 2.5", Reg::F, 'F', 5, 1, 2.5, true}, // separator runs; no field 5
        {"  ,G ## G 1 no", Reg::G, 'G', 2, 0, 1.0, false},   // leading separators; 'n'
        {"H #A#.#B Hx 1 Y", Reg::H, 'H', 3, 1, 1.0, true},   // other mask characters
        {"N ##### N -10 Y extra", Reg::N, 'N', 5, 0, -10.0, true},
    };
    for (const Case& c : cases) {
        MachineFormat format;
        const MachineFormatLoad load =
            parseMachineFormat(format, formatText(c.line + std::string("\n")));
        ASSERT_TRUE(load.loaded) << c.line;
        EXPECT_TRUE(load.messages.empty()) << c.line;
        const MachineRegister& r = format.reg(c.reg);
        EXPECT_EQ(r.letter, c.letter) << c.line;
        EXPECT_EQ(r.digits, c.digits) << c.line;
        EXPECT_EQ(r.decimals, c.decimals) << c.line;
        EXPECT_DOUBLE_EQ(r.scale, c.scale) << c.line;
        EXPECT_EQ(r.modal, c.modal) << c.line;
    }
}

TEST(MachineFormatRegisters, UnknownNamesWarnAndReadingGoesOn) {
    MachineFormat format;
    const MachineFormatLoad load =
        parseMachineFormat(format, formatText("x ####.#### X 1 Y\nQ ## Q 1 Y\nY ###.# Y 1 Y\n"));
    EXPECT_TRUE(load.loaded);
    EXPECT_EQ(texts(load), (std::vector<std::string>{
                               ">>>WARNING<<< unknown REGISTER variable name found \"x\"",
                               ">>>WARNING<<< unknown REGISTER variable name found \"Q\""}));
    EXPECT_EQ(load.messages[0].kind, FormatMessage::Kind::Warning);
    EXPECT_FALSE(format.reg(Reg::X).hasLetter());
    EXPECT_EQ(format.reg(Reg::Y).letter, 'Y');
}

TEST(MachineFormatRegisters, ABadOrMissingScaleStopsTheLoad) {
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"X ####.### X abc Y", "'abc' is not a valid floating point value"},
        {"X ####.### X", "'' is not a valid floating point value"},
        {"X", "'' is not a valid floating point value"},
    };
    for (const Case& c : cases) {
        MachineFormat format;
        const MachineFormatLoad load = parseMachineFormat(
            format, formatText(c.line + std::string("\nY ## Y 1 Y\n"), "", "", "RENUMBER=Y\n"));
        EXPECT_FALSE(load.loaded) << c.line;
        EXPECT_EQ(texts(load), std::vector<std::string>{c.message}) << c.line;
        EXPECT_FALSE(format.reg(Reg::Y).hasLetter()) << "read on after the stop: " << c.line;
        EXPECT_FALSE(format.renumber) << c.line;
    }
}

TEST(MachineFormatSections, EndLinesInEachSectionKind) {
    // Lower-case "end" closes neither registers nor moves, does close a line list (lines are
    // upper-cased first), and the keywords section closes on any line starting "END".
    MachineFormat format;
    const std::string text = "* r\nend\nX ## X 1 Y\nEND\n"
                             "* m\nend\nRAPID=G0\nEND\n"
                             "* start\nfirst\nend\nnot stored\n"
                             "* tool change\nEND\n* program end\nEND\n* spare\nEND\n"
                             "* keywords\nend\nRENUMBER=Y\nENDS HERE\nSPLITARCS=Y\n";
    const MachineFormatLoad load = parseMachineFormat(format, text);
    EXPECT_TRUE(load.loaded);
    EXPECT_EQ(texts(load),
              (std::vector<std::string>{
                  ">>>WARNING<<< unknown REGISTER variable name found \"end\"",
                  ">>>ERROR<<< Invalid statement found in \"MOVES\" definition table. \"end\""}));
    EXPECT_EQ(format.reg(Reg::X).letter, 'X');
    EXPECT_EQ(format.moveTemplate(MoveTemplate::Rapid), "G0");
    EXPECT_EQ(format.lines(LineList::ProgramStart), std::vector<std::string>{"FIRST"});
    EXPECT_TRUE(format.renumber);
    EXPECT_FALSE(format.splitArcs);
}

TEST(MachineFormatSections, MoveLines) {
    MachineFormat format;
    const MachineFormatLoad load = parseMachineFormat(
        format,
        formatText("", "RAPID = G 00\nlinear=g01\nSUFFIX = ; eob\nARC_CW=G02 X1234567890123456789\n"
                       "RAPIDG00\nFEED=G01\n"));
    EXPECT_TRUE(load.loaded);
    EXPECT_EQ(format.moveTemplate(MoveTemplate::Rapid), "G00");
    EXPECT_EQ(format.moveTemplate(MoveTemplate::Linear), "g01");
    EXPECT_EQ(format.moveTemplate(MoveTemplate::Suffix), ";eob");
    EXPECT_EQ(format.moveTemplate(MoveTemplate::ArcCw), "G02X1234567890123456"); // 20 kept
    EXPECT_EQ(
        texts(load),
        (std::vector<std::string>{
            ">>>ERROR<<< Invalid statement found in \"MOVES\" definition table. \"RAPIDG00\"",
            ">>>ERROR<<< Invalid variable name found in \"MOVES\" definition table.\"FEED\""}));
}

TEST(MachineFormatSections, LineListsAndThe21stLine) {
    std::string lines = "\tg00 <x>\t<y>\n";
    for (int i = 2; i <= 21; ++i)
        lines += "LINE " + std::to_string(i) + " 0123456789012345678901234567890123456789\n";
    MachineFormat format;
    const MachineFormatLoad load =
        parseMachineFormat(format, formatText("", "", lines, "ADDSPACES=YES\n"));
    EXPECT_TRUE(load.loaded);
    const std::vector<std::string>& start = format.lines(LineList::ProgramStart);
    ASSERT_EQ(start.size(), 20u);
    EXPECT_EQ(start[0], "        G00 <X> <Y>"); // tabs to 8-column stops, upper-cased
    EXPECT_EQ(start[1], "LINE 2 012345678901234567890123456789012"); // cut to 40
    EXPECT_EQ(texts(load),
              std::vector<std::string>{">>>WARNING<<< more than 20 lines in the \"PROGRAM START\" "
                                       "list, line 28 ignored \"LINE 21 "
                                       "01234567890123456789012345678901\""});
    EXPECT_TRUE(format.addSpaces) << "the load goes on after the warning";
}

TEST(MachineFormatKeywords, ValuesAndConversionStops) {
    MachineFormat format;
    MachineFormatLoad load = parseMachineFormat(
        format, formatText("", "", "",
                           "renumber = yes\nSPLITARCS=N\nADDSPACES Y\nMINBLKNUM=10\nMAXBLKNUM=-5\n"
                           "MAXFEEDRATE=1500.5\nMAXRPM=8000\nRADIUSTYPE=3\nCOOLANT=ON\n"));
    EXPECT_TRUE(load.loaded);
    EXPECT_TRUE(load.messages.empty());
    EXPECT_TRUE(format.renumber);
    EXPECT_FALSE(format.splitArcs);
    EXPECT_TRUE(format.addSpaces);
    EXPECT_EQ(format.minBlockNumber, 10);
    EXPECT_EQ(format.maxBlockNumber, -5);
    EXPECT_DOUBLE_EQ(format.maxFeedRate, 1500.5);
    EXPECT_EQ(format.maxRpm, 8000);
    EXPECT_EQ(format.radiusType, 3);

    const std::pair<const char*, const char*> stops[] = {
        {"MAXRPM=12.5\n", "'12.5' is not a valid integer value"},
        {"MAXFEEDRATE=fast\n", "'FAST' is not a valid floating point value"},
        {"MINBLKNUM\n", "'' is not a valid integer value"},
    };
    for (const auto& [line, message] : stops) {
        format.renumber = false;
        load =
            parseMachineFormat(format, formatText("", "", "", line + std::string("RENUMBER=Y\n")));
        EXPECT_FALSE(load.loaded) << line;
        EXPECT_EQ(texts(load), std::vector<std::string>{message}) << line;
        EXPECT_FALSE(format.renumber) << "nothing read after the stop: " << line;
    }
}

TEST(MachineFormatKeywords, SomeKeywordsSurviveTheNextLoad) {
    MachineFormat format;
    parseMachineFormat(format,
                       formatText("X ## X 1 Y\n", "RAPID=G0\n", "%\n",
                                  "RENUMBER=Y\nSPLITARCS=Y\nADDSPACES=Y\nMINBLKNUM=1\n"
                                  "MAXBLKNUM=99\nMAXFEEDRATE=500\nMAXRPM=900\nRADIUSTYPE=4\n"));
    // A second format that sets none of them, and ends early: its later lists stay empty.
    const MachineFormatLoad load =
        parseMachineFormat(format, "just text\n* registers\nY ## Y 1 Y\n");
    EXPECT_TRUE(load.loaded);
    EXPECT_TRUE(format.renumber);
    EXPECT_EQ(format.minBlockNumber, 1);
    EXPECT_EQ(format.maxBlockNumber, 99);
    EXPECT_DOUBLE_EQ(format.maxFeedRate, 500);
    EXPECT_EQ(format.maxRpm, 900);
    EXPECT_EQ(format.radiusType, 4);
    EXPECT_FALSE(format.splitArcs);
    EXPECT_FALSE(format.addSpaces);
    EXPECT_FALSE(format.reg(Reg::X).hasLetter());
    EXPECT_EQ(format.reg(Reg::Y).letter, 'Y');
    EXPECT_TRUE(format.moveTemplate(MoveTemplate::Rapid).empty());
    EXPECT_TRUE(format.lines(LineList::ProgramStart).empty());
}

TEST(MachineFormatFiles, MissingUnreadableAndDosFiles) {
    const fs::path folder =
        fs::temp_directory_path() / ("korvix_format_files_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "A_FOLDER.DNC");
    std::ofstream(folder / "DOS.DNC", std::ios::binary)
        << "free\r\n* r\r\nX ## X 1 Y\r\nEND\r\n* m\r\nRAPID=G0\r\nEND\r\n";

    MachineFormat format;
    format.reg(Reg::Z).letter = 'Z';
    MachineFormatLoad load = loadMachineFormat(format, folder, "NOPE.DNC");
    EXPECT_FALSE(load.loaded);
    EXPECT_EQ(texts(load), std::vector<std::string>{"Machine format file \"" + folder.string() +
                                                    "/NOPE.DNC\" does not exist..."});
    EXPECT_FALSE(format.reg(Reg::Z).hasLetter()) << "the format stays reset";

    load = loadMachineFormat(format, folder, "../korvix_format_files/DOS.DNC");
    EXPECT_FALSE(load.loaded) << "names never leave the machines folder";

    load = loadMachineFormat(format, folder, "A_FOLDER.DNC");
    EXPECT_FALSE(load.loaded);
    ASSERT_EQ(load.messages.size(), 1u);
    EXPECT_NE(load.messages[0].text.find("could not be read"), std::string::npos);

    load = loadMachineFormat(format, folder, "DOS.DNC");
    EXPECT_TRUE(load.loaded);
    EXPECT_TRUE(load.messages.empty());
    EXPECT_EQ(format.reg(Reg::X).letter, 'X');
    EXPECT_EQ(format.moveTemplate(MoveTemplate::Rapid), "G0");
    fs::remove_all(folder);
}

class HomeFolder : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"KORVIX_HOME", "XDG_CONFIG_HOME", "HOME"}) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        m_root = fs::temp_directory_path() / ("korvix_home_test_" + std::to_string(getpid()));
        fs::remove_all(m_root);
    }
    void TearDown() override {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        fs::remove_all(m_root);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
    fs::path m_root;
};

TEST_F(HomeFolder, VariablesInOrderOfPrecedence) {
    setenv("HOME", "/home/someone", 1);
    setenv("XDG_CONFIG_HOME", "", 1); // empty counts as unset
    unsetenv("KORVIX_HOME");
    EXPECT_EQ(korvixHomeFolder(), fs::path("/home/someone/.config/korvix"));
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(korvixHomeFolder(), fs::path("/cfg/korvix"));
    setenv("KORVIX_HOME", "/opt/k", 1);
    EXPECT_EQ(korvixHomeFolder(), fs::path("/opt/k"));
    EXPECT_EQ(machinesFolder(), fs::path("/opt/k/machines"));
}

TEST_F(HomeFolder, BundledFormatsGoOnlyIntoAnEmptyFolder) {
    const fs::path machines = m_root / "machines";
    const InstallResult first = installBundledMachineFormats(machines);
    EXPECT_TRUE(first.ok) << first.message;
    EXPECT_GE(first.copied, 4);
    const std::vector<std::string> names = listMachineFormats(machines);
    EXPECT_EQ(names.size(), static_cast<std::size_t>(first.copied));
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));

    // Every bundled format loads without a message and states every surviving keyword
    // (a format that left one out would inherit it from the format used before).
    for (const std::string& name : names) {
        MachineFormat format;
        format.maxRpm = 12345;
        format.maxFeedRate = 12345;
        format.minBlockNumber = format.maxBlockNumber = format.radiusType = 12345;
        const MachineFormatLoad load = loadMachineFormat(format, machines, name);
        EXPECT_TRUE(load.loaded) << name;
        EXPECT_TRUE(load.messages.empty()) << name << ": " << load.messages.front().text;
        EXPECT_NE(format.maxRpm, 12345) << name;
        EXPECT_NE(format.maxFeedRate, 12345) << name;
        EXPECT_NE(format.minBlockNumber, 12345) << name;
        EXPECT_NE(format.maxBlockNumber, 12345) << name;
        EXPECT_NE(format.radiusType, 12345) << name;
        EXPECT_FALSE(format.lines(LineList::ProgramEnd).empty()) << name;
    }

    // A user's folder is never topped up: remove one, add another, install again.
    fs::remove(machines / names.front());
    std::ofstream(machines / "mine.dnc") << "x\n";
    std::ofstream(machines / "notes.txt") << "x\n";
    fs::create_directory(machines / "sub.DNC");
    const InstallResult again = installBundledMachineFormats(machines);
    EXPECT_TRUE(again.ok);
    EXPECT_EQ(again.copied, 0);
    std::vector<std::string> expected(names.begin() + 1, names.end());
    expected.push_back("mine.dnc");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listMachineFormats(machines), expected);
    const std::vector<std::string> choices = controlTypeChoices(machines);
    EXPECT_EQ(choices.front(), "Default");
    EXPECT_EQ(choices.size(), expected.size() + 1);
}

} // namespace
} // namespace korvix::test
