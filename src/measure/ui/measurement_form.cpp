#include "measure/ui/measurement_form.h"

#include "measure/measure_fields.h"
#include "measure/measure_overlay.h"
#include "ui/dialog_placement.h"
#include "ui/main_window.h"

#include <QAction>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace korvix::ui {
namespace {

// The menus a measurement locks: everything that could free, rebuild or renumber the
// records its slots point into, or start another pick.
constexpr const char* kLockedMenus[] = {"File1",   "Edit2",    "Animate1", "Identify1",
                                        "Levels1", "Options1", "Text1"};

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr std::array<MeasurePage, 3> kPageOrder = {MeasurePage::Angle, MeasurePage::Line,
                                                   MeasurePage::Arc};

bool isPointGroup(std::string_view group) {
    return group.starts_with("Point ");
}

} // namespace

MeasurementForm& MeasurementForm::of(Tf& window) {
    return window.dialog<MeasurementForm>([&window] { return new MeasurementForm(window); });
}

MeasurementForm::MeasurementForm(Tf& window) : QDialog(&window), m_window(window) {
    setObjectName("TMeasurementForm");
    setWindowTitle(toQString(kMeasureFormCaption));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName("PageControl1");
    for (MeasurePage page : kPageOrder)
        buildPage(page);

    auto* workPlane = new QGroupBox(toQString(kWorkPlaneCaption), this);
    workPlane->setObjectName("WorkPlaneRadioGroup1");
    auto* planeGrid = new QGridLayout(workPlane);
    m_workPlane = new QButtonGroup(this);
    for (std::size_t i = 0; i < kWorkPlaneItems.size(); ++i) {
        auto* item = new QRadioButton(toQString(kWorkPlaneItems[i]), workPlane);
        const int index = static_cast<int>(i);
        // Two columns, each filled from the top.
        planeGrid->addWidget(item, index % 2, index / 2);
        m_workPlane->addButton(item, index);
    }
    m_workPlane->button(static_cast<int>(WorkPlane::Space3D))->setChecked(true);

    auto* buttons = new QHBoxLayout;
    for (const ButtonInfo& info : kMeasureButtons) {
        auto* button = new QPushButton(toQString(info.caption), this);
        button->setObjectName(toQString(info.objectName));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        const std::string_view name = info.objectName;
        if (name == "PreviousButton") {
            m_previous = button;
            connect(button, &QPushButton::clicked, this, [this] { PreviousButtonClick(); });
        } else if (name == "NextButton") {
            m_next = button;
            connect(button, &QPushButton::clicked, this, [this] { NextButtonClick(); });
        } else if (name == "MidButton") {
            m_mid = button;
            connect(button, &QPushButton::clicked, this, [this] { MidButtonClick(); });
        } else if (name == "CopyButton") {
            connect(button, &QPushButton::clicked, this, [this] { CopyButtonClick(); });
        } else {
            connect(button, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
        }
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(workPlane);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_pages, &QTabWidget::currentChanged, this,
            [this](int index) { PageControl1Change(index); });
    connect(m_workPlane, &QButtonGroup::idClicked, this,
            [this](int index) { WorkPlaneRadioGroup1Click(index); });
    m_window.installEventFilter(this);
    refreshFields();
}

void MeasurementForm::buildPage(MeasurePage page) {
    const PageInfo& info = kMeasurePages[static_cast<std::size_t>(page)];
    auto* sheet = new QWidget(m_pages);
    sheet->setObjectName(toQString(info.objectName));
    // One row per group: its caption, then its labelled fields side by side; a field of no
    // group has its label in the caption column. The form stays small enough to sit beside
    // the drawing while the user picks.
    auto* grid = new QGridLayout(sheet);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(7, 1);
    const int fieldWidth = fontMetrics().horizontalAdvance("-00000.000000");
    const auto addField = [&](const MeasureField& field, int row, int labelColumn, int editColumn,
                              Qt::Alignment labelAlignment) {
        auto* label = new QLabel(toQString(field.label), sheet);
        auto* edit = new QLineEdit(sheet);
        edit->setObjectName(toQString(field.objectName));
        edit->setReadOnly(true);
        edit->setFixedWidth(fieldWidth);
        label->setBuddy(edit);
        grid->addWidget(label, row, labelColumn, labelAlignment);
        grid->addWidget(edit, row, editColumn);
        m_fields.insert(edit->objectName(), edit);
    };

    const std::vector<MeasureField> fields = pageFields(MeasureSession{}, page);
    int row = 0;
    bool inputs = true;
    for (std::size_t i = 0; i < fields.size(); ++row) {
        const std::string_view group = fields[i].group;
        if (inputs && !isPointGroup(group)) {
            // The points picked above, what they measure below.
            auto* line = new QFrame(sheet);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            grid->addWidget(line, row++, 0, 1, 8);
            inputs = false;
        }
        if (group.empty()) {
            addField(fields[i], row, 0, 2, Qt::AlignLeft);
            ++i;
            continue;
        }
        grid->addWidget(new QLabel(toQString(group), sheet), row, 0);
        for (int column = 1; i < fields.size() && fields[i].group == group; ++i, column += 2)
            addField(fields[i], row, column, column + 1, Qt::AlignRight);
    }
    grid->setRowStretch(row, 1);
    m_pages->addTab(sheet, toQString(info.caption));
}

QString MeasurementForm::fieldText(const QString& objectName) const {
    const QLineEdit* edit = m_fields.value(objectName);
    return edit != nullptr ? edit->text() : QString();
}

void MeasurementForm::begin() {
    if (!m_measuring) {
        m_window.pushMenuState();
        for (const char* name : kLockedMenus)
            if (QAction* item = m_window.action(name))
                item->setEnabled(false);
        m_measuring = true;
        installHooks();
    }
    if (!m_placed) {
        placeBesideDrawing(*this, m_window);
        m_placed = true;
    }
    show();
    raise();
    m_window.setStatusText(toQString(kMeasureInstruction));
    m_window.pointer.mode = PickMode::Point;
}

void MeasurementForm::end(bool redraw) {
    if (!m_measuring) {
        hide();
        return;
    }
    m_measuring = false;
    removeHooks();
    // The marks go with the next picture; the slots must not outlive the records.
    resetSession(m_session);
    m_session.marksShown = false;
    m_session.shownMarks = {};
    refreshFields();
    if (m_window.pointer.mode == PickMode::Point)
        m_window.pointer.mode = PickMode::None;
    m_window.popMenuState();
    // The instruction to pick would outlive the picking.
    if (m_window.statusText() == toQString(kMeasureInstruction))
        m_window.setStatusText("");
    hide();
    // A fresh picture: the marks and the highlights of the picks go. A redraw under way
    // paints one already, without the marks now that the hook is gone.
    if (redraw && !m_window.redrawRunning()) {
        m_window.eraseWindow();
        m_window.fullRedraw();
    }
}

void MeasurementForm::installHooks() {
    OverlayHooks& hooks = m_window.workspace().overlays;
    hooks.measurement = [this](Canvas& canvas) {
        redrawMarks(m_session, m_window.workspace().view, canvas);
    };
    hooks.measureRecord = [this](MoveRecord& record, const CanvasPaint& highlight) {
        change([&] { pickRecord(m_session, record); }, highlight);
    };
    // The slot keeps the point's own coordinates, as an NC pick keeps the record's end point:
    // Prev, Next and Mid step from there.
    hooks.measureWirePoint = [this](WireframePoint& point, const Point3&,
                                    const CanvasPaint& highlight) {
        change([&] { pickWirePoint(m_session, point, {point.x, point.y, point.z}); }, highlight);
    };
}

void MeasurementForm::removeHooks() {
    OverlayHooks& hooks = m_window.workspace().overlays;
    hooks.measurement = nullptr;
    hooks.measureRecord = nullptr;
    hooks.measureWirePoint = nullptr;
}

void MeasurementForm::change(const std::function<void()>& apply, const CanvasPaint& underMarks) {
    if (m_window.redrawRunning()) {
        // The redraw under way paints a new picture and ends with the marks of the session
        // as it is then; the old marks went with the old picture.
        apply();
        m_session.marksShown = false;
        m_session.shownMarks = {};
    } else {
        m_window.drawWith([&](Canvas& canvas) {
            eraseMarks(m_session, canvas);
            if (underMarks)
                underMarks(canvas);
            apply();
            if (m_measuring)
                showMarks(m_session, m_window.workspace().view, canvas);
        });
    }
    refreshFields();
}

void MeasurementForm::refreshFields() {
    for (MeasurePage page : kPageOrder)
        for (const MeasureField& field : pageFields(m_session, page))
            if (QLineEdit* edit = m_fields.value(toQString(field.objectName)))
                edit->setText(QString::fromStdString(field.text));
    const StepButtons steps = stepButtons(m_session);
    m_previous->setEnabled(steps.previous);
    m_next->setEnabled(steps.next);
    m_mid->setEnabled(steps.mid);
}

// --- Events

void MeasurementForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Coming back from a minimised main window is no new measurement.
    if (!event->spontaneous())
        FormShow();
}

