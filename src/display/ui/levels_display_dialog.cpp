#include "display/ui/levels_display_dialog.h"

#include "model/reporter.h"
#include "ui/dialog_placement.h"
#include "ui/main_window.h"
#include "ui/numeric_field.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace korvix::ui {
namespace {

int showBox(QWidget& owner, QMessageBox::Icon icon, std::string_view text,
            QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, "Korvix",
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), buttons,
                    &owner);
    if (buttons & QMessageBox::Yes)
        box.setDefaultButton(QMessageBox::Yes);
    return box.exec();
}

} // namespace

void LevelsDisplayDialog::BoxReporter::information(std::string_view text) {
    showBox(m_owner, QMessageBox::Information, text, QMessageBox::Ok);
}
void LevelsDisplayDialog::BoxReporter::warning(std::string_view text) {
    showBox(m_owner, QMessageBox::Warning, text, QMessageBox::Ok);
}
void LevelsDisplayDialog::BoxReporter::error(std::string_view text) {
    showBox(m_owner, QMessageBox::Critical, text, QMessageBox::Ok);
}
bool LevelsDisplayDialog::BoxReporter::confirm(std::string_view text) {
    return showBox(m_owner, QMessageBox::NoIcon, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

LevelsDisplayDialog& LevelsDisplayDialog::of(Tf& window) {
    return window.dialog<LevelsDisplayDialog>(
        [&window] { return new LevelsDisplayDialog(window.reporter(), &window); });
}

LevelsDisplayDialog::LevelsDisplayDialog(Reporter& reporter, QWidget* parent)
    : QDialog(parent), m_boxes(reporter, *this) {
    setObjectName("TLevelsDisplayDialog");
    setWindowTitle("Display Individual Levels");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);

    auto* fields = new QGridLayout;
    const auto place = [&](QGridLayout& grid, const char* caption, QLineEdit* edit, int row) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        grid.addWidget(label, row, 0);
        grid.addWidget(edit, row, 1);
    };
    place(*fields, "Upper level", addReadOnly("UpperLevelEdit"), 0);
    place(*fields, "Lower level", addReadOnly("LowerLevelEdit"), 1);
    m_levelsDisplayed = new QLineEdit("1", this);
    m_levelsDisplayed->setObjectName("NumberLevelsDisplayedEdit");
    m_levelsDisplayed->installEventFilter(this);
    place(*fields, "Number of levels displayed", m_levelsDisplayed, 2);

    auto* current = new QGroupBox("Level(s) currently displayed", this);
    auto* currentGrid = new QGridLayout(current);
    place(*currentGrid, "Top level", addReadOnly("Level1Edit"), 0);
    place(*currentGrid, "Bottom level", addReadOnly("Level2Edit"), 1);
    place(*currentGrid, "Cutting time", addReadOnly("CuttingTimeEdit"), 2);

    m_clearScreen = new QCheckBox("Clear screen", this);
    m_clearScreen->setObjectName("ClearScreenCheckBox");
    m_clearScreen->setChecked(true);
    m_fitToGeometry = new QCheckBox("Fit screen to current geometry", this);
    m_fitToGeometry->setObjectName("FitToGeometryCheckBox");
    m_fitToGeometry->setChecked(true);

    m_up = addStateButton("Up", "UpButton", levels_state::kUp);
    m_down = addStateButton("Dn", "DownButton", levels_state::kDown);
    auto* steps = new QVBoxLayout;
    steps->addWidget(m_up);
    steps->addWidget(m_down);
    steps->addStretch();

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(current);
    left->addWidget(m_clearScreen);
    left->addWidget(m_fitToGeometry);
    top->addLayout(left);
    top->addLayout(steps);

    QPushButton* write = addStateButton("&Write", "WriteButton", levels_state::kWrite);
    m_cancel = addStateButton("&Cancel", "CancelButton", levels_state::kCancel);
    // Appending levels to a file written before is not offered.
    auto* append = new QPushButton("&Append", this);
    append->setObjectName("AppendButton");
    append->setAutoDefault(false);
    append->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(write);
    buttons->addWidget(m_cancel);
    buttons->addWidget(append);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit* LevelsDisplayDialog::addReadOnly(const char* objectName) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setMinimumWidth(fontMetrics().horizontalAdvance("00 hours, 00 minutes") + 12);
    return edit;
}

