#pragma once

#include "app/menu_state_stack.h"
#include "model/workspace.h"
#include "display/pointer_state.h"

#include <QMainWindow>
#include <QMap>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QColorDialog;
class QFileDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QMenu;
class QMenuBar;
class QToolBar;

namespace korvix {
class Canvas;
}

namespace korvix::ui {

class DrawingArea;
class QtCanvas;
class QtReporter;
class InputRadiusTypeForm;
class CurrentNcLocationDialog;
class CurrentWirLocationDialog;
class ParsingErrorForm;
class ModifyFeedColorsDialog;
class CNCControlTypeDialog;
class SiftingForm;
class FitArcForm;
class ToolDefinitionDialog;
class ExplodeArcForm;
class ToolNumberSelectionForm;
struct MenuItem;

// The main window: the drawing surface, the owner of the menus and of every dialog, and the
// place where commands report in the status bar. Command handlers live with their
// subsystem and reach the window through this class's public interface.
class Tf : public QMainWindow {
public:
    // `commandLine` holds the program's arguments without the program name; the first one,
    // if any, is opened at the first activation.
    explicit Tf(const QStringList& commandLine, QWidget* parent = nullptr);
    ~Tf() override;

    Workspace& workspace() { return m_ws; }

    // --- Status bar
    void setStatusText(const QString& text); // second panel: messages and hints
    QString statusText() const;
    void setReadout(const QString& text); // first panel: the cursor coordinates
    QString readout() const;

    // --- Menus
    QAction* action(const QString& objectName) const;
    bool isChecked(const QString& objectName) const;
    // Sets a check mark; for items that are options of the workspace also the option.
    void setChecked(const QString& objectName, bool checked);
    // Sets the check marks of option items from the workspace.
    void syncChecksFromWorkspace();
    void pushMenuState();
    void popMenuState();
    void clearMenuStateStack() { m_menuStack.clear(); }
    QMenu* popupMenu() const { return m_popupMenu; }
    // Runs a menu command unless another command is running and the item may not
    // interrupt it.
    void runCommand(const MenuItem& item);

    // --- Drawing
    DrawingArea& drawingArea() { return *m_drawing; }
    // Runs `draw` with a canvas on the window's backing image, then shows the image. While
    // a canvas is active (a redraw pumping messages) nested drawing reuses it and the
    // image keeps its size.
    void drawWith(const std::function<void(Canvas&)>& draw);
    // Clears the picture to the black background (the control's Refresh).
    void eraseWindow();
    // Paints everything into the backing image and shows it.
    void fullRedraw();
    bool redrawRunning() const;
    // Recomputes the drawing-area size W x H from the window's client area.
    void FormPaint();

    // --- Long commands
    void setHourglass(bool busy);
    void pumpNow();
    // A progress bar in the status bar, fed from the message pump's progress figures.
    void beginProgress();
    void endProgress();

    // --- Status window
    void refillStatusWindow();
    QListWidget& statusListBox() { return *m_statusListBox; }
    // Hides the screen-text entry field.
    void hideTextEntry();

    // --- Dialogs (created once, kept for the program's life)
    QFileDialog& openNcDialog() { return *m_openNcDialog; }
    QColorDialog& colorDialog1() { return *m_colorDialog; }
    InputRadiusTypeForm& inputRadiusTypeForm() { return *m_inputRadiusTypeForm; }
    CurrentNcLocationDialog& currentNcLocationDialog() { return *m_currentNcLocationDialog; }
    CurrentWirLocationDialog& currentWirLocationDialog() { return *m_currentWirLocationDialog; }
    ParsingErrorForm& parsingErrorForm() { return *m_parsingErrorForm; }
    ModifyFeedColorsDialog& modifyFeedColorsDialog() { return *m_modifyFeedColorsDialog; }
    CNCControlTypeDialog& cncControlTypeDialog() { return *m_cncControlTypeDialog; }
    SiftingForm& siftingForm() { return *m_siftingForm; }
    FitArcForm& fitArcForm() { return *m_fitArcForm; }
    ToolDefinitionDialog& toolDefinitionDialog() { return *m_toolDefinitionDialog; }
    ExplodeArcForm& explodeArcForm() { return *m_explodeArcForm; }
    ToolNumberSelectionForm& toolNumberSelectionForm() { return *m_toolNumberSelectionForm; }

    // --- Files
    QString currentFileName() const { return m_currentFileName; }
    void setCurrentFileName(const QString& fileName);

    // The pick mode byte: what a mouse drag means.
    int pickMode = 0;
    // The drag in progress, its points and the armed selection.
    PointerState pointer;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Closes the window once nothing runs any more, when the user asked for it meanwhile.
    void closeIfRequested();
    // FormKeyDown, then FormKeyPress; the keys they use are consumed.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void buildMenus();
    void createDialogs();
    void installMessagePump();

    Workspace m_ws;
    std::unique_ptr<QtReporter> m_reporter;
    MenuStateStack m_menuStack;
    QMap<QString, QAction*> m_actions;
    QMenuBar* m_mainMenu1 = nullptr;
    QMenuBar* m_mainMenu2 = nullptr;
    QMenu* m_popupMenu = nullptr;
    QToolBar* m_modifyPortionToolbar = nullptr;
    DrawingArea* m_drawing = nullptr;
    QListWidget* m_statusListBox = nullptr;
    QLineEdit* m_edit1 = nullptr;
    QLabel* m_panel1 = nullptr;
    QLabel* m_panel2 = nullptr;
    QProgressBar* m_progress = nullptr;

    QFileDialog* m_openNcDialog = nullptr;
    QColorDialog* m_colorDialog = nullptr;
    InputRadiusTypeForm* m_inputRadiusTypeForm = nullptr;
    CurrentNcLocationDialog* m_currentNcLocationDialog = nullptr;
    CurrentWirLocationDialog* m_currentWirLocationDialog = nullptr;
    ParsingErrorForm* m_parsingErrorForm = nullptr;
    ModifyFeedColorsDialog* m_modifyFeedColorsDialog = nullptr;
    CNCControlTypeDialog* m_cncControlTypeDialog = nullptr;
    SiftingForm* m_siftingForm = nullptr;
    FitArcForm* m_fitArcForm = nullptr;
    ToolDefinitionDialog* m_toolDefinitionDialog = nullptr;
    ExplodeArcForm* m_explodeArcForm = nullptr;
    ToolNumberSelectionForm* m_toolNumberSelectionForm = nullptr;

    QString m_currentFileName;
    QString m_commandLineFile;
    bool m_firstActivationPending = true;
    int m_commandDepth = 0;
    QtCanvas* m_activeCanvas = nullptr;
    bool m_redrawHourglass = false; // the redraw under way has set the hourglass cursor
    bool m_closeRequested = false;  // the user closed the window while it was busy
};

} // namespace korvix::ui
