#include "input/nc_reader.h"

#include "input/nc_block_reader.h"
#include "input/nc_text_file.h"
#include "input/source_text_keeper.h"
#include "model/read_budget.h"

#include <algorithm>
#include <cstring>

namespace korvix {
namespace {

// A line keeps at most this many characters; the rest of a longer line is dropped.
constexpr std::size_t kLineLength = 80;

// Interprets one raw line (line end excluded): cut to 80 characters first, then blanks and
// NULs removed, which can join the pieces of a number ("X1 2" is X12).
bool readLine(nc::NcBlockReader& reader, const char* raw, std::size_t rawLength) {
    char line[kLineLength];
    const std::size_t length = std::min(rawLength, kLineLength);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = raw[i];
        line[kept] = c;
        kept += (c != ' ' && c != '\0') ? 1 : 0;
    }
    return reader.readBlock(line, kept);
}

// Splits the file into lines at every line feed (one carriage return right before it is
// part of the line end in DOS files), or at every carriage return in a file that holds no
// line feed at all, and hands them to the block reader. A last line without
// a line end is a line too. Lines that cross a buffer boundary are gathered in a small
// buffer of their first characters, which is all that is kept of them.
class LineSplitter {
public:
    LineSplitter(nc::NcBlockReader& reader, bool dos, char lineEnd)
        : m_reader(reader), m_dos(dos), m_lineEnd(lineEnd) {}

    // Returns false when the reader asks to stop.
    bool feed(const char* data, std::size_t size, MessagePump& pump) {
        const char* p = data;
        const char* const end = data + size;
        while (p < end) {
            const char* lf = static_cast<const char*>(std::memchr(p, m_lineEnd, end - p));
            if (lf == nullptr) {
                carry(p, static_cast<std::size_t>(end - p));
                return true;
            }
            bool ok = true;
            if (m_carriedRaw == 0) {
                ok = line(p, static_cast<std::size_t>(lf - p));
            } else {
                carry(p, static_cast<std::size_t>(lf - p));
                ok = line(m_carried, m_carriedRaw);
                m_carriedRaw = 0;
                m_carriedKept = 0;
            }
            if (!ok)
                return false;
            pump.pump();
            p = lf + 1;
        }
        return true;
    }

    // The last line, when the file does not end with a line feed.
    bool finish() {
        if (m_carriedRaw == 0)
            return true;
        const std::size_t raw = m_carriedRaw;
        m_carriedRaw = 0;
        // No line feed follows: a carriage return here is an ordinary character.
        return readLine(m_reader, m_carried, std::min(raw, kLineLength));
    }

private:
    // `raw` is the whole line's length; only the first 80 characters are at `text` (for
    // carried lines, in m_carried).
    bool line(const char* text, std::size_t raw) {
        // The carriage return of a DOS line end matters only when it falls within the first
        // 80 characters; past them the line is cut anyway.
        if (m_dos && raw > 0 && raw <= kLineLength && text[raw - 1] == '\r')
            --raw;
        return readLine(m_reader, text, std::min(raw, kLineLength));
    }

    void carry(const char* text, std::size_t size) {
        const std::size_t room = kLineLength - m_carriedKept;
        const std::size_t take = std::min(room, size);
        std::memcpy(m_carried + m_carriedKept, text, take);
        m_carriedKept += take;
        m_carriedRaw += size;
    }

    nc::NcBlockReader& m_reader;
    const bool m_dos;
    const char m_lineEnd;
    char m_carried[kLineLength];
    std::size_t m_carriedKept = 0; // characters of the carried line held in m_carried
    std::size_t m_carriedRaw = 0;  // characters of the carried line seen so far
};

NcReadResult failure(NcReadStatus status, std::string message) {
    NcReadResult result;
    result.status = status;
    result.message = std::move(message);
    return result;
}

} // namespace

bool centresLookSwapped(const CentreCheck& check, bool absoluteCenters) {
    const int chosen = absoluteCenters ? check.fitAbsolute : check.fitIncremental;
    const int other = absoluteCenters ? check.fitIncremental : check.fitAbsolute;
    return check.tested >= 3 && chosen * 2 < check.tested && other * 10 >= check.tested * 9;
}

std::string centreFinding(const CentreCheck& check, bool absoluteCenters,
                          const std::string& fileName) {
    const int chosen = absoluteCenters ? check.fitAbsolute : check.fitIncremental;
    const char* const type = absoluteCenters ? "absolute" : "incremental";
    const char* const other = absoluteCenters ? "incremental" : "absolute";
    return std::to_string(check.tested - chosen) + " of " + std::to_string(check.tested) +
           " arcs in \"" + fileName + "\" do not fit " + type +
           " center points; the program looks like it uses " + other + " center points.";
}

std::string centreQuestion(const CentreCheck& check, bool absoluteCenters,
                           const std::string& fileName) {
    return centreFinding(check, absoluteCenters, fileName) + " Read it again with " +
           (absoluteCenters ? "incremental" : "absolute") + " center points?";
}

