#include "cli/cli_input.h"

#include "app/workspace_access.h"
#include "cli/cli_args.h"
#include "input/nc_reader.h"
#include "input/wireframe_reader.h"
#include "model/number_text.h"
#include "model/workspace.h"
#include "output/tbf_file.h"

#include <cstdio>
#include <string_view>
#include <utility>

namespace korvix::cli {
namespace {

// The command-line face of the readers' message boxes: one line on stderr each. Status
// texts belong to the window's status bar and are left out.
class StderrReporter : public Reporter {
public:
    void status(std::string_view) override {}
    void information(std::string_view text) override { print("information", text); }
    void warning(std::string_view text) override { print("warning", text); }
    void error(std::string_view text) override { print("error", text); }
    bool confirm(std::string_view text) override {
        print("question", text);
        return true;
    }

private:
    static void print(const char* kind, std::string_view text) {
        std::fprintf(stderr, "korvix-cli: %s: %.*s\n", kind, static_cast<int>(text.size()),
                     text.data());
    }
};

// Puts a reporter in place for the life of the object.
class ReporterScope {
public:
    ReporterScope(Workspace& ws, Reporter& reporter) : m_ws(ws), m_saved(ws.reporter) {
        ws.reporter = &reporter;
    }
    ~ReporterScope() { m_ws.reporter = m_saved; }
    ReporterScope(const ReporterScope&) = delete;
    ReporterScope& operator=(const ReporterScope&) = delete;

private:
    Workspace& m_ws;
    Reporter* m_saved;
};

// Holds back the notes (information, warnings) of one read and passes everything else on.
// The window shows the reader's guesses about a file it could not open before the error; on
// the command line only the error itself is worth a line.
class NotesHeldBack : public Reporter {
public:
    explicit NotesHeldBack(Reporter& inner) : m_inner(inner) {}
    void status(std::string_view text) override { m_inner.status(text); }
    void information(std::string_view text) override {
        m_notes.push_back({false, std::string(text)});
    }
    void warning(std::string_view text) override { m_notes.push_back({true, std::string(text)}); }
    void error(std::string_view text) override { m_inner.error(text); }
    bool confirm(std::string_view text) override { return m_inner.confirm(text); }
    void release() {
        for (const auto& [isWarning, text] : m_notes)
            isWarning ? m_inner.warning(text) : m_inner.information(text);
        m_notes.clear();
    }

private:
    Reporter& m_inner;
    std::vector<std::pair<bool, std::string>> m_notes; // (warning, text)
};

// With --centers auto a program whose arcs plainly fit incremental centres is read again
// that way; otherwise such a finding is a warning.
InputFileResult readNcInput(Workspace& ws, const std::string& fileName,
                            const InputOptions& options) {
    InputFileResult result;
    NcReadOptions ncOptions;
    ncOptions.absoluteCenters = options.centers != CentreChoice::Incremental;
    ncOptions.lowerCaseWords = options.lowerCaseWords;
    ncOptions.drawColor = options.drawColor;
    ncOptions.firstSourceLine = ws.source.nextLine();
    NotesHeldBack reporter(ws.report());
    const NcReadTarget target = ncReadTarget(ws);
    const NcReadTarget heldBack{target.database, target.tools, target.parseLog, target.pump,
                                reporter};
    const NcReadCheckpoint before = ncReadCheckpoint(heldBack);
    NcReadResult read = readNcProgram(heldBack, fileName, ncOptions, {});
    if (read.status != NcReadStatus::CannotOpen)
        reporter.release();
    if (read.ok() && centresLookSwapped(read.centres, ncOptions.absoluteCenters)) {
        const std::string finding =
            centreFinding(read.centres, ncOptions.absoluteCenters, fileName);
        if (options.centers == CentreChoice::Auto) {
            rollBackNcRead(target, before);
            ncOptions.absoluteCenters = !ncOptions.absoluteCenters;
            read = readNcProgram(target, fileName, ncOptions, {});
            ws.report().information(finding + " Read with " +
                                    (ncOptions.absoluteCenters ? "absolute" : "incremental") +
                                    " center points.");
        } else {
            ws.report().warning(finding + " Read it with --centers " +
                                (ncOptions.absoluteCenters ? "incremental" : "absolute") +
                                " (or --centers auto).");
        }
    }
    const std::size_t keptBefore = ws.source.files().size();
    keepReadText(ws, read);
    if (ws.source.files().size() > keptBefore)
        result.sourceFile = keptBefore;
    result.count = read.blocks;
    result.ok = read.ok();
    result.message = read.message;
    result.parseErrors = ws.parseLog.lines;
    result.parseErrorFlag = ws.parseLog.parseErrorFlag;
    return result;
}

InputFileResult readTbfInput(Workspace& ws, const std::string& fileName,
                             const InputOptions& options) {
    InputFileResult result;
    const TbfReadResult read = readTbfFile(ws.database, fileName, options.drawColor, &ws.pump);
    result.count = static_cast<int>(read.pointCount);
    result.ok = read.ok;
    result.message = read.message;
    if (!read.ok)
        ws.report().error(read.message);
    if (const std::string skipped = skippedPointsText(read.skippedPoints, fileName);
        !skipped.empty())
        ws.report().warning(skipped);
    return result;
}

// A wire-frame replaces the one read before; an empty file reads as 0 points.
InputFileResult readWireframeInput(Workspace& ws, const std::string& fileName,
                                   const InputOptions& options) {
    InputFileResult result;
    WireframeReadInfo info;
    result.count =
        readWireframeFile(wireframeReadTarget(ws), fileName, options.wireframeColor, &info);
    result.ok = info.message.empty();
    result.message = info.message;
    if (info.skippedPoints > 0)
        ws.report().warning(
            skippedPointsText(static_cast<std::size_t>(info.skippedPoints), fileName));
    return result;
}

// What the command writes, for the message about a wire-frame it leaves out.
const char* writtenFileKind(std::string_view command) {
    if (command == "tbf")
        return "a TBF file";
    if (command == "apt")
        return "an APT file";
    return "the file written";
}

} // namespace

InputKind inputKindOf(const std::string& fileName) {
    const std::size_t dot = fileName.find_last_of('.');
    const std::size_t slash = fileName.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return InputKind::NcProgram;
    const std::string extension = upperAscii(fileName.substr(dot));
    if (extension == ".WIR")
        return InputKind::Wireframe;
    if (extension == ".TBF")
        return InputKind::Tbf;
    return InputKind::NcProgram;
}

std::vector<InputFileResult> readInputFiles(Workspace& ws, const std::vector<std::string>& files,
                                            const InputOptions& options) {
    StderrReporter reporter;
    ReporterScope scope(ws, reporter);
    std::vector<InputFileResult> results;
    for (const std::string& fileName : files) {
        const InputKind kind = inputKindOf(fileName);
        InputFileResult result;
        switch (kind) {
        case InputKind::NcProgram:
            result = readNcInput(ws, fileName, options);
            break;
        case InputKind::Wireframe:
            result = readWireframeInput(ws, fileName, options);
            break;
        case InputKind::Tbf:
            result = readTbfInput(ws, fileName, options);
            break;
        }
        result.fileName = fileName;
        result.kind = kind;
        results.push_back(std::move(result));
    }
    return results;
}

std::vector<InputFileResult> readInputArguments(Workspace& ws,
                                                const std::vector<std::string>& args) {
    return readInputArguments(ws, ParsedArgs(args, withReadingOptions({})));
}

std::vector<InputFileResult> readInputArguments(Workspace& ws, const ParsedArgs& parsed) {
    if (parsed.positional().empty())
        throw UsageError("no input file given");
    return readInputFiles(ws, parsed.positional(), readingOptionsOf(parsed));
}

OptionSpec withReadingOptions(OptionSpec known) {
    known.withValue.insert("--centers");
    known.switches.insert("--incremental");
    known.switches.insert("--lower-case");
    return known;
}

InputOptions readingOptionsOf(const ParsedArgs& parsed) {
    InputOptions options;
    if (parsed.has("--incremental"))
        options.centers = CentreChoice::Incremental;
    if (const auto centers = parsed.value("--centers")) {
        if (*centers == "absolute")
            options.centers = CentreChoice::Absolute;
        else if (*centers == "incremental")
            options.centers = CentreChoice::Incremental;
        else if (*centers == "auto")
            options.centers = CentreChoice::Auto;
        else
            throw UsageError("--centers: unknown centre type '" + *centers +
                             "' (absolute, incremental or auto)");
    }
    options.lowerCaseWords = parsed.has("--lower-case");
    return options;
}

bool allInputRead(const std::vector<InputFileResult>& results) {
    for (const InputFileResult& result : results)
        if (!result.ok)
            return false;
    return true;
}

const char* countUnit(InputKind kind) {
    return kind == InputKind::Wireframe ? "points" : "blocks";
}

bool readToolpathInput(Workspace& ws, const std::vector<std::string>& files,
                       const InputOptions& options, const char* command) {
    const std::vector<InputFileResult> results = readInputFiles(ws, files, options);
    for (const InputFileResult& result : results) {
        for (const std::string& line : result.parseErrors)
            std::fprintf(stderr, "%s: %s\n", result.fileName.c_str(), line.c_str());
        // The writers write toolpaths only; a wire-frame named among the inputs is not lost
        // without a word.
        if (result.kind == InputKind::Wireframe && result.ok)
            std::fprintf(stderr, "korvix-cli %s: %s: a wire-frame is not part of %s, left out\n",
                         command, result.fileName.c_str(), writtenFileKind(command));
    }
    if (!allInputRead(results)) {
        std::fprintf(stderr, "korvix-cli %s: nothing written: an input file could not be read\n",
                     command);
        return false;
    }
    if (!ws.database.databaseAllocated()) {
        std::fprintf(stderr, "korvix-cli %s: nothing written: the input holds no toolpath\n",
                     command);
        return false;
    }
    return true;
}

} // namespace korvix::cli
