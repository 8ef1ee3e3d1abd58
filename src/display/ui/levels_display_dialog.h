#pragma once

#include "display/levels_dialog_state.h"
#include "model/reporter.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace korvix::ui {

class Tf;

// "Display Individual Levels": the stay-on-top dialog of the levels display. Its buttons set
// the state byte (levels_state) that the display loop waits on; closing the dialog or Esc
// mean Cancel.
class LevelsDisplayDialog : public QDialog {
public:
    // The window's one instance, created at the first call.
    static LevelsDisplayDialog& of(Tf& window);
    LevelsDisplayDialog(Reporter& reporter, QWidget* parent);

    int state() const { return m_state; }
    void setState(int state) { m_state = state; }

    // Shows the dialog, the first time beside the drawing.
    void showBeside(Tf& window);

    // "Upper level", "Lower level" and "Number of levels displayed" as the display opens.
    void showOpening(const LevelsOpeningTexts& texts);
    // The levels on display, their cutting time, and which way the user can step.
    void showDisplay(const LevelsDisplayTexts& texts);

    // Reports over the dialog: a message box of the main window would open under this
    // stay-on-top dialog, out of the user's reach. Status texts go to the window as usual.
    Reporter& reporter() { return m_boxes; }

    bool clearScreen() const;
    bool fitToGeometry() const;
    QString levelsDisplayed() const;
    QString fieldText(const QString& objectName) const;

    // Leaving "Number of levels displayed": an empty field becomes "1"; a character that is
    // no part of a number is reported and the focus comes back.
    void NumberLevelsDisplayedEditExit();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class BoxReporter : public Reporter {
    public:
        BoxReporter(Reporter& window, QWidget& owner) : m_window(window), m_owner(owner) {}
        void status(std::string_view text) override { m_window.status(text); }
        void information(std::string_view text) override;
        void warning(std::string_view text) override;
        void error(std::string_view text) override;
        bool confirm(std::string_view text) override;

    private:
        Reporter& m_window;
        QWidget& m_owner;
    };

    QLineEdit* addReadOnly(const char* objectName);
    QPushButton* addStateButton(const char* caption, const char* objectName, int state);

    BoxReporter m_boxes;
    int m_state = levels_state::kWaiting;
    QLineEdit* m_levelsDisplayed = nullptr;
    QCheckBox* m_clearScreen = nullptr;
    QCheckBox* m_fitToGeometry = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_exitPending = false;
    bool m_placed = false;
};

} // namespace korvix::ui
