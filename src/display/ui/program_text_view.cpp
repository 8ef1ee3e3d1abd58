#include "display/ui/program_text_view.h"

#include "display/program_text.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace korvix::ui {
namespace {

// The widest line the pane lays out: a longer one is cut there (an NC block is far shorter).
constexpr std::size_t kShownCharacters = 400;
constexpr int kPadding = 4;

QColor colorOf(TextStyle style) {
    switch (style) {
    case TextStyle::Code:
        return QColor(0x1a, 0x4f, 0xc4);
    case TextStyle::Axis:
        return QColor(0x10, 0x7a, 0x32);
    case TextStyle::Feed:
        return QColor(0xa8, 0x4b, 0x00);
    case TextStyle::Comment:
        return QColor(0x80, 0x80, 0x80);
    case TextStyle::BlockNumber:
        return QColor(0x70, 0x50, 0x90);
    case TextStyle::Plain:
        break;
    }
    return QColor(0x20, 0x20, 0x20);
}

// NC programs are ASCII; any other byte shows as its Latin-1 character, never as a decoding
// error, and tabs as blanks so that columns stay one character wide.
QString shownText(std::string_view text) {
    QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return shown;
}

QString fileHeader(const SourceFile& file) {
    return QString::fromStdString(file.name) + "  (" + QString::number(file.lineCount()) +
           (file.lineCount() == 1 ? " line)" : " lines)");
}

} // namespace

ProgramTextView::ProgramTextView(const ProgramSource& source, QWidget* parent)
    : QAbstractScrollArea(parent), m_source(source) {
    setObjectName("ProgramTextView");
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    setFont(font);
    const QFontMetrics metrics(font);
    m_rowHeight = std::max(1, metrics.height());
    m_charWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
    m_ascent = metrics.ascent();
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    updateScrollBars();
}

void ProgramTextView::sourceChanged() {
    if (m_current && *m_current >= m_source.rowCount())
        m_current.reset();
    updateScrollBars();
    viewport()->update();
}

std::size_t ProgramTextView::firstVisibleRow() const {
    return static_cast<std::size_t>(std::max(0, verticalScrollBar()->value()));
}

std::size_t ProgramTextView::visibleRows() const {
    return static_cast<std::size_t>(std::max(1, viewport()->height() / m_rowHeight));
}

std::optional<std::size_t> ProgramTextView::rowAt(int viewportY) const {
    if (viewportY < 0)
        return std::nullopt;
    const std::size_t row = firstVisibleRow() + static_cast<std::size_t>(viewportY / m_rowHeight);
    if (row >= m_source.rowCount())
        return std::nullopt;
    return row;
}

void ProgramTextView::setCurrentRow(std::size_t row) {
    if (row >= m_source.rowCount())
        return;
    m_current = row;
    const std::size_t first = firstVisibleRow();
    const std::size_t rows = visibleRows();
    if (row < first || row >= first + rows) {
        const std::size_t top = row > rows / 2 ? row - rows / 2 : 0;
        verticalScrollBar()->setValue(static_cast<int>(top));
    }
    viewport()->update();
}

void ProgramTextView::clearCurrentRow() {
    m_current.reset();
    viewport()->update();
}

int ProgramTextView::gutterWidth() const {
    std::size_t widest = 1;
    for (const SourceFile& file : m_source.files())
        widest = std::max(widest, file.lineCount());
    int digits = 1;
    for (; widest >= 10; widest /= 10)
        ++digits;
    return (digits + 1) * m_charWidth + kPadding;
}

