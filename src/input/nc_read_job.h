#pragma once

#include "input/nc_reader.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/parse_log.h"
#include "model/read_budget.h"
#include "model/reporter.h"
#include "model/tool_table.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <utility>

namespace korvix {

// An NC read on a worker thread. The job reads into a database, tool table and parsing log
// of its own, so the loaded path stays as it was (and can be drawn) while the file is read;
// the reader's messages wait in the job. When the read is done, the thread that owns the
// loaded path hands the records over (spliced on after the path: no record is copied) or
// drops them with the job.
//
// Everything but start, done, progress and requestCancel belongs to the thread that made
// the job.
class NcReadJob {
public:
    // Takes what the read goes on from: the loaded path's status block and record count, the
    // tool table and the record budget. The loaded path must not change until the job has
    // been handed over or dropped.
    //
    // The budget shrinks to what `availableMemory` (what the system can still give, 0 when
    // unknown) can take beside the paths loaded before: a read that would need more stops
    // with "Not enough memory" and nothing of it is kept, rather than the system stopping
    // the program with everything loaded.
    NcReadJob(const GraphicsDatabase& loaded, const ToolTable& tools, std::string fileName,
              const NcReadOptions& options, std::uint64_t availableMemory = availableMemoryBytes());
    // Stops a read that still runs and waits for its thread.
    ~NcReadJob();
    NcReadJob(const NcReadJob&) = delete;
    NcReadJob& operator=(const NcReadJob&) = delete;

    // Starts the read. `finished`, if given, is called on the worker thread right after
    // done() has become true (to wake an event loop that waits for it).
    void start(std::function<void()> finished = {});
    bool done() const { return m_done.load(std::memory_order_acquire); }
    // Blocks until the read has ended.
    void wait();

    // Bytes of the file read so far, and the file's size (0 while unknown).
    std::uint64_t bytesRead() const { return m_pump.progressDone(); }
    std::uint64_t fileSize() const { return m_pump.progressTotal(); }

    // Asks the read to stop. It gives its records back, and a read that ended anyway
    // counts as canceled too: nothing is handed over. Once done(), only the thread that
    // made the job may call this.
    void requestCancel();

    // How the read ended; valid once done() is true.
    const NcReadResult& result() const { return m_result; }
    // Moves the result out (the file's text with it) once the job is no longer asked.
    NcReadResult takeResult() { return std::move(m_result); }

    // Once done(): joins the records, the tool table and the status block to `target` (the
    // loaded path the job was made from) and its parsing log, and shows the reader's
    // messages through its reporter. A canceled read changes nothing and shows nothing.
    // False when the records could not be joined (no memory for the pool's chunk table):
    // the target is then as before, and the records are dropped with the job.
    bool handOver(const NcReadTarget& target);

private:
    void run();

    const std::string m_fileName;
    const NcReadOptions m_options;
    NcReadContinuation m_continuation;
    MoveRecord* m_loadedLast = nullptr; // the records are joined on after it
    GraphicsDatabase m_database;
    ToolTable m_tools;
    ParseLog m_log;
    MessagePump m_pump; // without a handler: progress and cancel only
    DeferredReporter m_messages;
    NcReadResult m_result;
    bool m_memoryBound = false; // the budget is what the free memory takes
    std::atomic<bool> m_cancel = false;
    std::atomic<bool> m_done = false;
    std::function<void()> m_finished;
    std::thread m_thread;
};

} // namespace korvix
