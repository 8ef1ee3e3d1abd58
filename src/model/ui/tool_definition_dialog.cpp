#include "model/ui/tool_definition_dialog.h"

#include "model/reporter.h"
#include "ui/main_window.h"
#include "ui/numeric_field.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace korvix::ui {
namespace {

// Object names of the field edits, in ToolField order.
constexpr std::array<const char*, kToolFieldCount> kFieldNames = {
    "ToolNumberEdit", "DiameterEdit",      "RadiusEdit",          "LengthEdit",
    "AngleToXEdit",   "AngleToYEdit",      "AngleToZEdit",        "ToolCompNumberEdit",
    "SpindleRPMEdit", "ArcResolutionEdit", "NumberOfSectionsEdit"};

bool isAngle(ToolField field) {
    return field == ToolField::AngleToX || field == ToolField::AngleToY ||
           field == ToolField::AngleToZ;
}

// The numbers the NC program itself carries stand out in blue.
bool isProgramNumber(ToolField field) {
    return field == ToolField::ToolNumber || field == ToolField::CompNumber ||
           field == ToolField::SpindleRpm;
}

std::size_t index(ToolField field) {
    return static_cast<std::size_t>(field);
}

} // namespace

ToolDefinitionDialog& ToolDefinitionDialog::of(Tf& window) {
    return window.dialog<ToolDefinitionDialog>([&window] {
        Workspace& ws = window.workspace();
        return new ToolDefinitionDialog(ws.tools, ws.database, window.reporter(), &window);
    });
}