NcReadCheckpoint ncReadCheckpoint(const NcReadTarget& target) {
    NcReadCheckpoint checkpoint;
    if (target.database.records.allocated())
        checkpoint.lastBefore = target.database.records.lastAndCount().first;
    checkpoint.tools = target.tools;
    checkpoint.status = target.database.status;
    return checkpoint;
}

void rollBackNcRead(const NcReadTarget& target, const NcReadCheckpoint& checkpoint) {
    NodeList<MoveRecord>& records = target.database.records;
    if (checkpoint.lastBefore == nullptr) {
        records.freeAll();
    } else {
        MoveRecord* record = checkpoint.lastBefore->next;
        checkpoint.lastBefore->next = nullptr;
        while (record != nullptr) {
            MoveRecord* const next = record->next;
            records.release(record);
            record = next;
        }
    }
    target.tools = checkpoint.tools;
    target.database.status = checkpoint.status;
}

NcReadResult readNcProgram(const NcReadTarget& target, const std::string& fileName,
                           const NcReadOptions& options, const FitToExtents& fit) {
    target.parseLog.clear();

    nc::TextFile file;
    if (!file.open(fileName)) {
        target.reporter.warning("File access error, READONLY attribute flag may be set.");
        target.reporter.information("Unable to determine DOS or UNIX file type, will assume DOS "
                                    "type...");
        std::string message =
            "Unable to open file \"" + fileName + "\": " + file.errorText() + "...";
        target.reporter.error(message);
        return failure(NcReadStatus::CannotOpen, std::move(message));
    }
    if (!file.fill()) {
        std::string message =
            "Unable to read file \"" + fileName + "\": " + file.errorText() + "...";
        target.reporter.error(message);
        return failure(NcReadStatus::CannotOpen, std::move(message));
    }
    if (nc::looksBinary(file.data(), std::min(file.size(), nc::kBinarySniffBytes))) {
        std::string message =
            "The file \"" + fileName + "\" holds binary data, not an NC program...";
        target.reporter.error(message);
        return failure(NcReadStatus::BinaryData, std::move(message));
    }

    // The first 256 bytes decide the line ends; an empty file counts as DOS.
    const std::size_t sniffed = std::min<std::size_t>(file.size(), 256);
    const bool dos = file.size() == 0 || std::memchr(file.data(), '\r', sniffed) != nullptr;
    // A file whose lines end in CR alone would otherwise read as one line.
    const bool crOnly = std::memchr(file.data(), '\n', file.size()) == nullptr &&
                        std::memchr(file.data(), '\r', file.size()) != nullptr &&
                        !file.restHolds('\n');

    nc::NcBlockReader reader(target, options);
    LineSplitter splitter(reader, dos && !crOnly, crOnly ? '\r' : '\n');
    nc::SourceTextKeeper source(fileName, options.firstSourceLine, file.fileSize(),
                                crOnly ? '\r' : '\n');
    bool outOfMemory = false;
    bool readError = false;
    bool canceled = false;
    target.pump.clearCancel();
    while (file.size() > 0) {
        target.pump.setProgress(file.bytesRead(), file.fileSize());
        source.append(file.data(), file.size());
        if (!splitter.feed(file.data(), file.size(), target.pump)) {
            outOfMemory = true;
            break;
        }
        // Checked once per buffer of the file: often enough to stop at once, rare enough to
        // cost nothing.
        if (target.pump.cancelRequested()) {
            canceled = true;
            break;
        }
        if (!file.fill()) {
            readError = true;
            break;
        }
    }
    if (canceled) {
        reader.rollBack();
        target.pump.clearCancel();
        return failure(NcReadStatus::Canceled, {});
    }
    if (!outOfMemory && !splitter.finish())
        outOfMemory = true;

    if (outOfMemory) {
        // Whatever was loaded before stays: only this file's records are given back.
        reader.rollBack();
        const bool tooLarge = reader.overBudget();
        std::string message = tooLarge ? "The file \"" + fileName + "\" makes more than " +
                                             std::to_string(target.database.readRecordBudget) +
                                             " moves and arc pieces, nothing was read..."
                                       : outOfMemoryText(fileName);
        target.reporter.error(message);
        return failure(tooLarge ? NcReadStatus::TooLarge : NcReadStatus::OutOfMemory,
                       std::move(message));
    }

    NcReadResult result;
    result.blocks = reader.finish();
    result.centres = reader.centres();
    result.source = source.finish();
    if (reader.databaseAllocated() && fit)
        fit(target.database.status.extents);
    if (readError) {
        result.status = NcReadStatus::ReadError;
        result.message = "Unable to read file \"" + fileName + "\": " + file.errorText() + "...";
        target.reporter.error(result.message);
    }
    return result;
}

int readNcFile(const NcReadTarget& target, const std::string& fileName,
               const NcReadOptions& options, const FitToExtents& fit) {
    return readNcProgram(target, fileName, options, fit).blocks;
}

} // namespace korvix
