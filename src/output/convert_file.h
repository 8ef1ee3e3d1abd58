#pragma once

#include "input/nc_reader.h"
#include "model/machine_format_record.h"
#include "output/nc_writer.h"
#include "output/path_compare.h"

#include <string>
#include <vector>

namespace korvix {

// Converting one NC program in place for another machine control: read it, keep the
// original beside it, write it back in the chosen format, and read what was written to
// prove that it traces the same path.

// What a conversion reads into and writes from: the program-wide records.
struct ConvertTarget {
    NcReadTarget read;
    MachineFormat& machine;
};

struct ConvertOptions {
    bool absoluteCenters = true; // how the originals give their arc centres
    // Read again with the other centre type when the arcs plainly fit it.
    bool autoCentres = false;
    bool lowerCaseWords = false;
    NcWriteOptions write;
    bool verify = true;
};

struct ConvertFileResult {
    bool converted = false;
    std::string backupPath; // where the original now is ("" when nothing was written)
    NcReadResult read;
    NcWriteResult write;
    std::string message; // why not, when !converted
    bool verificationRan = false;
    bool verified = false; // the written program was read back and compared
    PathComparison comparison;

    bool sameAsOriginal() const { return verified && comparison.within(kSamePathTolerance); }
};

// The first of NAME.bak, NAME.bak.1, NAME.bak.2, ... that does not exist.
std::string backupPathFor(const std::string& path);

// The centre type of the programs a machine format writes: offsets from the arc start for
// the incremental and R-word types, the centre itself otherwise.
bool writesAbsoluteCenters(const MachineFormat& machine, bool defaultControl);

// Converts `path` in place. The target's database and tool table are emptied first and
// hold the original's toolpath afterwards. The original is copied to its backup before the
// new text replaces it (through a temporary file), and the backup is removed again when the
// conversion fails, so a failed file is left exactly as it was.
ConvertFileResult convertFileInPlace(const ConvertTarget& target, const std::string& path,
                                     const ConvertOptions& options, const FitToExtents& fit);

// The status line of a converted file: "Finished converting F (verified, largest deviation
// 0.0004), original kept as F.bak...", "Converted F, but the written program differs from
// the original by up to D at block N, original kept as F.bak...", or "Unable to convert
// F...".
std::string conversionStatusText(const std::string& path, const ConvertFileResult& result);

// Reads `path` into a database of its own with no log or messages, for comparisons.
struct ReadBack {
    GraphicsDatabase database;
    NcReadResult result;
};
ReadBack readForComparison(const std::string& path, bool absoluteCenters, MessagePump& pump);

} // namespace korvix
