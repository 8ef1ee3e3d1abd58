#pragma once

#include "input/nc_reader.h"
#include "model/workspace.h"

#include <string>
#include <vector>

namespace korvix::test {

// A file in a scratch folder of its own, removed with the object.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& content, const std::string& name = "program.nc");
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& path() const { return m_path; }
    const std::string& folder() const { return m_folder; }

private:
    std::string m_folder;
    std::string m_path;
};

// Reads the program text as a file into ws.
NcReadResult readProgram(Workspace& ws, const std::string& program, bool absoluteCenters = true,
                         Rgb drawColor = kWhite);

// Copies of the records, in path order.
std::vector<MoveRecord> recordsOf(const Workspace& ws);
// The arc groups of the path, in order: their pieces.
std::vector<std::vector<MoveRecord>> arcGroups(const Workspace& ws);
std::size_t recordCount(const Workspace& ws);
const MoveRecord& lastRecord(const Workspace& ws);

// The records as comparable text, without links and screen positions.
std::string describe(const MoveRecord& r);

} // namespace korvix::test
