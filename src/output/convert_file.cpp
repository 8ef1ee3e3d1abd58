#include "output/convert_file.h"

#include "model/reporter.h"
#include "model/tool_table.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace korvix {
namespace {

namespace fs = std::filesystem;

void emptyTarget(const ConvertTarget& target) {
    target.read.database.records.freeAll();
    target.read.database.status = DatabaseStatus{};
    clearToolTable(target.read.tools);
}

} // namespace

std::string backupPathFor(const std::string& path) {
    std::error_code error;
    std::string candidate = path + ".bak";
    for (int n = 1; fs::exists(candidate, error) || fs::is_symlink(candidate, error); ++n)
        candidate = path + ".bak." + std::to_string(n);
    return candidate;
}

bool writesAbsoluteCenters(const MachineFormat& machine, bool defaultControl) {
    if (defaultControl)
        return true;
    return machine.radiusType != 1 && machine.radiusType != 3 && machine.radiusType != 4;
}

ReadBack readForComparison(const std::string& path, bool absoluteCenters, MessagePump& pump) {
    ReadBack back;
    ToolTable tools;
    ParseLog log;
    NullReporter silent;
    NcReadOptions options;
    options.absoluteCenters = absoluteCenters;
    back.result = readNcProgram({back.database, tools, log, pump, silent}, path, options, {});
    return back;
}

ConvertFileResult convertFileInPlace(const ConvertTarget& target, const std::string& path,
                                     const ConvertOptions& options, const FitToExtents& fit) {
    ConvertFileResult result;
    emptyTarget(target);
    NcReadOptions readOptions;
    readOptions.absoluteCenters = options.absoluteCenters;
    readOptions.drawColor = kWhite;
    readOptions.lowerCaseWords = options.lowerCaseWords;
    result.read = readNcProgram(target.read, path, readOptions, fit);
    if (options.autoCentres && result.read.ok() &&
        centresLookSwapped(result.read.centres, readOptions.absoluteCenters)) {
        emptyTarget(target);
        readOptions.absoluteCenters = !readOptions.absoluteCenters;
        result.read = readNcProgram(target.read, path, readOptions, fit);
    }
    if (!result.read.ok()) {
        result.message = result.read.message;
        return result;
    }

    // The original is copied, not moved: until the new text has replaced it, the file is
    // where the user left it.
    result.backupPath = backupPathFor(path);
    std::error_code error;
    if (!fs::copy_file(path, result.backupPath, error)) {
        result.message = "Unable to keep a backup of \"" + path + "\" as \"" + result.backupPath +
                         "\": " + error.message() + "...";
        result.backupPath.clear();
        return result;
    }
    const NcWriteSource source{target.read.database, target.read.tools, target.machine,
                               target.read.pump};
    result.write = writeNcFile(source, path, options.write);
    if (!result.write.ok()) {
        fs::remove(result.backupPath, error);
        result.backupPath.clear();
        result.message = result.write.message;
        return result;
    }
    result.converted = true;

    if (options.verify) {
        const bool absolute =
            writesAbsoluteCenters(target.machine, isDefaultControl(options.write.controlName));
        const ReadBack back = readForComparison(path, absolute, target.read.pump);
        result.verificationRan = true;
        result.verified = back.result.ok();
        result.comparison = comparePaths(target.read.database, back.database);
        if (!result.verified)
            result.comparison.largestDeviation = HUGE_VAL;
    }
    return result;
}

std::string conversionStatusText(const std::string& path, const ConvertFileResult& result) {
    if (!result.converted)
        return "Unable to convert " + path + "...";
    const std::string backup = ", original kept as " + result.backupPath + "...";
    if (!result.verificationRan)
        return "Finished converting " + path + backup;
    if (!result.verified)
        return "Converted " + path + ", but the written program could not be read back" + backup;
    const PathComparison& c = result.comparison;
    if (result.sameAsOriginal()) {
        char deviation[32];
        std::snprintf(deviation, sizeof deviation, "%.4f", c.largestDeviation);
        return "Finished converting " + path + " (verified, largest deviation " + deviation + ")" +
               backup;
    }
    std::string difference;
    if (c.largestDeviation > kSamePathTolerance) {
        char text[96];
        std::snprintf(text, sizeof text, " by up to %.4f at block %d", c.largestDeviation,
                      c.deviationBlock);
        difference = text;
    }
    if (!c.characterAgrees)
        difference += (difference.empty() ? ": " : "; ") + c.characterDifference + " at block " +
                      std::to_string(c.characterBlock);
    return "Converted " + path + ", but the written program differs from the original" +
           difference + backup;
}

} // namespace korvix
