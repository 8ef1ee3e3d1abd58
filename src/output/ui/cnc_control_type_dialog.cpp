#include "output/ui/cnc_control_type_dialog.h"

#include "app/home_folder.h"
#include "model/number_text.h"
#include "model/reporter.h"
#include "ui/dialog_buttons.h"
#include "ui/main_window.h"
#include "ui/numeric_field.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

CNCControlTypeDialog& CNCControlTypeDialog::of(Tf& window) {
    return window.dialog<CNCControlTypeDialog>([&window] {
        return new CNCControlTypeDialog(window.reporter(), korvix::machinesFolder(), &window);
    });
}

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

    auto* group = new QGroupBox("Starting text (OPTIONAL)", this);
    group->setObjectName("StartingTextGroupBox");
    m_startingText = new QLineEdit(group);
    m_startingText->setObjectName("StartingTextEdit");
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_startingText);

    auto* fields = new QFormLayout;
    fields->addRow("Control type", m_machineChoice);
    fields->addRow("Program number", m_programNumber);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(group);
    const OkCancelButtons buttons = addOkCancelButtons(*this, *layout);
    connect(buttons.ok, &QPushButton::clicked, this, [this] { OkButtonClick(); });
    setMinimumWidth(380);

    m_guard = new NumericFieldGuard(reporter, *this);
    m_guard->watch(m_programNumber);
    m_guard->exempt(buttons.ok);
    m_guard->exempt(buttons.cancel);

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
    return m_guard->check(m_programNumber);
}

void CNCControlTypeDialog::OkButtonClick() {
    m_guard->cancelPending();
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

void CNCControlTypeDialog::showEvent(QShowEvent* event) {
    // The choice stays as it was left (or as the settings gave it); none shows "Default".
    if (machineName().isEmpty())
        setMachineName(QString::fromUtf8(kDefaultControlName.data(),
                                         static_cast<qsizetype>(kDefaultControlName.size())));
    m_guard->cancelPending();
    QDialog::showEvent(event);
}

} // namespace korvix::ui