void ProgramTextView::updateScrollBars() {
    const int rows = static_cast<int>(std::min<std::size_t>(m_source.rowCount(), INT32_MAX));
    const int page = static_cast<int>(visibleRows());
    verticalScrollBar()->setRange(0, std::max(0, rows - page));
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(1);
    // The width of the widest line in sight: measuring every line of a big file would cost
    // what the virtual drawing saves.
    std::size_t widest = 0;
    const std::size_t first = firstVisibleRow();
    const std::size_t end = std::min(m_source.rowCount(), first + visibleRows() + 1);
    for (std::size_t row = first; row < end; ++row) {
        const ProgramSource::Row at = m_source.rowAt(row);
        if (at.line > 0)
            widest = std::max(widest, m_source.files()[at.file].line(at.line - 1).size());
    }
    const int content = gutterWidth() + kPadding +
                        static_cast<int>(std::min(widest, kShownCharacters)) * m_charWidth;
    horizontalScrollBar()->setRange(0, std::max(0, content - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(m_charWidth);
}

void ProgramTextView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(font());
    const QRect area = viewport()->rect();
    painter.fillRect(area, QColor(0xff, 0xff, 0xff));
    const int gutter = gutterWidth();
    const int shift = horizontalScrollBar()->value();
    const std::size_t first = firstVisibleRow();
    const std::size_t end = std::min(m_source.rowCount(), first + visibleRows() + 1);
    painter.fillRect(QRect(0, 0, gutter, area.height()), QColor(0xf0, 0xf0, 0xf0));
    for (std::size_t row = first; row < end; ++row) {
        const int y = static_cast<int>(row - first) * m_rowHeight;
        const ProgramSource::Row at = m_source.rowAt(row);
        const SourceFile& file = m_source.files()[at.file];
        const QRect band(0, y, area.width(), m_rowHeight);
        if (at.line == 0) {
            painter.fillRect(band, QColor(0xd8, 0xdc, 0xe8));
            QFont bold = font();
            bold.setBold(true);
            painter.setFont(bold);
            painter.setPen(QColor(0x20, 0x20, 0x40));
            painter.drawText(kPadding - shift, y + m_ascent, fileHeader(file));
            painter.setFont(font());
            continue;
        }
        if (m_current && *m_current == row)
            painter.fillRect(band, QColor(0xff, 0xe8, 0x8a));
        painter.setPen(QColor(0x90, 0x90, 0x90));
        painter.drawText(QRect(0, y, gutter - kPadding, m_rowHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(at.line));
        painter.save();
        painter.setClipRect(QRect(gutter, y, area.width() - gutter, m_rowHeight));
        const std::string_view line = file.line(at.line - 1).substr(0, kShownCharacters);
        const int x0 = gutter + kPadding - shift;
        for (const StyledRun& run : styleLine(line)) {
            painter.setPen(colorOf(run.style));
            painter.drawText(x0 + static_cast<int>(run.start) * m_charWidth, y + m_ascent,
                             shownText(line.substr(run.start, run.length)));
        }
        painter.restore();
    }
}

void ProgramTextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ProgramTextView::scrollContentsBy(int, int dy) {
    if (dy != 0)
        updateScrollBars();
    viewport()->update();
}

void ProgramTextView::choose(std::size_t row) {
    setCurrentRow(row);
    if (rowChosen)
        rowChosen(row);
}

void ProgramTextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (const std::optional<std::size_t> row = rowAt(event->position().toPoint().y()))
        choose(*row);
}

void ProgramTextView::keyPressEvent(QKeyEvent* event) {
    const std::size_t rows = m_source.rowCount();
    if (rows == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const std::size_t current = m_current.value_or(firstVisibleRow());
    const std::size_t page = std::max<std::size_t>(1, visibleRows() - 1);
    std::size_t target = current;
    switch (event->key()) {
    case Qt::Key_Up:
        target = current > 0 ? current - 1 : 0;
        break;
    case Qt::Key_Down:
        target = std::min(rows - 1, current + 1);
        break;
    case Qt::Key_PageUp:
        target = current > page ? current - page : 0;
        break;
    case Qt::Key_PageDown:
        target = std::min(rows - 1, current + page);
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = rows - 1;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    choose(target);
}

} // namespace korvix::ui