ToolDefinitionDialog::ToolDefinitionDialog(ToolTable& tools, GraphicsDatabase& database,
                                           Reporter& reporter, QWidget* parent)
    : QDialog(parent), m_tools(tools), m_database(database), m_reporter(reporter) {
    setObjectName("TToolDefinitionDialog");
    setWindowTitle("Tool Definition(s)");
    setWindowFlag(Qt::WindowStaysOnTopHint);

    const auto readOnlyNumber = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setFixedWidth(44);
        edit->setAlignment(Qt::AlignRight);
        return edit;
    };
    m_recordEdit = readOnlyNumber("CurrentToolRecordEdit");
    m_countEdit = readOnlyNumber("ToolRecordCountEdit");

    auto* record = new QHBoxLayout;
    record->addWidget(new QLabel("Current tool record", this));
    record->addStretch();
    record->addWidget(m_recordEdit);
    record->addWidget(new QLabel("of", this));
    record->addWidget(m_countEdit);

    auto* fields = new QGridLayout;
    auto* quality = new QGroupBox("Graphics quality parameters", this);
    quality->setObjectName("GraphicsQualityGroupBox");
    auto* qualityFields = new QGridLayout(quality);
    for (int i = 0; i < kToolFieldCount; ++i) {
        const auto field = static_cast<ToolField>(i);
        const bool graphics =
            field == ToolField::ArcResolution || field == ToolField::NumberOfSections;
        QWidget* owner = graphics ? static_cast<QWidget*>(quality) : this;
        auto* edit = new QLineEdit(owner);
        edit->setObjectName(kFieldNames[index(field)]);
        edit->setFixedWidth(110);
        edit->setAlignment(Qt::AlignRight);
        edit->installEventFilter(this);
        if (isAngle(field))
            edit->setEnabled(false);
        if (isProgramNumber(field)) {
            QPalette palette = edit->palette();
            palette.setColor(QPalette::Base, Qt::blue);
            palette.setColor(QPalette::Text, Qt::white);
            palette.setColor(QPalette::Highlight, Qt::white);
            palette.setColor(QPalette::HighlightedText, Qt::blue);
            edit->setPalette(palette);
        }
        auto* label = new QLabel(toolFieldCaption(field), owner);
        label->setBuddy(edit);
        QGridLayout* grid = graphics ? qualityFields : fields;
        const int row = graphics ? i - static_cast<int>(ToolField::ArcResolution) : i;
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1, Qt::AlignRight);
        m_fields[index(field)] = edit;
    }

    // The buttons never take the focus: a click must not count as leaving the field being
    // edited, whose value the button stores itself before it acts.
    const auto button = [this](const char* caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    m_previous = button("&Previous", "PreviousButton");
    auto* ok = button("&Ok", "OkButton");
    ok->setDefault(true);
    m_next = button("&Next", "NextButton");
    connect(m_previous, &QPushButton::clicked, this, [this] { step(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { step(1); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_previous);
    buttons->addWidget(ok);
    buttons->addWidget(m_next);

    auto* layout = new QVBoxLayout(this);
    // The group box insets its fields; the fields above keep the same right edge.
    const int inset = qualityFields->contentsMargins().right() + quality->contentsMargins().right();
    record->setContentsMargins(0, 0, inset, 0);
    fields->setContentsMargins(0, 0, inset, 0);
    layout->addLayout(record);
    layout->addSpacing(4);
    layout->addLayout(fields);
    layout->addWidget(quality);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit& ToolDefinitionDialog::fieldEdit(ToolField field) const {
    return *m_fields[index(field)];
}

void ToolDefinitionDialog::showEvent(QShowEvent* event) {
    m_openedEntries = m_tools.count + 1;
    for (int i = 0; i < m_openedEntries; ++i)
        m_openedNumbers[static_cast<std::size_t>(i)] =
            m_tools.entries[static_cast<std::size_t>(i)].toolNumber;
    m_current = m_tools.count > 0 ? 1 : 0;
    display();
    QDialog::showEvent(event);
    m_fields[index(ToolField::ToolNumber)]->setFocus();
}

void ToolDefinitionDialog::display() {
    const ToolEntry& entry = m_tools.entries[static_cast<std::size_t>(m_current)];
    m_recordEdit->setText(QString::number(m_current));
    m_countEdit->setText(QString::number(m_tools.count));
    for (int i = 0; i < kToolFieldCount; ++i) {
        const auto field = static_cast<ToolField>(i);
        m_shown[index(field)] = QString::fromStdString(toolFieldText(entry, field));
        m_fields[index(field)]->setText(m_shown[index(field)]);
    }
    m_previous->setEnabled(m_current >= 1);
    m_next->setEnabled(m_current < m_tools.count);
}

bool ToolDefinitionDialog::commitField(ToolField field) {
    QLineEdit& edit = *m_fields[index(field)];
    // An untouched field keeps its stored value exactly, not its 4-decimal picture.
    if (edit.text() == m_shown[index(field)])
        return true;
    const std::vector<std::string> nonNumeric = nonNumericMessages(edit.text());
    ToolEntry& entry = m_tools.entries[static_cast<std::size_t>(m_current)];
    const std::string problem = !nonNumeric.empty()
                                    ? nonNumeric.front()
                                    : storeToolField(entry, field, edit.text().toStdString());
    if (!problem.empty()) {
        m_reporter.error(problem);
        edit.setFocus(Qt::OtherFocusReason);
        edit.selectAll();
        return false;
    }
    m_shown[index(field)] = QString::fromStdString(toolFieldText(entry, field));
    edit.setText(m_shown[index(field)]);
    return true;
}

bool ToolDefinitionDialog::commitAll() {
    for (int i = 0; i < kToolFieldCount; ++i)
        if (!commitField(static_cast<ToolField>(i)))
            return false;
    return true;
}

void ToolDefinitionDialog::step(int delta) {
    if (!commitAll())
        return;
    m_current = std::clamp(m_current + delta, 0, static_cast<int>(m_tools.count));
    display();
}

bool ToolDefinitionDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool leaving =
            reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        for (int i = 0; leaving && i < kToolFieldCount; ++i) {
            if (watched != m_fields[static_cast<std::size_t>(i)])
                continue;
            // Stored once the focus change is over: a message box in the middle of it would
            // fight the change for the focus.
            const auto field = static_cast<ToolField>(i);
            QTimer::singleShot(0, this, [this, field] {
                if (isVisible())
                    commitField(field);
            });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ToolDefinitionDialog::done(int result) {
    if (!commitAll())
        return;
    if (m_openedEntries > 0) {
        renumberToolMoves(m_database,
                          std::span<const std::uint8_t>(m_openedNumbers.data(),
                                                        static_cast<std::size_t>(m_openedEntries)),
                          m_tools);
        m_openedEntries = 0;
    }
    QDialog::done(result);
}

void ToolDefinitionsClick(Tf& window) {
    ToolDefinitionDialog::of(window).exec();
}

} // namespace korvix::ui
