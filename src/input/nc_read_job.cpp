#include "input/nc_read_job.h"

#include <system_error>

namespace korvix {

NcReadJob::NcReadJob(const GraphicsDatabase& loaded, const ToolTable& tools, std::string fileName,
                     const NcReadOptions& options, std::uint64_t availableMemory)
    : m_fileName(std::move(fileName)), m_options(options), m_tools(tools) {
    m_continuation.status = loaded.status;
    if (loaded.databaseAllocated()) {
        const auto [last, count] = loaded.records.lastAndCount();
        m_loadedLast = last;
        m_continuation.recordCount = count;
    }
    m_database.readRecordBudget = loaded.readRecordBudget;
    if (availableMemory > 0 && recordsThatFit(availableMemory) < loaded.readRecordBudget) {
        m_database.readRecordBudget = recordsThatFit(availableMemory);
        m_memoryBound = true;
    }
}

NcReadJob::~NcReadJob() {
    if (m_thread.joinable()) {
        requestCancel();
        m_thread.join();
    }
}

void NcReadJob::start(std::function<void()> finished) {
    m_finished = std::move(finished);
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        // No thread to be had: the read runs here, the window still and the result the same.
        run();
    }
}

void NcReadJob::wait() {
    if (m_thread.joinable())
        m_thread.join();
}

void NcReadJob::requestCancel() {
    if (done()) {
        // Only the owner calls this once the read has ended (the worker has let go).
        if (m_result.status != NcReadStatus::Canceled) {
            m_database.records.freeAll();
            m_result = NcReadResult{};
            m_result.status = NcReadStatus::Canceled;
        }
        return;
    }
    m_cancel.store(true, std::memory_order_relaxed);
    // The reader clears the pump's request when it starts; the caller repeats its request
    // until the job is done, and the flag above decides in the end.
    m_pump.requestCancel();
}

void NcReadJob::run() {
    if (!m_cancel.load(std::memory_order_relaxed)) {
        const NcReadTarget target{m_database, m_tools, m_log, m_pump, m_messages, &m_continuation};
        m_result = readNcProgram(target, m_fileName, m_options, {});
    }
    if (m_memoryBound && m_result.status == NcReadStatus::TooLarge) {
        // The file is not too large as such: the memory is taken.
        m_result.status = NcReadStatus::OutOfMemory;
        m_result.message = outOfMemoryText(m_fileName);
        m_messages.clear();
        m_messages.error(m_result.message);
    }
    if (m_cancel.load(std::memory_order_relaxed) && m_result.status != NcReadStatus::Canceled) {
        // Asked to stop after its last check: the records go all the same, and they go here
        // rather than on the thread that waits for the job.
        m_database.records.freeAll();
        m_result = NcReadResult{};
        m_result.status = NcReadStatus::Canceled;
    }
    m_done.store(true, std::memory_order_release);
    if (m_finished)
        m_finished();
}

bool NcReadJob::handOver(const NcReadTarget& target) {
    wait();
    if (m_result.status == NcReadStatus::Canceled)
        return true;
    GraphicsDatabase& database = target.database;
    if (m_database.databaseAllocated()) {
        if (!database.records.spliceAfter(m_loadedLast, m_database.records))
            return false;
        // The job's status block went on from the loaded path's: it holds both.
        database.status = m_database.status;
    }
    target.tools = m_tools;
    target.parseLog = std::move(m_log);
    m_messages.replay(target.reporter);
    return true;
}

} // namespace korvix