QPushButton* LevelsDisplayDialog::addStateButton(const char* caption, const char* objectName,
                                                 int state) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, state] { m_state = state; });
    return button;
}

void LevelsDisplayDialog::showBeside(Tf& window) {
    if (!m_placed) {
        placeBesideDrawing(*this, window);
        m_placed = true;
    }
    show();
    raise();
}

void LevelsDisplayDialog::showOpening(const LevelsOpeningTexts& texts) {
    findChild<QLineEdit*>("UpperLevelEdit")->setText(QString::fromStdString(texts.upperLevel));
    findChild<QLineEdit*>("LowerLevelEdit")->setText(QString::fromStdString(texts.lowerLevel));
    m_levelsDisplayed->setText(QString::fromStdString(texts.levelsDisplayed));
}

void LevelsDisplayDialog::showDisplay(const LevelsDisplayTexts& texts) {
    findChild<QLineEdit*>("Level1Edit")->setText(QString::fromStdString(texts.topLevel));
    findChild<QLineEdit*>("Level2Edit")->setText(QString::fromStdString(texts.bottomLevel));
    findChild<QLineEdit*>("CuttingTimeEdit")->setText(QString::fromStdString(texts.cuttingTime));
    m_up->setEnabled(texts.upEnabled);
    m_down->setEnabled(texts.downEnabled);
}

bool LevelsDisplayDialog::clearScreen() const {
    return m_clearScreen->isChecked();
}

bool LevelsDisplayDialog::fitToGeometry() const {
    return m_fitToGeometry->isChecked();
}

QString LevelsDisplayDialog::levelsDisplayed() const {
    return m_levelsDisplayed->text();
}

QString LevelsDisplayDialog::fieldText(const QString& objectName) const {
    const QLineEdit* edit = findChild<QLineEdit*>(objectName);
    return edit != nullptr ? edit->text() : QString();
}

void LevelsDisplayDialog::NumberLevelsDisplayedEditExit() {
    const NumericFieldExit exit = levelsDisplayedFieldExit(m_levelsDisplayed->text().toStdString());
    m_levelsDisplayed->setText(QString::fromStdString(exit.text));
    if (!exit.keepFocus)
        return;
    // One box per offending character, each named as typed (not byte by byte).
    for (const std::string& message : nonNumericMessages(m_levelsDisplayed->text()))
        m_boxes.error(message);
    if (isVisible()) {
        activateWindow();
        m_levelsDisplayed->setFocus(Qt::OtherFocusReason);
    }
}

bool LevelsDisplayDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_levelsDisplayed || event->type() != QEvent::FocusOut || !isVisible() ||
        m_exitPending)
        return false;
    // Another window taking the focus (an error box, the main window) is no exit from the
    // field, and Cancel needs no valid count.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
        QApplication::focusWidget() == m_cancel)
        return false;
    // After the focus change: a message box opened inside it would swallow the click that
    // moved the focus.
    m_exitPending = true;
    QTimer::singleShot(0, this, [this] {
        m_exitPending = false;
        NumberLevelsDisplayedEditExit();
    });
    return false;
}

void LevelsDisplayDialog::closeEvent(QCloseEvent* event) {
    m_state = levels_state::kCancel;
    QDialog::closeEvent(event);
}

void LevelsDisplayDialog::reject() {
    // Esc: the display loop closes the dialog once it has put the toolpath back.
    m_state = levels_state::kCancel;
}

} // namespace korvix::ui
