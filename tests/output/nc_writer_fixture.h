#pragma once

#include "app/workspace_access.h"
#include "model/path_builder.h"
#include "model/workspace.h"
#include "output/nc_writer.h"
#include "test_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace korvix::test {

// Registers most writer tests share: arc words not modal, everything else modal.
inline constexpr const char* kPlainRegisters = "F ####.# F 1 Y\n"
                                               "G ## G 1 Y\n"
                                               "H ## H 1 Y\n"
                                               "I ###.### I 1 N\n"
                                               "J ###.### J 1 N\n"
                                               "K ###.### K 1 N\n"
                                               "R ###.### R 1 N\n"
                                               "S ##### S 1 Y\n"
                                               "T ## T 1 Y\n"
                                               "X ###.### X 1 Y\n"
                                               "Y ###.### Y 1 Y\n"
                                               "Z ###.### Z 1 Y\n";

// The text of a machine format file from its section bodies (each line ending in "\n").
struct FormatSpec {
    std::string registers = kPlainRegisters;
    std::string moves;
    std::string startLines;
    std::string toolChangeLines;
    std::string endLines;
    std::string keywords;

    std::string text() const {
        return "Test format\n* registers\n" + registers + "END\n* moves\n" + moves +
               "END\n* program start\n" + startLines + "END\n* tool change\n" + toolChangeLines +
               "END\n* program end\n" + endLines + "END\n* spare\nEND\n* keywords\n" + keywords +
               "END\n";
    }
};

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A test with its own machines folder and workspace.
class NcWriterTest : public ::testing::Test {
protected:
    ToolEntry& addTool(int number, int comp, int speed) {
        ToolEntry& entry = ws.tools.entries[++ws.tools.count];
        entry.toolNumber = static_cast<std::uint8_t>(number);
        entry.compNumber = static_cast<std::uint8_t>(comp);
        entry.spindleSpeed = static_cast<std::int16_t>(speed);
        return entry;
    }

    // Writes the path of `ws` with `format` (saved as TEST.DNC) and returns the lines.
    std::vector<std::string> writeWith(const FormatSpec& format, double programNumber = 1,
                                       const std::string& startingText = "") {
        std::ofstream(m_folder / "TEST.DNC") << format.text();
        return writeWithControl("TEST.DNC", programNumber, startingText);
    }
    std::vector<std::string> writeWithControl(const std::string& control, double programNumber = 1,
                                              const std::string& startingText = "") {
        NcWriteOptions options;
        options.controlName = control;
        options.machinesFolder = m_folder;
        options.programNumber = programNumber;
        options.startingText = startingText;
        StringLineSink sink;
        m_result = writeNcProgram(ncWriteSource(ws), options, sink);
        return splitLines(sink.text);
    }

    Workspace ws;
    TestFolder m_scratch{"korvix_nc_writer"};
    const std::filesystem::path m_folder = m_scratch.dir(); // the machines folder
    NcWriteResult m_result;
};

} // namespace korvix::test
