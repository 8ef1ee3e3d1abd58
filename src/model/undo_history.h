#pragma once

#include "model/graphics_database.h"
#include "model/tool_table.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korvix {

// The toolpath as it was before a command changed it: every record in path order, the
// status block (extents, feed range, cutting time) and the tool table. Records are kept
// without their links and screen positions (a redraw computes those again), in blocks, so
// that taking one is a single walk along the path.
struct PathSnapshot {
    static constexpr std::size_t kStoredBytes = offsetof(MoveRecord, screenX);
    static constexpr std::size_t kBlockRecords = std::size_t{1} << 16;
    static constexpr std::size_t kBlockBytes = kBlockRecords * kStoredBytes;

    std::vector<std::unique_ptr<std::byte[]>> blocks;
    std::size_t count = 0;
    DatabaseStatus status;
    ToolTable tools;

    std::size_t bytes() const { return blocks.size() * kBlockBytes + sizeof(*this); }
};

// Copies the path; nullopt when the copy would need more than `budgetBytes` or the memory
// is not there.
std::optional<PathSnapshot> takeSnapshot(const GraphicsDatabase& database, const ToolTable& tools,
                                         std::size_t budgetBytes);
// Replaces the database and tools with the snapshot's. False (and the database as it was)
// when the memory for the records is not there.
bool restoreSnapshot(const PathSnapshot& snapshot, GraphicsDatabase& database, ToolTable& tools);

// The steps a user can take back and forward again, within a memory budget: the oldest
// steps go first when a new one does not fit, and at most kMaxSteps are kept.
class UndoHistory {
public:
    static constexpr std::size_t kMaxSteps = 20;

    // The window sets a quarter of the machine's memory.
    void setBudget(std::size_t bytes) { m_budget = bytes; }
    std::size_t budget() const { return m_budget; }

    // A command is about to change the path: the state before it, or nullopt when that
    // cannot be kept (too large for the budget).
    std::optional<PathSnapshot> snapshotBefore(const GraphicsDatabase& database,
                                               const ToolTable& tools) const;
    // The command changed the path: `before` becomes the step to undo and the redo steps are
    // gone. Without a snapshot the earlier steps cannot be reached any more either.
    void commit(std::string caption, std::optional<PathSnapshot> before);

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    const std::string& undoCaption() const;
    const std::string& redoCaption() const;
    std::size_t undoSteps() const { return m_undo.size(); }
    std::size_t bytesUsed() const;

    // Puts the path back as it was before the last step (or after the last undone one) and
    // returns the step's caption; nullopt when there is none or memory ran out, with the
    // path unchanged.
    std::optional<std::string> undo(GraphicsDatabase& database, ToolTable& tools);
    std::optional<std::string> redo(GraphicsDatabase& database, ToolTable& tools);

    void clear();

private:
    struct Step {
        std::string caption;
        PathSnapshot snapshot;
    };
    std::optional<std::string> swapStep(std::deque<Step>& from, std::deque<Step>& to,
                                        GraphicsDatabase& database, ToolTable& tools);
    void makeRoomFor(std::size_t bytes);

    std::deque<Step> m_undo; // oldest first
    std::deque<Step> m_redo; // the next redo last
    std::size_t m_budget = std::size_t{1} << 30;
};

} // namespace korvix
