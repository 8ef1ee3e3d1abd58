#include "editing/ui/trim_dialog_box.h"

#include "ui/main_window.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

namespace korvix::ui {
namespace {

QGroupBox* group(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QLabel* label(const char* name, const char* caption, QLineEdit* buddy, QWidget* parent) {
    auto* text = new QLabel(caption, parent);
    text->setObjectName(name);
    text->setBuddy(buddy);
    return text;
}

QCheckBox* checkBox(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QString toQString(const std::string& text) {
    return QString::fromStdString(text);
}

std::string toStd(const QLineEdit* edit) {
    return edit->text().toStdString();
}

} // namespace

TTrimDialogBox& TTrimDialogBox::of(Tf& window) {
    return window.dialog<TTrimDialogBox>([&window] {
        return new TTrimDialogBox(window.reporter(), window.workspace().database, &window);
    });
}

TTrimDialogBox::TTrimDialogBox(Reporter& reporter, const GraphicsDatabase& database,
                               QWidget* parent)
    : NumericFieldForm(reporter, parent), m_database(database) {
    setObjectName("TTrimDialogBox");
    setWindowTitle("Trimming parameters");

    // Created in the order the Tab key visits them.
    QGroupBox* planes = group("RapidTraversePlanesGroupBox", "Rapid Traverse Planes", this);
    m_primary = numericEdit("PrimaryRapidPlaneEdit", "", planes);
    m_secondary = numericEdit("SecondaryRapidPlaneEdit", "", planes);
    m_absoluteSecondary =
        checkBox("AbsoluteSecondaryPlaneCheckBox", "Absolute secondary plane", planes);
    auto* planeRows = new QFormLayout(planes);
    planeRows->addRow(label("PrimaryRapidPlaneLabel", "Primary plane:", m_primary, planes),
                      m_primary);
    planeRows->addRow(label("SecondaryRapidPlaneLabel", "Secondary plane:", m_secondary, planes),
                      m_secondary);
    planeRows->addRow(m_absoluteSecondary);

    QGroupBox* windowBox =
        group("TrimmingWindowParametersGroupBox", "Trimming Window Parameters", this);
    m_left = numericEdit("LeftEdit", "", windowBox);
    m_top = numericEdit("TopEdit", "", windowBox);
    m_right = numericEdit("RightEdit", "", windowBox);
    m_bottom = numericEdit("BottomEdit", "", windowBox);
    m_stayInside =
        checkBox("StayInsideTrimWindowCheckBox", "Keep data inside trim window", windowBox);
    m_extremes = new QPushButton("&Extents", windowBox);
    m_extremes->setObjectName("ExtremesButton");
    connect(m_extremes, &QPushButton::clicked, this, [this] { ExtremesButtonClick(); });
    // The four sides where they lie on the box.
    auto* sides = new QGridLayout(windowBox);
    sides->addWidget(label("TopLabel", "Top:", m_top, windowBox), 0, 2, Qt::AlignRight);
    sides->addWidget(m_top, 0, 3);
    sides->addWidget(label("LeftLabel", "Left:", m_left, windowBox), 1, 0, Qt::AlignRight);
    sides->addWidget(m_left, 1, 1);
    sides->addWidget(label("RightLabel", "Right:", m_right, windowBox), 1, 4, Qt::AlignRight);
    sides->addWidget(m_right, 1, 5);
    sides->addWidget(label("BottomLabel", "Bottom:", m_bottom, windowBox), 2, 2, Qt::AlignRight);
    sides->addWidget(m_bottom, 2, 3);
    sides->addWidget(m_stayInside, 3, 0, 1, 4);
    sides->addWidget(m_extremes, 3, 4, 1, 2);

    QGroupBox* deepest = group("DeepestZValueGroupBox", "Deepest \"Z\" Value", this);
    m_deepest = numericEdit("DeepestZValueEdit", "", deepest);
    m_removeWasted = checkBox("RemoveWastedMovesCheckBox", "Remove wasted moves", deepest);
    m_limitZ = checkBox("LimitZTravelCheckBox", "Limit \"Z\" travel", deepest);
    auto* deepestRows = new QFormLayout(deepest);
    deepestRows->addRow(label("DeepestZValueLabel", "Deepest \"Z\":", m_deepest, deepest),
                        m_deepest);
    deepestRows->addRow(m_removeWasted);
    deepestRows->addRow(m_limitZ);

    QGroupBox* plunge = group("PlungeFeedRateGroupBox", "Plunge Feed Rate", this);
    m_plungeFeed = numericEdit("PlungeFeedRateEdit", kTrimPlungeFeedDesignText, plunge);
    m_useRapid = checkBox("UseRapidTraverseCheckbox", "Use \"G00\" for positioning", plunge);
    auto* plungeRows = new QFormLayout(plunge);
    plungeRows->addRow(label("PlungeFeedRateLabel", "Feed rate:", m_plungeFeed, plunge),
                       m_plungeFeed);
    plungeRows->addRow(m_useRapid);

    QGroupBox* tolerance = group("ArcExplodingToleranceGroupBox", "Arc Exploding Tolerance", this);
    m_tolerance = numericEdit("ArcToleranceEdit", kTrimToleranceDesignText, tolerance);
    auto* toleranceRows = new QFormLayout(tolerance);
    toleranceRows->addRow(label("ArcToleranceLabel", "Tolerance:", m_tolerance, tolerance),
                          m_tolerance);

    for (QLineEdit* edit : {m_primary, m_secondary, m_deepest, m_plungeFeed, m_tolerance})
        edit->setFixedWidth(96);
    for (QLineEdit* edit : {m_left, m_top, m_right, m_bottom})
        edit->setFixedWidth(88);

    auto* left = new QVBoxLayout;
    left->addWidget(planes);
    left->addWidget(windowBox);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(deepest);
    right->addWidget(plunge);
    right->addWidget(tolerance);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    finishForm(*layout, {m_primary, m_secondary, m_left, m_top, m_right, m_bottom, m_deepest,
                         m_plungeFeed, m_tolerance});
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const std::array<QWidget*, 15> tabOrder = {
        m_primary,      m_secondary, m_absoluteSecondary, m_left,     m_top,
        m_right,        m_bottom,    m_stayInside,        m_extremes, m_deepest,
        m_removeWasted, m_limitZ,    m_plungeFeed,        m_useRapid, m_tolerance};
    for (std::size_t i = 0; i + 1 < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);

    setFields(TrimDialogFields{});
}

TrimDialogFields TTrimDialogBox::fields() const {
    TrimDialogFields f;
    f.primaryRapidPlane = toStd(m_primary);
    f.secondaryRapidPlane = toStd(m_secondary);
    f.absoluteSecondaryPlane = m_absoluteSecondary->isChecked();
    f.left = toStd(m_left);
    f.top = toStd(m_top);
    f.right = toStd(m_right);
    f.bottom = toStd(m_bottom);
    f.stayInsideTrimWindow = m_stayInside->isChecked();
    f.deepestZValue = toStd(m_deepest);
    f.removeWastedMoves = m_removeWasted->isChecked();
    f.limitZTravel = m_limitZ->isChecked();
    f.plungeFeedRate = toStd(m_plungeFeed);
    f.useRapidTraverse = m_useRapid->isChecked();
    f.arcTolerance = toStd(m_tolerance);
    return f;
}

void TTrimDialogBox::setFields(const TrimDialogFields& f) {
    m_primary->setText(toQString(f.primaryRapidPlane));
    m_secondary->setText(toQString(f.secondaryRapidPlane));
    m_absoluteSecondary->setChecked(f.absoluteSecondaryPlane);
    m_left->setText(toQString(f.left));
    m_top->setText(toQString(f.top));
    m_right->setText(toQString(f.right));
    m_bottom->setText(toQString(f.bottom));
    m_stayInside->setChecked(f.stayInsideTrimWindow);
    m_deepest->setText(toQString(f.deepestZValue));
    m_removeWasted->setChecked(f.removeWastedMoves);
    m_limitZ->setChecked(f.limitZTravel);
    m_plungeFeed->setText(toQString(f.plungeFeedRate));
    m_useRapid->setChecked(f.useRapidTraverse);
    m_tolerance->setText(toQString(f.arcTolerance));
}

void TTrimDialogBox::setFieldState(const TrimFieldState& state) {
    for (QLineEdit* edit : {m_left, m_top, m_right, m_bottom})
        edit->setEnabled(state.windowFieldsEnabled);
    m_extremes->setEnabled(state.extentsButtonEnabled);
}

void TTrimDialogBox::ExtremesButtonClick() {
    TrimDialogFields f = fields();
    fillTrimFieldsFromExtents(f, m_database.status);
    setFields(f);
}

} // namespace korvix::ui
