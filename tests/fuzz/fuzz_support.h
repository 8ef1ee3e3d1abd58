#pragma once

// Shared pieces of the fuzz targets: the readers take file names, so each input is put into
// a file of this process first.

#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/parse_log.h"
#include "model/reporter.h"
#include "model/tool_table.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace korvix::fuzz {

// A folder of this process's own, removed at exit.
inline const std::filesystem::path& scratchFolder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("korvix-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(scratchFolder(), ec);
        });
        return path;
    }();
    return folder;
}

// Writes the bytes to `name` in the scratch folder and returns its path.
inline std::string writeScratchFile(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::string path = (scratchFolder() / name).string();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);
    return path;
}

// A reader's world: the database with a record budget that a fuzzing run can afford (the
// real one is sized for a whole machine), tools, log and silent services.
struct ReadWorld {
    static constexpr std::size_t kRecordBudget = 20'000;

    ReadWorld() { database.readRecordBudget = kRecordBudget; }

    GraphicsDatabase database;
    ToolTable tools;
    ParseLog parseLog;
    MessagePump pump;
    NullReporter reporter;
};

} // namespace korvix::fuzz