void MeasurementForm::FormShow() {
    change([this] { resetSession(m_session); });
    m_workPlane->button(static_cast<int>(WorkPlane::Space3D))->setChecked(true);
}

void MeasurementForm::PageControl1Change(int index) {
    if (index < 0 || index >= static_cast<int>(kPageOrder.size()))
        return;
    change([&] { setPage(m_session, kPageOrder[static_cast<std::size_t>(index)]); });
}

void MeasurementForm::WorkPlaneRadioGroup1Click(int index) {
    if (index < 0 || index >= static_cast<int>(kWorkPlaneItems.size()))
        return;
    change([&] { setWorkPlane(m_session, static_cast<WorkPlane>(index)); });
}

void MeasurementForm::PreviousButtonClick() {
    change([this] { stepPrevious(m_session); });
}

void MeasurementForm::NextButtonClick() {
    change([this] { stepNext(m_session); });
}

void MeasurementForm::MidButtonClick() {
    change([this] { stepMid(m_session); });
}

void MeasurementForm::CopyButtonClick() {
    const std::string text = copyText(pageFields(m_session, m_session.page));
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void MeasurementForm::CancelButtonClick() {
    close();
}

void MeasurementForm::closeEvent(QCloseEvent* event) {
    end(true);
    QDialog::closeEvent(event);
}

void MeasurementForm::reject() {
    close();
}

bool MeasurementForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::Close && m_measuring)
        end(false);
    return false;
}

} // namespace korvix::ui
