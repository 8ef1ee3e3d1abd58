#include "editing/ui/modify_all_dialog.h"

#include "editing/modify_all_texts.h"
#include "editing/ui/feed_rate_page.h"
#include "ui/main_window.h"
#include "ui/numeric_field.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

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

} // namespace

ModifyAllDialog& ModifyAllDialog::of(Tf& window) {
    return window.dialog<ModifyAllDialog>(
        [&window] { return new ModifyAllDialog(window.reporter(), &window); });
}

ModifyAllDialog::ModifyAllDialog(Reporter& reporter, QWidget* parent) : QDialog(parent) {
    setObjectName("TModifyAllDialog");
    setWindowTitle(toQString(kModifyAllDialogCaption));
    // Not "stay on top": the error boxes of its fields belong to the main window, and a
    // window manager keeps them under a window that stays on top, out of sight. Modal over
    // the main window, the dialog stays in front of it anyway.
    m_guard = new NumericFieldGuard(reporter, *this);
    m_colorDialog = new QColorDialog(this);
    m_colorDialog->setObjectName("ColorDialog1");
    m_colorDialog->setOption(QColorDialog::DontUseNativeDialog);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName("PageControl1");
    // Every page's tab in sight: the dialog grows to fit them rather than scrolling them.
    m_pages->setUsesScrollButtons(false);
    // In the order of modifyAllPages().
    QWidget* const pages[] = {mirrorPage(), feedPage(), relocatePage(), rotatePage(), scalePage()};
    for (const ModifyAllPageInfo& info : modifyAllPages()) {
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
    // The command converts the fields itself when these close the dialog.
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

    setActivePage(kModifyAllDesignPage);
    PageControlChange();
    connect(m_pages, &QTabWidget::currentChanged, this, [this] { PageControlChange(); });
}

QLineEdit* ModifyAllDialog::numericEdit(const char* name, std::string_view text) {
    auto* field = new QLineEdit(toQString(text));
    field->setObjectName(name);
    field->setFixedWidth(110);
    field->setAlignment(Qt::AlignRight);
    m_guard->watch(field);
    return field;
}

QWidget* ModifyAllDialog::mirrorPage() {
    auto* page = new QWidget;
    m_mirrorX = new QCheckBox(toQString(kMirrorXCaption), page);
    m_mirrorX->setObjectName("MirrorXValuesCheckBox");
    m_mirrorY = new QCheckBox(toQString(kMirrorYCaption), page);
    m_mirrorY->setObjectName("MirrorYValuesCheckBox");
    m_copy = new QCheckBox(toQString(kCopyCaption), page);
    m_copy->setObjectName("CopyCheckbox");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_mirrorX);
    layout->addWidget(m_mirrorY);
    layout->addSpacing(8);
    layout->addWidget(m_copy);
    layout->addStretch();
    return page;
}

QWidget* ModifyAllDialog::feedPage() {
    m_feedPage = new FeedRatePage(m_table, *m_guard, *m_colorDialog);
    return m_feedPage;
}

QWidget* ModifyAllDialog::relocatePage() {
    auto* page = new QWidget;
    m_relocateX = numericEdit("RelocateXValueEdit", kCoordinateFieldDefault);
    m_relocateY = numericEdit("RelocateYValueEdit", kCoordinateFieldDefault);
    m_relocateZ = numericEdit("RelocateZValueEdit", kCoordinateFieldDefault);
    m_relocationCopies = numericEdit("RelocationCopies", kCopiesFieldDefault);
    auto* form = new QFormLayout;
    form->addRow(label(kXValueLabel, page), m_relocateX);
    form->addRow(label(kYValueLabel, page), m_relocateY);
    form->addRow(label(kZValueLabel, page), m_relocateZ);
    form->addRow(label(kNumberOfCopiesLabel, page), m_relocationCopies);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addWidget(label(kRelativeValuesNote, page));
    layout->addStretch();
    return page;
}

