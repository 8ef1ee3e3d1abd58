#pragma once

#include <array>
#include <optional>

namespace korvix {

// The enabled states of the thirteen main-menu items that long-running commands lock, in
// this order: File, Open, Save, Close, Print, Exit, Edit, Animate, Identify, Levels,
// Measure, Options, Text.
inline constexpr int kMenuStateItems = 13;
inline constexpr const char* kMenuStateItemNames[kMenuStateItems] = {
    "File1",    "Open1",     "Save1",   "Close1",   "Print1",   "Exit1", "Edit2",
    "Animate1", "Identify1", "Levels1", "Measure1", "Options1", "Text1"};
using MenuStates = std::array<bool, kMenuStateItems>;

// Up to ten saved sets. A push at depth 10 overwrites the top set rather than growing, so a
// runaway nesting loses the tenth set but never more memory.
class MenuStateStack {
public:
    static constexpr int kMaxDepth = 10;

    void push(const MenuStates& states) {
        if (m_depth < kMaxDepth)
            ++m_depth;
        m_sets[static_cast<std::size_t>(m_depth)] = states;
    }
    // The states to restore, or nothing when the stack is empty.
    std::optional<MenuStates> pop() {
        if (m_depth == 0)
            return std::nullopt;
        return m_sets[static_cast<std::size_t>(m_depth--)];
    }
    void clear() { m_depth = 0; }
    int depth() const { return m_depth; }

private:
    std::array<MenuStates, kMaxDepth + 1> m_sets{};
    int m_depth = 0;
};

} // namespace korvix
