#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace korvix {

// Keeps the window alive during long loops. The core calls pump() as often as it likes
// (once per record); only every kCallsPerCheck-th call reaches the installed handler, and
// the GUI's handler in turn dispatches events at most every few milliseconds of wall time.
// Without a handler (command-line tool, tests, a read on a worker thread) pumping does
// nothing.
//
// The progress figures and the cancel request may be used across threads: a job on a
// worker thread sets its progress and looks at the request while the window thread reads
// the one and sets the other. Everything else belongs to one thread.
class MessagePump {
public:
    static constexpr std::uint32_t kCallsPerCheck = 256;

    void install(std::function<void()> handler) { m_handler = std::move(handler); }
    bool installed() const { return static_cast<bool>(m_handler); }

    // Cheap enough for the innermost loop.
    void pump() {
        if (++m_calls % kCallsPerCheck == 0 && m_handler)
            m_handler();
    }
    // Dispatches now, whatever the count (before a long step, after a status text).
    void pumpNow() {
        if (m_handler)
            m_handler();
    }

    // How far a long job has come (for example bytes of a file read so far and the file
    // size); the window shows it as a progress bar. A total of 0 means no known progress.
    void setProgress(std::uint64_t done, std::uint64_t total) {
        m_progressTotal.store(total, std::memory_order_relaxed);
        m_progressDone.store(done, std::memory_order_relaxed);
    }
    std::uint64_t progressDone() const { return m_progressDone.load(std::memory_order_relaxed); }
    std::uint64_t progressTotal() const { return m_progressTotal.load(std::memory_order_relaxed); }

    // The user asked the long job to stop (Esc, the Cancel button); jobs that can stop
    // cleanly look at this between steps and clear it when they start.
    void requestCancel() { m_cancelRequested.store(true, std::memory_order_relaxed); }
    void clearCancel() { m_cancelRequested.store(false, std::memory_order_relaxed); }
    bool cancelRequested() const { return m_cancelRequested.load(std::memory_order_relaxed); }

private:
    std::function<void()> m_handler;
    std::uint32_t m_calls = 0;
    std::atomic<std::uint64_t> m_progressDone = 0;
    std::atomic<std::uint64_t> m_progressTotal = 0;
    std::atomic<bool> m_cancelRequested = false;
};

} // namespace korvix
