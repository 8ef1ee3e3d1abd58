#include "editing/ui/feed_rate_page.h"

#include "editing/modify_all_fields.h"
#include "editing/modify_all_texts.h"
#include "ui/numeric_field.h"

#include <QColorDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvix::ui {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor toQColor(Rgb color) {
    return QColor(rgbRed(color), rgbGreen(color), rgbBlue(color));
}

QPushButton* button(std::string_view caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(toQString(caption), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLabel* label(std::string_view text, QWidget* parent) {
    return new QLabel(toQString(text), parent);
}

} // namespace

FeedRatePage::FeedRatePage(FeedRateTable& table, NumericFieldGuard& guard,
                           QColorDialog& colorDialog)
    : m_table(table), m_guard(guard), m_colorDialog(colorDialog) {
    m_oldFeed = new QLineEdit(this);
    m_oldFeed->setObjectName("OldFeedRateEdit");
    m_oldFeed->setReadOnly(true);
    m_oldFeed->setFocusPolicy(Qt::NoFocus);
    m_oldFeed->setFixedWidth(110);
    m_oldFeed->setAlignment(Qt::AlignRight);
    m_newFeed = new QLineEdit(this);
    m_newFeed->setObjectName("NewFeedRateEdit");
    m_newFeed->setFixedWidth(110);
    m_newFeed->setAlignment(Qt::AlignRight);
    // NewFeedRateEditExit: the text becomes the entry's new feed when the user leaves it.
    // A text the user did not touch is the entry shown with two decimals: storing it would
    // round the feed of every move of the entry.
    m_guard.watchStoring(m_newFeed, [this](const QString& text) {
        if (!m_newFeed->isModified())
            return std::string();
        std::string problem = storeNewFeedRate(m_table, text.toStdString());
        if (problem.empty())
            m_newFeed->setModified(false); // stored once is enough
        return problem;
    });
    m_feedColor = label(kFeedColorLabel, this);
    m_feedColor->setObjectName("FeedColorLabel");
    m_feedColor->setFixedSize(110, 22);

    auto* change = button(kChangeColorButtonCaption, "ChangeColorButton", this);
    m_previous = button(kPreviousButtonCaption, "PreviousButton", this);
    m_next = button(kNextButtonCaption, "NextButton", this);
    connect(change, &QPushButton::clicked, this, [this] { ChangeColorButtonClick(); });
    connect(m_previous, &QPushButton::clicked, this, [this] { PreviousButtonClick(); });
    connect(m_next, &QPushButton::clicked, this, [this] { NextButtonClick(); });

    auto* form = new QFormLayout;
    form->addRow(label(kOldFeedRateLabel, this), m_oldFeed);
    form->addRow(label(kNewFeedRateLabel, this), m_newFeed);
    form->addRow(QString(), m_feedColor);
    auto* steps = new QHBoxLayout;
    steps->addWidget(m_previous);
    steps->addWidget(m_next);
    steps->addStretch();
    steps->addWidget(change);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(steps);
}

void FeedRatePage::activate() {
    activateFeedPage(m_table);
    showFeedEntry();
}

void FeedRatePage::showFeedEntry() {
    const FeedPageView view = feedPageView(m_table);
    m_oldFeed->setText(QString::fromStdString(view.oldFeedText));
    m_newFeed->setText(QString::fromStdString(view.newFeedText));
    m_previous->setEnabled(view.previousEnabled);
    m_next->setEnabled(view.nextEnabled);
    // A frame keeps a colour close to the dialog's own (white, grey) visible, and the
    // caption stays readable on any colour.
    const QColor color = toQColor(view.color);
    m_feedColor->setStyleSheet(
        QString("QLabel { background: %1; color: %2; border: 1px solid #404040; padding: 0 4px; }")
            .arg(color.name(), color.lightness() < 128 ? "white" : "black"));
}

bool FeedRatePage::storeTypedFeed() {
    return m_guard.check(m_newFeed);
}

void FeedRatePage::PreviousButtonClick() {
    if (!storeTypedFeed())
        return;
    m_table.stepBack();
    showFeedEntry();
}

void FeedRatePage::NextButtonClick() {
    if (!storeTypedFeed())
        return;
    m_table.stepForward();
    showFeedEntry();
}

void FeedRatePage::ChangeColorButtonClick() {
    const FeedRateEntry* entry = m_table.currentEntry();
    if (entry == nullptr || !storeTypedFeed())
        return;
    m_colorDialog.setCurrentColor(toQColor(entry->color));
    if (m_colorDialog.exec() != QDialog::Accepted)
        return;
    const QColor chosen = m_colorDialog.currentColor();
    changeFeedColor(m_table, makeRgb(chosen.red(), chosen.green(), chosen.blue()));
    showFeedEntry();
}

} // namespace korvix::ui
