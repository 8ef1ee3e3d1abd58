#include "editing/ui/modify_portion_dialog.h"

#include "editing/modify_all_texts.h"
#include "editing/modify_portion_texts.h"
#include "editing/ui/feed_rate_page.h"
#include "ui/main_window.h"
#include "ui/numeric_field.h"

#include <QColorDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace korvix::ui {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toStd(const QLineEdit* field) {
    return field->text().toStdString();
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

// The three axis fields of a page with the note under them.
QWidget* axisPage(QLineEdit* x, QLineEdit* y, QLineEdit* z, std::string_view note) {
    auto* page = new QWidget;
    auto* form = new QFormLayout;
    form->addRow(label(kXValueLabel, page), x);
    form->addRow(label(kYValueLabel, page), y);
    form->addRow(label(kZValueLabel, page), z);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addWidget(label(note, page));
    layout->addStretch();
    return page;
}

} // namespace

ModifyPortionDialog& ModifyPortionDialog::of(Tf& window) {
    return window.dialog<ModifyPortionDialog>(
        [&window] { return new ModifyPortionDialog(window.reporter(), &window); });
}

ModifyPortionDialog::ModifyPortionDialog(Reporter& reporter, QWidget* parent) : QDialog(parent) {
    setObjectName("TModifyPortionDialog");
    setWindowTitle(toQString(kModifyPortionDialogCaption));
    m_guard = new NumericFieldGuard(reporter, *this);
    m_colorDialog = new QColorDialog(this);
    m_colorDialog->setObjectName("ColorDialog1");
    m_colorDialog->setOption(QColorDialog::DontUseNativeDialog);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName("PageControl1");
    m_pages->setUsesScrollButtons(false);
    m_feedPage = new FeedRatePage(m_table, *m_guard, *m_colorDialog);
    // In the order of modifyPortionPages().
    QWidget* const pages[] = {deletePage(), m_feedPage, relocatePage(), startPointPage(),
                              optionalStopPage()};
    for (const ModifyPortionPageInfo& info : modifyPortionPages()) {
        QWidget* page = pages[static_cast<std::size_t>(info.page)];
        page->setObjectName(toQString(info.component));
        m_pages->addTab(page, toQString(info.caption));
    }

    m_preview = button(kPreviewButtonCaption, "PreviewButton", this);
    QPushButton* ok = button(kOkButtonCaption, "OkButton", this);
    QPushButton* cancel = button(kCancelButtonCaption, "CancelButton", this);
    ok->setDefault(true);
    connect(m_preview, &QPushButton::clicked, this, [this] { closeWith(kPreviewModalResult); });
    connect(ok, &QPushButton::clicked, this, [this] { closeWith(kOkModalResult); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(kCancelModalResult); });
    m_guard->exempt(m_preview);
    m_guard->exempt(ok);
    m_guard->exempt(cancel);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName("StatusBar1");
    m_statusBar->setSizeGripEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_preview);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    layout->addWidget(m_statusBar);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // As designed: the relocate page in front, with the text it had before any page was
    // turned to.
    setActivePage(ModifyPortionPage::Relocate);
    m_statusBar->showMessage(toQString(kModifyPortionDesignStatus));
    connect(m_pages, &QTabWidget::currentChanged, this, [this] { PageControlChange(); });
}

QLineEdit* ModifyPortionDialog::numericEdit(const char* name, std::string_view text) {
    auto* field = new QLineEdit(toQString(text));
    field->setObjectName(name);
    field->setFixedWidth(110);
    field->setAlignment(Qt::AlignRight);
    m_guard->watch(field);
    return field;
}

QWidget* ModifyPortionDialog::deletePage() {
    return new QWidget;
}

QWidget* ModifyPortionDialog::relocatePage() {
    m_relocateX = numericEdit("RelocateXValueEdit", kCoordinateFieldDefault);
    m_relocateY = numericEdit("RelocateYValueEdit", kCoordinateFieldDefault);
    m_relocateZ = numericEdit("RelocateZValueEdit", kCoordinateFieldDefault);
    return axisPage(m_relocateX, m_relocateY, m_relocateZ, kRelativeValuesNote);
}

