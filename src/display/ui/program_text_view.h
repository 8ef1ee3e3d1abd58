#pragma once

#include "model/program_source.h"

#include <QAbstractScrollArea>
#include <cstddef>
#include <functional>
#include <optional>

namespace korvix::ui {

// The program text, drawn row by row from the kept bytes: only the rows in sight are painted,
// so a program of a million lines costs no more than a short one. Each file starts with a
// header row; lines have their numbers in a gutter and are coloured by word. One row is the
// current one (highlighted); the mouse and the arrow and page keys move it.
class ProgramTextView final : public QAbstractScrollArea {
public:
    explicit ProgramTextView(const ProgramSource& source, QWidget* parent = nullptr);

    // The files changed (one was read, or all were dropped).
    void sourceChanged();
    std::optional<std::size_t> currentRow() const { return m_current; }
    // Makes `row` current and scrolls it into sight: centred when it was out of sight.
    void setCurrentRow(std::size_t row);
    void clearCurrentRow();
    // The first row in sight and how many rows fit.
    std::size_t firstVisibleRow() const;
    std::size_t visibleRows() const;
    // The row under a point of the viewport; nullopt below the last row.
    std::optional<std::size_t> rowAt(int viewportY) const;
    int rowHeight() const { return m_rowHeight; }

    // The user made a row current (click or key).
    std::function<void(std::size_t row)> rowChosen;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateScrollBars();
    void choose(std::size_t row);
    int gutterWidth() const;

    const ProgramSource& m_source;
    std::optional<std::size_t> m_current;
    int m_rowHeight = 1;
    int m_charWidth = 1;
    int m_ascent = 0;
};

} // namespace korvix::ui
