#include "input/reader_support.h"

#include "app/workspace_access.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace korvix::test {

ScratchFile::ScratchFile(const std::string& content, const std::string& name) {
    static std::atomic<int> counter{0};
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("korvix-reader-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(folder);
    m_folder = folder.string();
    m_path = (folder / name).string();
    std::ofstream out(m_path, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + m_path);
}

ScratchFile::~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

NcReadResult readProgram(Workspace& ws, const std::string& program, bool absoluteCenters,
                         Rgb drawColor) {
    const ScratchFile file(program);
    NcReadOptions options;
    options.absoluteCenters = absoluteCenters;
    options.drawColor = drawColor;
    return readNcProgram(ncReadTarget(ws), file.path(), options, {});
}

std::vector<MoveRecord> recordsOf(const Workspace& ws) {
    std::vector<MoveRecord> records;
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
        records.push_back(*r);
    return records;
}

std::vector<std::vector<MoveRecord>> arcGroups(const Workspace& ws) {
    std::vector<std::vector<MoveRecord>> groups;
    for (const MoveRecord& r : recordsOf(ws)) {
        if (r.kind != kKindArcPiece)
            continue;
        if (groups.empty() || groups.back().back().sequence != r.sequence)
            groups.emplace_back();
        groups.back().push_back(r);
    }
    return groups;
}

std::size_t recordCount(const Workspace& ws) {
    return ws.database.records.lastAndCount().second;
}

const MoveRecord& lastRecord(const Workspace& ws) {
    const MoveRecord* last = ws.database.records.lastAndCount().first;
    if (last == nullptr)
        throw std::runtime_error("the database is empty");
    return *last;
}

std::string describe(const MoveRecord& r) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "kind %u plane %u stop %u color %06X seq %d block %u motion %u tool %u feed %g "
                  "end %.6g %.6g %.6g centre %.6g %.6g %.6g radius %.6g angles %.6g %.6g",
                  unsigned{r.kind}, unsigned{r.plane}, unsigned{r.optionalStop}, r.color,
                  r.sequence, unsigned{r.blockNumber}, unsigned{r.motion}, unsigned{r.tool},
                  double{r.feed}, double{r.x}, double{r.y}, double{r.z}, double{r.centerX},
                  double{r.centerY}, double{r.centerZ}, double{r.radius}, double{r.startAngle},
                  double{r.endAngle});
    return text;
}

} // namespace korvix::test
