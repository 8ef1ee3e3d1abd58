#include "model/ui/tool_number_selection_form.h"

#include "ui/main_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

namespace korvix::ui {

UpDownControl::UpDownControl(QWidget* parent) : QWidget(parent) {
    const auto arrow = [this](Qt::ArrowType type, const char* name, int steps) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setArrowType(type);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(18, 12);
        connect(button, &QToolButton::clicked, this, [this, steps] { stepBy(steps); });
        return button;
    };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(arrow(Qt::UpArrow, "UpButton", 1));
    layout->addWidget(arrow(Qt::DownArrow, "DownButton", -1));
}

void UpDownControl::setMaximum(int maximum) {
    m_maximum = std::max(0, maximum);
    m_position = std::min(m_position, m_maximum);
}

void UpDownControl::stepBy(int steps) {
    const int span = m_maximum + 1;
    for (int i = 0; i < std::abs(steps); ++i) {
        m_position = ((m_position + (steps > 0 ? 1 : -1)) % span + span) % span;
        if (onStep)
            onStep(m_position);
    }
}

ToolNumberSelectionForm& ToolNumberSelectionForm::of(Tf& window) {
    return window.dialog<ToolNumberSelectionForm>([&window] {
        auto* form = new ToolNumberSelectionForm(&window);
        form->setTable(&window.workspace().tools);
        return form;
    });
}

ToolNumberSelectionForm::ToolNumberSelectionForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TToolNumberSelectionForm");
    setWindowTitle("Select Tool #");

    auto* label = new QLabel("Tool #", this);
    label->setObjectName("Label1");
    m_edit = new QLineEdit("0", this);
    m_edit->setObjectName("Edit1");
    m_edit->setFixedWidth(64);
    m_edit->setAlignment(Qt::AlignRight);
    label->setBuddy(m_edit);
    m_upDown = new UpDownControl(this);
    m_upDown->setObjectName("UpDown1");
    m_upDown->onStep = [this](int position) {
        if (m_table != nullptr)
            m_edit->setText(
                QString::number(m_table->entries[static_cast<std::size_t>(position)].toolNumber));
    };

    auto* ok = new QPushButton("&Ok", this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelButton");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addStretch();
    field->addWidget(m_edit);
    field->addWidget(m_upDown);
    field->setSpacing(2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ToolNumberSelectionForm::setTable(const ToolTable* table) {
    m_table = table;
    m_upDown->setMaximum(table != nullptr ? table->count : 0);
}

void ToolNumberSelectionForm::showEvent(QShowEvent* event) {
    m_upDown->setMaximum(m_table != nullptr ? m_table->count : 0);
    QDialog::showEvent(event);
}

QString ToolNumberSelectionForm::toolNumberText() const {
    return m_edit->text();
}

} // namespace korvix::ui
