#include "input/ui/parsing_error_form.h"

#include "ui/main_window.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvix::ui {

ParsingErrorForm& ParsingErrorForm::of(Tf& window) {
    return window.dialog<ParsingErrorForm>([&window] { return new ParsingErrorForm(&window); });
}

ParsingErrorForm::ParsingErrorForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TParsingErrorForm");
    setWindowTitle("Parsing error log");
    resize(520, 320);
    m_list = new QListWidget(this);
    m_list->setObjectName("ParsingErrorListBox");
    m_list->setUniformItemSizes(true);
    auto* ok = new QPushButton("&Ok", this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
}

void ParsingErrorForm::setLines(const std::vector<std::string>& lines) {
    m_list->clear();
    QStringList items;
    items.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        items.append(QString::fromStdString(line));
    m_list->addItems(items);
}

} // namespace korvix::ui