QWidget* ModifyAllDialog::rotatePage() {
    auto* page = new QWidget;
    m_rotationAngle = numericEdit("RotationAngleEdit", kCoordinateFieldDefault);
    m_rotationX = numericEdit("RotationXEdit", kCoordinateFieldDefault);
    m_rotationY = numericEdit("RotationYEdit", kCoordinateFieldDefault);
    m_rotationCopies = numericEdit("RotationCopies", kCopiesFieldDefault);
    auto* group = new QGroupBox(toQString(kRotationPointGroup), page);
    group->setObjectName("RotationPointGroupBox");
    auto* around = new QGridLayout(group);
    auto* layout = new QGridLayout(page);
    // One column of fields on the page, the group's own indented by the group's frame.
    const QMargins inset = around->contentsMargins();
    QLabel* const outer[] = {label(kRotationAngleLabel, page), label(kNumberOfCopiesLabel, page)};
    QLabel* const inner[] = {label(kXValueLabel, group), label(kYValueLabel, group)};
    int width = 0;
    for (QLabel* l : outer)
        width = std::max(width, l->sizeHint().width());
    for (QLabel* l : inner)
        width = std::max(width, l->sizeHint().width() + inset.left());
    for (QLabel* l : outer)
        l->setFixedWidth(width);
    for (QLabel* l : inner)
        l->setFixedWidth(width - inset.left() - 4);
    layout->addWidget(outer[0], 0, 0);
    layout->addWidget(m_rotationAngle, 0, 1);
    around->addWidget(inner[0], 0, 0);
    around->addWidget(m_rotationX, 0, 1);
    around->addWidget(inner[1], 1, 0);
    around->addWidget(m_rotationY, 1, 1);
    around->setColumnStretch(2, 1);
    layout->addWidget(group, 1, 0, 1, 3);
    layout->addWidget(outer[1], 2, 0);
    layout->addWidget(m_rotationCopies, 2, 1);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(3, 1);
    return page;
}

QWidget* ModifyAllDialog::scalePage() {
    auto* page = new QWidget;
    m_scaleFactor = numericEdit("ScaleFactorEdit", kScaleFactorFieldDefault);
    auto* form = new QFormLayout;
    form->addRow(label(kScaleFactorLabel, page), m_scaleFactor);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addStretch();
    return page;
}

ModifyAllPage ModifyAllDialog::activePage() const {
    return modifyAllPages()[static_cast<std::size_t>(m_pages->currentIndex())].page;
}

void ModifyAllDialog::setActivePage(ModifyAllPage page) {
    m_pages->setCurrentIndex(static_cast<int>(page));
}

ModifyAllFields ModifyAllDialog::fields() const {
    ModifyAllFields f;
    f.mirrorX = m_mirrorX->isChecked();
    f.mirrorY = m_mirrorY->isChecked();
    f.copy = m_copy->isChecked();
    f.relocateX = toStd(m_relocateX);
    f.relocateY = toStd(m_relocateY);
    f.relocateZ = toStd(m_relocateZ);
    f.relocationCopies = toStd(m_relocationCopies);
    f.rotationAngle = toStd(m_rotationAngle);
    f.rotationX = toStd(m_rotationX);
    f.rotationY = toStd(m_rotationY);
    f.rotationCopies = toStd(m_rotationCopies);
    f.scaleFactor = toStd(m_scaleFactor);
    return f;
}

void ModifyAllDialog::setFields(const ModifyAllFields& f) {
    m_mirrorX->setChecked(f.mirrorX);
    m_mirrorY->setChecked(f.mirrorY);
    m_copy->setChecked(f.copy);
    m_relocateX->setText(QString::fromStdString(f.relocateX));
    m_relocateY->setText(QString::fromStdString(f.relocateY));
    m_relocateZ->setText(QString::fromStdString(f.relocateZ));
    m_relocationCopies->setText(QString::fromStdString(f.relocationCopies));
    m_rotationAngle->setText(QString::fromStdString(f.rotationAngle));
    m_rotationX->setText(QString::fromStdString(f.rotationX));
    m_rotationY->setText(QString::fromStdString(f.rotationY));
    m_rotationCopies->setText(QString::fromStdString(f.rotationCopies));
    m_scaleFactor->setText(QString::fromStdString(f.scaleFactor));
}

QString ModifyAllDialog::statusText() const {
    return m_statusBar->currentMessage();
}

bool ModifyAllDialog::previewEnabled() const {
    return m_preview->isEnabled();
}

void ModifyAllDialog::showEvent(QShowEvent* event) {
    // Centred on the window each time it is shown (it comes back after a discarded preview;
    // left to the window system it drifts by the height of its title bar).
    if (const QWidget* owner = parentWidget()) {
        adjustSize();
        // By the client areas: the frame's size is not known before the first showing.
        QRect placed(QPoint(0, 0), size());
        placed.moveCenter(owner->geometry().center());
        setGeometry(placed);
    }
    m_guard->cancelPending();
    FormActivate();
    QDialog::showEvent(event);
}

void ModifyAllDialog::FormActivate() {
    m_feedPage->activate();
}

void ModifyAllDialog::PageControlChange() {
    const ModifyAllPageInfo& info = modifyAllPageInfo(activePage());
    m_statusBar->showMessage(toQString(info.status));
    m_preview->setEnabled(info.previewEnabled);
}

void ModifyAllDialog::closeWith(int modalResult) {
    if (activePage() == ModifyAllPage::FeedRates && !m_feedPage->storeTypedFeed())
        return;
    m_guard->cancelPending();
    done(modalResult);
}

} // namespace korvix::ui
