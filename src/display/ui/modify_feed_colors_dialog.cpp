#include "display/ui/modify_feed_colors_dialog.h"

#include "ui/canvas/qt_canvas.h"
#include "ui/main_window.h"

#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace korvix::ui {

ModifyFeedColorsDialog& ModifyFeedColorsDialog::of(Tf& window) {
    return window.dialog<ModifyFeedColorsDialog>(
        [&window] { return new ModifyFeedColorsDialog(&window); });
}

ModifyFeedColorsDialog::ModifyFeedColorsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("TModifyFeedColorsDialog");
    setWindowTitle("Modify colors for each feed rate");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setFixedSize(420, 96);

    m_label = new QLabel("Feed rate:", this);
    m_label->setObjectName("FeedLabel1");
    m_label->setGeometry(8, 18, 70, 18);
    m_keyEdit = new QLineEdit(this);
    m_keyEdit->setObjectName("FeedEdit1");
    m_keyEdit->setReadOnly(true);
    m_keyEdit->setGeometry(78, 14, 76, 24);

    const auto button = [this](const char* caption, const char* name, int x) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(x, 56, 76, 28);
        return b;
    };
    m_previous = button("&Previous", "PreviousButton", 8);
    auto* ok = button("&Ok", "OkButton", 90);
    auto* cancel = button("&Cancel", "CancelButton", 172);
    m_next = button("&Next", "NextButton", 254);
    auto* change = button("C&hange", "ChangeButton", 336);
    ok->setDefault(true);

    m_colorDialog = new QColorDialog(this);
    m_colorDialog->setObjectName("ColorDialog1");
    m_colorDialog->setOption(QColorDialog::DontUseNativeDialog);

    connect(m_previous, &QPushButton::clicked, this, [this] { step(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { step(1); });
    connect(change, &QPushButton::clicked, this, [this] { changeColor(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ModifyFeedColorsDialog::setTable(ColorTable* table) {
    m_table = table;
}

void ModifyFeedColorsDialog::setTexts(const QString& caption, const QString& label) {
    setWindowTitle(caption);
    m_label->setText(label);
}

int ModifyFeedColorsDialog::currentIndex() const {
    return m_table != nullptr ? m_table->currentIndex : 0;
}

QString ModifyFeedColorsDialog::keyText() const {
    return m_keyEdit->text();
}

QColor ModifyFeedColorsDialog::swatchColor() const {
    if (m_table == nullptr || m_table->count == 0)
        return Qt::black;
    return toQColor(m_table->entries[static_cast<std::size_t>(m_table->currentIndex - 1)].color);
}

void ModifyFeedColorsDialog::showEvent(QShowEvent* event) {
    if (m_table != nullptr)
        m_table->currentIndex = 1;
    refresh();
    QDialog::showEvent(event);
}

void ModifyFeedColorsDialog::refresh() {
    const int count = m_table != nullptr ? m_table->count : 0;
    const int index = currentIndex();
    m_previous->setEnabled(index > 1);
    m_next->setEnabled(index < count);
    if (count == 0) {
        m_keyEdit->clear();
    } else {
        const ColorTableEntry& entry = m_table->entries[static_cast<std::size_t>(index - 1)];
        m_keyEdit->setText(
            QString::fromStdString(colorKeyText(entry.key, m_label->text().toStdString())));
    }
    update(kSwatch);
}

void ModifyFeedColorsDialog::step(int delta) {
    if (m_table == nullptr)
        return;
    const int index = m_table->currentIndex + delta;
    if (index >= 1 && index <= m_table->count)
        m_table->currentIndex = index;
    refresh();
}

void ModifyFeedColorsDialog::changeColor() {
    if (m_table == nullptr || m_table->count == 0)
        return;
    ColorTableEntry& entry = m_table->entries[static_cast<std::size_t>(m_table->currentIndex - 1)];
    m_colorDialog->setCurrentColor(toQColor(entry.color));
    if (m_colorDialog->exec() != QDialog::Accepted)
        return;
    const QColor chosen = m_colorDialog->currentColor();
    entry.color = makeRgb(chosen.red(), chosen.green(), chosen.blue());
    refresh();
}

void ModifyFeedColorsDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(kSwatch, swatchColor());
}

} // namespace korvix::ui