QWidget* ModifyPortionDialog::startPointPage() {
    m_startX = numericEdit("StartPointXValueEdit", "");
    m_startY = numericEdit("StartPointYValueEdit", "");
    m_startZ = numericEdit("StartPointZValueEdit", "");
    return axisPage(m_startX, m_startY, m_startZ, kAbsoluteValuesNote);
}

QWidget* ModifyPortionDialog::optionalStopPage() {
    auto* page = new QWidget;
    auto* group = new QGroupBox(toQString(kOptionalStopGroupCaption), page);
    group->setObjectName("OptionalStopRadioGroup");
    m_disableStops = new QRadioButton(toQString(kDisableOptionalStopsCaption), group);
    m_disableStops->setObjectName("DisableOptionalStopsRadioButton");
    m_enableStops = new QRadioButton(toQString(kEnableOptionalStopsCaption), group);
    m_enableStops->setObjectName("EnableOptionalStopsRadioButton");
    m_disableStops->setChecked(true);
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(m_disableStops);
    inner->addWidget(m_enableStops);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

ModifyPortionPage ModifyPortionDialog::activePage() const {
    return modifyPortionPages()[static_cast<std::size_t>(m_pages->currentIndex())].page;
}

void ModifyPortionDialog::setActivePage(ModifyPortionPage page) {
    m_pages->setCurrentIndex(static_cast<int>(page));
}

ModifyPortionFields ModifyPortionDialog::fields() const {
    ModifyPortionFields f;
    f.relocateX = toStd(m_relocateX);
    f.relocateY = toStd(m_relocateY);
    f.relocateZ = toStd(m_relocateZ);
    f.startX = toStd(m_startX);
    f.startY = toStd(m_startY);
    f.startZ = toStd(m_startZ);
    f.optionalStopIndex = m_enableStops->isChecked() ? 1 : 0;
    return f;
}

void ModifyPortionDialog::setFields(const ModifyPortionFields& f) {
    m_relocateX->setText(QString::fromStdString(f.relocateX));
    m_relocateY->setText(QString::fromStdString(f.relocateY));
    m_relocateZ->setText(QString::fromStdString(f.relocateZ));
    setStartPoint({f.startX, f.startY, f.startZ});
    (f.optionalStopIndex == 1 ? m_enableStops : m_disableStops)->setChecked(true);
}

void ModifyPortionDialog::setStartPoint(const StartPointTexts& texts) {
    m_startX->setText(QString::fromStdString(texts.x));
    m_startY->setText(QString::fromStdString(texts.y));
    m_startZ->setText(QString::fromStdString(texts.z));
}

QString ModifyPortionDialog::statusText() const {
    return m_statusBar->currentMessage();
}

bool ModifyPortionDialog::previewEnabled() const {
    return m_preview->isEnabled();
}

void ModifyPortionDialog::showEvent(QShowEvent* event) {
    // Centred on the window each time it is shown (it comes back after a discarded preview).
    if (const QWidget* owner = parentWidget()) {
        adjustSize();
        QRect placed(QPoint(0, 0), size());
        placed.moveCenter(owner->geometry().center());
        setGeometry(placed);
    }
    m_guard->cancelPending();
    m_feedPage->activate(); // FormActivate
    QDialog::showEvent(event);
}

void ModifyPortionDialog::PageControlChange() {
    const ModifyPortionPageInfo& info = modifyPortionPageInfo(activePage());
    m_statusBar->showMessage(toQString(info.status));
    m_preview->setEnabled(info.previewEnabled);
}

void ModifyPortionDialog::closeWith(int modalResult) {
    if (activePage() == ModifyPortionPage::FeedRates && !m_feedPage->storeTypedFeed())
        return;
    m_guard->cancelPending();
    done(modalResult);
}

} // namespace korvix::ui
