#pragma once

#include "measure/measure_session.h"
#include "model/overlay_state.h"

#include <QDialog>
#include <QHash>
#include <QString>
#include <array>
#include <functional>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace korvix::ui {

class Tf;

// "Measurement Form": the modeless, stay-on-top window of a measurement. While it runs, the
// main window's point picks feed its session (through the workspace's pick hooks), its
// marks are drawn in XOR on the picture and drawn again by every full redraw, and the menus
// that could change or free the picked data are locked.
class MeasurementForm : public QDialog {
public:
    // The window's one instance, created at the first call.
    static MeasurementForm& of(Tf& window);
    explicit MeasurementForm(Tf& window);

    // "&Measure": locks the menus and installs the hooks (unless measuring already), shows
    // the form and arms the repeated point pick.
    void begin();
    // Ends a running measurement: the hooks go, the slots are emptied (they point into the
    // toolpath and the wire-frame), the pick is disarmed, the menus are restored and the form
    // hides. `redraw` paints the picture again without the marks; the Close commands, which
    // are about to free the data, pass false.
    void end(bool redraw);
    bool measuring() const { return m_measuring; }

    const MeasureSession& session() const { return m_session; }
    MeasurePage page() const { return m_session.page; }
    // The text of a result or point field by its object name ("Edit16").
    QString fieldText(const QString& objectName) const;

    // The form's events.
    void FormShow();
    void PageControl1Change(int index);
    void WorkPlaneRadioGroup1Click(int index);
    void PreviousButtonClick();
    void NextButtonClick();
    void MidButtonClick();
    void CopyButtonClick();
    void CancelButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Esc closes the form as Cancel does.
    void reject() override;
    // The main window closing frees the data the slots point into.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPage(MeasurePage page);
    // Takes the marks off, makes the change, puts the marks of the new state on and shows
    // the fields. While a redraw runs its picture is not finished: the change is made alone
    // and the redraw's end draws the marks.
    void change(const std::function<void()>& apply, const CanvasPaint& underMarks = {});
    void refreshFields();
    void installHooks();
    void removeHooks();

    Tf& m_window;
    MeasureSession m_session;
    bool m_measuring = false;
    bool m_placed = false;
    QTabWidget* m_pages = nullptr;
    QButtonGroup* m_workPlane = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_mid = nullptr;
    QHash<QString, QLineEdit*> m_fields;
};

} // namespace korvix::ui
