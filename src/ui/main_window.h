#pragma once

#include "app/menu_state_stack.h"
#include "display/pointer_input.h"
#include "editing/selection_toolbar.h"
#include "model/workspace.h"
#include "ui/menu_item.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <span>
#include <typeindex>
#include <unordered_map>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QMenu;
class QMenuBar;
class QMouseEvent;
class QTimer;
class QToolBar;

namespace korvix {
class Canvas;
struct TrimInvocation;
} // namespace korvix

namespace korvix::ui {

class DrawingArea;
class QtCanvas;
class QtReporter;

// What the window hands to the commands of the subsystems: its key and mouse events and the
// opening of the command-line file. The application wires them (app/ui); the window itself
// knows no command.
struct WindowHandlers {
    // FormKeyDown, then FormKeyPress: true when a key was used.
    std::function<bool(Tf&, QKeyEvent&)> keyPressed;
    std::function<void(Tf&, const QMouseEvent&)> mouseDown;
    std::function<void(Tf&, const QMouseEvent&)> mouseMove;
    std::function<void(Tf&, const QMouseEvent&)> mouseUp;
    std::function<void(Tf&, const QString& fileName)> openNamedFile;
    // The trim command with its dialog, for the trim box and polygon that the mouse and keys
    // finish (they live below the editing commands).
    std::function<void(Tf&, const TrimInvocation&)> trim;
    // Open as File -> Open does, for a file the user chose otherwise: a recent file, a file
    // dropped on the window.
    std::function<void(Tf&, const QString& fileName)> openChosenFile;
    // The settings file: read at the first activation after the command-line file was
    // opened, written whenever the window closes.
    std::function<void(Tf&)> loadSettings;
    std::function<void(Tf&)> saveSettings;
};

// The main window: the drawing surface, the owner of the menus and of every dialog, and the
// place where commands report in the status bar. Command handlers live with their
// subsystem and reach the window through this class's public interface.
class Tf : public QMainWindow {
public:
    // `commandLine` holds the program's arguments without the program name; the first one,
    // if any, is opened at the first activation. `menus` are built in order.
    Tf(const QStringList& commandLine, std::span<const MenuItem> menus, WindowHandlers handlers,
       QWidget* parent = nullptr);
    ~Tf() override;

    Workspace& workspace() { return m_ws; }
    const Workspace& workspace() const { return m_ws; }
    Reporter& reporter() { return m_ws.report(); }

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
    // Edit -> Undo and Redo name the step they take and are enabled when there is one.
    void syncUndoItems();
    void pushMenuState();
    void popMenuState();
    void clearMenuStateStack() { m_menuStack.clear(); }
    QMenu* popupMenu() const { return m_popupMenu; }
    // Edit mode swaps the main menu for the edit menu and shows the selection toolbar.
    QMenuBar* mainMenu1() const { return m_mainMenu1; }
    QMenuBar* mainMenu2() const { return m_mainMenu2; }
    QToolBar* modifyPortionToolbar() const { return m_modifyPortionToolbar; }
    // Runs a menu command unless another command is running and the item may not
    // interrupt it.
    void runCommand(const MenuItem& item);
    // A command or a redraw is running: the data may be in use.
    bool busy() const;
    // Runs `work` as the menus run a command, for commands that a mouse gesture or a key
    // starts: not while another command or a redraw runs (false then), and a close asked for
    // meanwhile waits for its end.
    bool runAsCommand(const std::function<void()>& work);
    const WindowHandlers& handlers() const { return m_handlers; }

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
    // While it shows, a Cancel button beside it (and Esc) asks the job to stop, and the
    // menus are disabled.
    void beginProgress();
    void endProgress();
    // Shows the message pump's progress figures in the progress bar, if it shows.
    void refreshProgress();
    bool reading() const { return m_reading; }
    // The start-up work of the first activation (command-line file, settings) has run.
    bool started() const { return m_started; }

    // --- Status window
    QListWidget& statusListBox() { return *m_statusListBox; }
    // The screen-text entry field `Edit1`, floating over the drawing area, and its hiding.
    QLineEdit& textEntry() { return *m_edit1; }
    void hideTextEntry();

    // --- Dialogs, created once and kept for the program's life so that their fields keep
    // their values. Each dialog class finds its one instance through this (the `of`
    // function of the dialog): `make` creates it, parented to the window, at the first call.
    template <class Dialog, class Make> Dialog& dialog(Make&& make) {
        QWidget*& slot = m_dialogs[std::type_index(typeid(Dialog))];
        if (slot == nullptr)
            slot = make();
        return *static_cast<Dialog*>(slot);
    }

    // --- Files
    QString currentFileName() const { return m_currentFileName; }
    void setCurrentFileName(const QString& fileName);
    // The files read last, newest first, listed under File with Ctrl+1..8.
    QStringList recentFiles() const { return m_recentFiles; }
    void setRecentFiles(const QStringList& files);
    void noteRecentFile(const QString& fileName);

    // What a mouse drag means (the pick mode), the drag in progress and the armed selection.
    PointerState pointer;
    // The option buttons of the selection toolbar: destination or both points, add or
    // subtract.
    SelectionToolbarState selectionToolbar;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Closes the window once nothing runs any more, when the user asked for it meanwhile.
    void closeIfRequested();
    // FormKeyDown, then FormKeyPress; the keys they use are consumed.
    void keyPressEvent(QKeyEvent* event) override;
    // A file dropped on the window is opened as File -> Open opens it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void buildMenus(std::span<const MenuItem> menus);
    void refreshReadout();
    void lockMenus(bool locked);
    void installMessagePump();
    void rebuildRecentFileItems();
    void openChosen(const QString& fileName);

    Workspace m_ws;
    WindowHandlers m_handlers;
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
    QPushButton* m_cancelButton = nullptr;
    QTimer* m_resizeRedraw = nullptr;
    QHash<QAction*, bool> m_enabledBeforeLock;

    std::unordered_map<std::type_index, QWidget*> m_dialogs;

    QString m_currentFileName;
    QStringList m_recentFiles;
    QList<QAction*> m_recentFileItems;
    QString m_commandLineFile;
    bool m_firstActivationPending = true;
    int m_commandDepth = 0;
    QtCanvas* m_activeCanvas = nullptr;
    QElapsedTimer m_canvasShown;    // since the picture of the running redraw was last shown
    bool m_redrawHourglass = false; // the redraw under way has set the hourglass cursor
    bool m_closeRequested = false;  // the user closed the window while it was busy
    bool m_reading = false;         // a file is being read (the progress bar shows)
    bool m_started = false;
};

} // namespace korvix::ui
