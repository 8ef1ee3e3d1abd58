#include "model/undo_history.h"

#include <cstring>
#include <new>

namespace korvix {

std::optional<PathSnapshot> takeSnapshot(const GraphicsDatabase& database, const ToolTable& tools,
                                         std::size_t budgetBytes) {
    try {
        PathSnapshot snapshot;
        std::byte* out = nullptr;
        std::size_t leftInBlock = 0;
        for (const MoveRecord* r = database.databaseAllocated() ? database.first() : nullptr;
             r != nullptr; r = r->next) {
            if (leftInBlock == 0) {
                if ((snapshot.blocks.size() + 1) * PathSnapshot::kBlockBytes > budgetBytes)
                    return std::nullopt;
                // Left uninitialised: every byte is written once below.
                snapshot.blocks.emplace_back(new std::byte[PathSnapshot::kBlockBytes]);
                out = snapshot.blocks.back().get();
                leftInBlock = PathSnapshot::kBlockRecords;
            }
            std::memcpy(out, r, PathSnapshot::kStoredBytes);
            out += PathSnapshot::kStoredBytes;
            --leftInBlock;
            ++snapshot.count;
        }
        snapshot.status = database.status;
        snapshot.tools = tools;
        return snapshot;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool restoreSnapshot(const PathSnapshot& snapshot, GraphicsDatabase& database, ToolTable& tools) {
    NodeList<MoveRecord> rebuilt;
    MoveRecord* current = nullptr;
    for (std::size_t i = 0; i < snapshot.count; ++i) {
        MoveRecord* previous = current;
        if (previous == nullptr ? !rebuilt.createFirst() : !rebuilt.append(current))
            return false; // the rebuilt list goes with its chunks
        if (previous == nullptr)
            current = rebuilt.head();
        const std::byte* stored = snapshot.blocks[i / PathSnapshot::kBlockRecords].get() +
                                  i % PathSnapshot::kBlockRecords * PathSnapshot::kStoredBytes;
        std::memcpy(static_cast<void*>(current), stored, PathSnapshot::kStoredBytes);
        current->screenX = current->screenY = 0;
        current->prev = previous;
        current->next = nullptr;
    }
    database.records = std::move(rebuilt);
    database.status = snapshot.status;
    tools = snapshot.tools;
    return true;
}

std::optional<PathSnapshot> UndoHistory::snapshotBefore(const GraphicsDatabase& database,
                                                        const ToolTable& tools) const {
    return takeSnapshot(database, tools, m_budget);
}

void UndoHistory::commit(std::string caption, std::optional<PathSnapshot> before) {
    m_redo.clear();
    if (!before) {
        m_undo.clear();
        return;
    }
    makeRoomFor(before->bytes());
    m_undo.push_back({std::move(caption), std::move(*before)});
}

const std::string& UndoHistory::undoCaption() const {
    static const std::string none;
    return m_undo.empty() ? none : m_undo.back().caption;
}

const std::string& UndoHistory::redoCaption() const {
    static const std::string none;
    return m_redo.empty() ? none : m_redo.back().caption;
}

std::size_t UndoHistory::bytesUsed() const {
    std::size_t bytes = 0;
    for (const auto* steps : {&m_undo, &m_redo})
        for (const Step& step : *steps)
            bytes += step.snapshot.bytes();
    return bytes;
}

void UndoHistory::makeRoomFor(std::size_t bytes) {
    // Redo steps are the first to go: they are the furthest from what the user looks at.
    while (!m_redo.empty() && bytesUsed() + bytes > m_budget)
        m_redo.pop_front();
    while (!m_undo.empty() && (bytesUsed() + bytes > m_budget || m_undo.size() >= kMaxSteps))
        m_undo.pop_front();
}

std::optional<std::string> UndoHistory::swapStep(std::deque<Step>& from, std::deque<Step>& to,
                                                 GraphicsDatabase& database, ToolTable& tools) {
    if (from.empty())
        return std::nullopt;
    Step step = std::move(from.back());
    from.pop_back();
    // The state being left becomes the step the other way, when it fits.
    std::optional<PathSnapshot> current = takeSnapshot(database, tools, m_budget);
    if (!restoreSnapshot(step.snapshot, database, tools)) {
        from.push_back(std::move(step));
        return std::nullopt;
    }
    std::string caption = std::move(step.caption);
    if (current) {
        // Older steps the other way make room first, then the oldest steps this way.
        const std::size_t bytes = current->bytes();
        while (!from.empty() && bytesUsed() + bytes > m_budget)
            from.pop_front();
        if (bytesUsed() + bytes <= m_budget && to.size() < kMaxSteps)
            to.push_back({caption, std::move(*current)});
    }
    return caption;
}

std::optional<std::string> UndoHistory::undo(GraphicsDatabase& database, ToolTable& tools) {
    return swapStep(m_undo, m_redo, database, tools);
}

std::optional<std::string> UndoHistory::redo(GraphicsDatabase& database, ToolTable& tools) {
    return swapStep(m_redo, m_undo, database, tools);
}

void UndoHistory::clear() {
    m_undo.clear();
    m_redo.clear();
}

} // namespace korvix
