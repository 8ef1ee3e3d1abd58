#include "output/ui/cnc_control_type_dialog.h"

#include "app/home_folder.h"
#include "model/number_text.h"
#include "model/reporter.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>
#include <utility>

namespace korvix::ui {
namespace {

// A drop-down that brings its list up to date each time it opens, so that a format file
// copied into the machines folder while the program runs can be chosen at once.
class RefreshingComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;

    void showPopup() override {
        if (beforePopup)
            beforePopup();
        QComboBox::showPopup();
    }
};

} // namespace

CNCControlTypeDialog::CNCControlTypeDialog(Reporter& reporter, std::filesystem::path machinesFolder,
                                           QWidget* parent)
    : QDialog(parent), m_reporter(reporter), m_machinesFolder(std::move(machinesFolder)) {
    setObjectName("TCNCControlTypeDialog");
    setWindowTitle("CNC Control Type");

    auto* choice = new RefreshingComboBox(this);
    choice->beforePopup = [this] { refillMachineChoices(); };
    m_machineChoice = choice;
    m_machineChoice->setObjectName("MachineChoiceComboBox");
    m_machineChoice->setMinimumContentsLength(24);
    m_machineChoice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    m_programNumber = new QLineEdit("1", this);
    m_programNumber->setObjectName("ProgramNumberEdit");
    m_programNumber->setMaximumWidth(120); // a number, not a line of text
    m_programNumber->installEventFilter(this);

    auto* group = new QGroupBox("Starting text (OPTIONAL)", this);
    group->setObjectName("StartingTextGroupBox");
    m_startingText = new QLineEdit(group);
    m_startingText->setObjectName("StartingTextEdit");
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_startingText);

    m_okButton = new QPushButton("&Ok", this);
    m_okButton->setObjectName("OkButton");
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton("&Cancel", this);
    m_cancelButton->setObjectName("CancelButton");
    connect(m_okButton, &QPushButton::clicked, this, [this] { OkButtonClick(); });
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QFormLayout;
    fields->addRow("Control type", m_machineChoice);
    fields->addRow("Program number", m_programNumber);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(group);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    refillMachineChoices();
}

QString CNCControlTypeDialog::machineName() const {
    return m_machineChoice->currentText();
}

void CNCControlTypeDialog::setMachineName(const QString& name) {
    if (name.isEmpty()) {
        m_machineChoice->setCurrentIndex(-1);
        return;
    }
    int index = m_machineChoice->findText(name);
    if (index < 0) {
        m_machineChoice->addItem(name);
        index = m_machineChoice->count() - 1;
    }
    m_machineChoice->setCurrentIndex(index);
}

QString CNCControlTypeDialog::programNumberText() const {
    return m_programNumber->text();
}

void CNCControlTypeDialog::setProgramNumberText(const QString& text) {
    m_programNumber->setText(text);
}

std::optional<double> CNCControlTypeDialog::programNumber() const {
    const RealConversion number = convertReal(programNumberText().toStdString());
    if (!number.ok())
        return std::nullopt;
    return number.value;
}

QString CNCControlTypeDialog::startingText() const {
    // A pasted text may carry line ends; the program's first line must stay one line.
    QString text = m_startingText->text();
    text.replace('\r', ' ').replace('\n', ' ');
    return text;
}

void CNCControlTypeDialog::setStartingText(const QString& text) {
    m_startingText->setText(text);
}

void CNCControlTypeDialog::refillMachineChoices() {
    const QString chosen = machineName();
    m_machineChoice->clear();
    for (const std::string& name : controlTypeChoices(m_machinesFolder))
        m_machineChoice->addItem(QString::fromStdString(name));
    // A choice whose file has gone falls back to the built-in format, which is always there.
    const int index = chosen.isEmpty() ? -1 : m_machineChoice->findText(chosen);
    m_machineChoice->setCurrentIndex(index >= 0 ? index : 0);
}

bool CNCControlTypeDialog::ProgramNumberEditExit() {
    const std::vector<char> offending = nonNumericChars(programNumberText().toStdString());
    if (offending.empty())
        return true;
    for (char c : offending)
        m_reporter.error(nonNumericMessage(c));
    m_programNumber->setFocus();
    return false;
}

void CNCControlTypeDialog::OkButtonClick() {
    m_exitCheckPending = false;
    if (!ProgramNumberEditExit())
        return;
    if (!programNumber()) {
        m_reporter.error(
            conversionMessage(ConversionError::InvalidReal, programNumberText().toStdString()));
        m_programNumber->setFocus();
        m_programNumber->selectAll();
        return;
    }
    accept();
}

bool CNCControlTypeDialog::needsExitCheck(Qt::FocusReason reason) const {
    // Another window taking the focus (the error box itself, a drop-down list) is no exit
    // from the field. Ok checks the field itself and Cancel needs no valid number.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    const QWidget* next = QApplication::focusWidget();
    return next != m_okButton && next != m_cancelButton;
}

void CNCControlTypeDialog::showEvent(QShowEvent* event) {
    // The choice stays as it was left (or as the settings gave it); none shows "Default".
    if (machineName().isEmpty())
        setMachineName(QString::fromUtf8(kDefaultControlName.data(),
                                         static_cast<qsizetype>(kDefaultControlName.size())));
    m_exitCheckPending = false;
    QDialog::showEvent(event);
}

bool CNCControlTypeDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_programNumber && event->type() == QEvent::FocusOut && isVisible() &&
        !m_exitCheckPending && needsExitCheck(static_cast<QFocusEvent*>(event)->reason())) {
        // Not inside the focus change itself: a message box opened there would swallow the
        // click that moved the focus.
        m_exitCheckPending = true;
        QTimer::singleShot(0, this, [this] {
            if (!m_exitCheckPending || !isVisible())
                return;
            m_exitCheckPending = false;
            ProgramNumberEditExit();
        });
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace korvix::ui
