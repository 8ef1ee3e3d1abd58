#include "ui/main_window.h"

#include "app/home_folder.h"
#include "display/cursor_readout.h"
#include "display/display_state.h"
#include "display/renderer.h"
#include "ui/canvas/qt_canvas.h"
#include "ui/drawing_area.h"
#include "ui/qt_reporter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace korvix::ui {

Tf::Tf(const QStringList& commandLine, std::span<const MenuItem> menus, WindowHandlers handlers,
       QWidget* parent)
    : QMainWindow(parent), m_handlers(std::move(handlers)) {
    setObjectName("f");
    setWindowTitle("Korvix");
    resize(758, 596);
    setAcceptDrops(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_drawing = new DrawingArea(central);
    layout->addWidget(m_drawing, 1);
    m_statusListBox = new QListWidget(central);
    m_statusListBox->setObjectName("StatusListBox1");
    m_statusListBox->setFixedHeight(85);
    m_statusListBox->setFocusPolicy(Qt::NoFocus);
    m_statusListBox->setSelectionMode(QAbstractItemView::NoSelection);
    m_statusListBox->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_statusListBox->setUniformItemSizes(true);
    m_statusListBox->hide();
    layout->addWidget(m_statusListBox);
    setCentralWidget(central);

    // The screen-text entry field floats over the drawing.
    m_edit1 = new QLineEdit(m_drawing);
    m_edit1->setObjectName("Edit1");
    // Colours only in the style sheet: a font there would override the one the user
    // chooses for the texts.
    m_edit1->setStyleSheet("background: black; color: white;");
    QFont textFont("System");
    textFont.setPixelSize(15);
    textFont.setBold(true);
    m_edit1->setFont(textFont);
    m_edit1->hide();

    m_panel1 = new QLabel(this);
    m_panel1->setObjectName("StatusPanel1");
    m_panel1->setFixedWidth(200);
    m_panel2 = new QLabel(this);
    m_panel2->setObjectName("StatusPanel2");
    m_panel2->setMinimumWidth(500);
    statusBar()->setObjectName("StatusBar1");
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(m_panel1);
    statusBar()->addWidget(m_panel2, 1);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("ProgressBar");
    m_progress->setFixedWidth(160);
    m_progress->setRange(0, 1000);
    m_progress->hide();
    statusBar()->addPermanentWidget(m_progress);
    m_cancelButton = new QPushButton("Cancel", this);
    m_cancelButton->setObjectName("CancelButton");
    m_cancelButton->setFocusPolicy(Qt::NoFocus);
    m_cancelButton->hide();
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { m_ws.pump.requestCancel(); });
    statusBar()->addPermanentWidget(m_cancelButton);

    m_modifyPortionToolbar = new QToolBar("ModifyPortionToolbar", this);
    m_modifyPortionToolbar->setObjectName("ModifyPortionToolbar");
    addToolBar(Qt::RightToolBarArea, m_modifyPortionToolbar);
    m_modifyPortionToolbar->hide();

    buildMenus(menus);
    m_reporter = std::make_unique<QtReporter>(*this);
    m_ws.reporter = m_reporter.get();
    installMessagePump();
    m_drawing->mayResize = [this] { return m_activeCanvas == nullptr; };
    // A redraw per resize event would make dragging the frame crawl; the picture is drawn
    // at the new size once the user stops resizing.
    m_resizeRedraw = new QTimer(this);
    m_resizeRedraw->setSingleShot(true);
    m_resizeRedraw->setInterval(150);
    connect(m_resizeRedraw, &QTimer::timeout, this, [this] {
        if (busy()) {
            m_resizeRedraw->start();
            return;
        }
        eraseWindow();
        fullRedraw();
    });
    m_drawing->onResize = [this] {
        FormPaint();
        if (isVisible())
            m_resizeRedraw->start();
    };
    m_drawing->onContextMenu = [this](const QPoint& at) { m_popupMenu->exec(at); };
    m_drawing->onMousePress = [this](QMouseEvent* event) {
        if (m_handlers.mouseDown)
            m_handlers.mouseDown(*this, *event);
    };
    m_drawing->onMouseMove = [this](QMouseEvent* event) {
        if (m_handlers.mouseMove)
            m_handlers.mouseMove(*this, *event);
    };
    m_drawing->onMouseRelease = [this](QMouseEvent* event) {
        if (m_handlers.mouseUp)
            m_handlers.mouseUp(*this, *event);
    };

    if (!commandLine.isEmpty())
        m_commandLineFile = commandLine.front();
    FormCreate();
}

Tf::~Tf() {
    m_ws.reporter = &m_ws.silentReporter;
}

void Tf::FormCreate() {
    m_firstActivationPending = true;
    m_menuStack.clear();
    setStatusText("");
    setReadout("");
    // First start: the bundled machine formats go into an empty machines folder. Without
    // them the program still works (with "Default"), so a failure is only reported.
    const InstallResult installed = installBundledMachineFormats(machinesFolder());
    if (!installed.ok)
        setStatusText(QString::fromStdString(installed.message));
    FormPaint();
}

void Tf::buildMenus(std::span<const MenuItem> items) {
    // Both menu bars live in one container so that edit mode can swap them without the
    // main window deleting the one it hides.
    auto* menus = new QWidget(this);
    auto* menuLayout = new QVBoxLayout(menus);
    menuLayout->setContentsMargins(0, 0, 0, 0);
    menuLayout->setSpacing(0);
    m_mainMenu1 = new QMenuBar(menus);
    m_mainMenu1->setObjectName("MainMenu1");
    m_mainMenu2 = new QMenuBar(menus);
    m_mainMenu2->setObjectName("MainMenu2");
    m_mainMenu2->hide();
    menuLayout->addWidget(m_mainMenu1);
    menuLayout->addWidget(m_mainMenu2);
    setMenuWidget(menus);
    m_popupMenu = new QMenu(this);
    m_popupMenu->setObjectName("PopupMenu1");

    QMap<QString, QMenu*> submenus;
    const auto isSubmenu = [items](const MenuItem& candidate) {
        for (const MenuItem& item : items)
            if (candidate.objectName[0] != '\0' && QString(item.parent) == candidate.objectName)
                return true;
        return false;
    };
    for (const MenuItem& item : items) {
        const QString menuName = item.menu;
        QMenuBar* bar = menuName == "MainMenu1"   ? m_mainMenu1
                        : menuName == "MainMenu2" ? m_mainMenu2
                                                  : nullptr;
        QMenu* parentMenu = item.parent[0] != '\0' ? submenus.value(item.parent) : nullptr;
        if (bar == nullptr && parentMenu == nullptr)
            parentMenu = m_popupMenu;

        if (QString(item.caption) == "-") {
            if (parentMenu != nullptr)
                parentMenu->addSeparator();
            continue;
        }
        QAction* action = nullptr;
        if (isSubmenu(item)) {
            QMenu* menu = parentMenu != nullptr ? parentMenu->addMenu(item.caption)
                                                : bar->addMenu(item.caption);
            menu->setObjectName(item.objectName);
            submenus.insert(item.objectName, menu);
            action = menu->menuAction();
        } else {
            action = parentMenu != nullptr ? parentMenu->addAction(item.caption)
                                           : bar->addAction(item.caption);
            const MenuItem* entry = &item;
            connect(action, &QAction::triggered, this, [this, entry] { runCommand(*entry); });
        }
        action->setObjectName(item.objectName);
        action->setStatusTip(item.hint);
        action->setEnabled(item.enabled);
        if (item.check != Check::None) {
            action->setCheckable(true);
            action->setChecked(item.check == Check::Checked);
        }
        m_actions.insert(item.objectName, action);
    }
}

void Tf::installMessagePump() {
    // The core pumps once every few hundred records; this keeps the real dispatching to
    // about one round every 15 ms of work so that long loops stay fast and the window
    // stays alive.
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    m_ws.pump.install([this, clock] {
        if (clock->elapsed() < 15)
            return;
        // A redraw long enough to let events through shows the hourglass until it ends, and
        // the picture as far as it has come, so that a big path appears as it is drawn.
        if (m_ws.redraw.busy && !m_redrawHourglass) {
            setHourglass(true);
            m_redrawHourglass = true;
        }
        if (m_ws.redraw.busy && m_activeCanvas != nullptr && m_canvasShown.elapsed() >= 250) {
            m_drawing->update();
            m_canvasShown.restart();
        }
        refreshProgress();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        clock->restart();
    });
}

// --- Status bar

void Tf::setStatusText(const QString& text) {
    m_panel2->setText(text);
    m_panel2->repaint();
}
QString Tf::statusText() const {
    return m_panel2->text();
}
void Tf::setReadout(const QString& text) {
    m_panel1->setText(text);
}
QString Tf::readout() const {
    return m_panel1->text();
}

// --- Menus

QAction* Tf::action(const QString& objectName) const {
    return m_actions.value(objectName);
}

bool Tf::isChecked(const QString& objectName) const {
    const QAction* item = action(objectName);
    return item != nullptr && item->isChecked();
}

void Tf::setChecked(const QString& objectName, bool checked) {
    if (QAction* item = action(objectName))
        item->setChecked(checked);
    setDisplayOptionCheck(m_ws, objectName.toStdString(), checked);
}

void Tf::syncChecksFromWorkspace() {
    for (const std::string_view name : displayOptionItems())
        if (const auto checked = displayOptionCheck(m_ws, name))
            action(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())))
                ->setChecked(*checked);
}

void Tf::pushMenuState() {
    MenuStates states{};
    for (int i = 0; i < kMenuStateItems; ++i)
        states[static_cast<std::size_t>(i)] = action(kMenuStateItemNames[i])->isEnabled();
    m_menuStack.push(states);
}

void Tf::popMenuState() {
    if (const auto states = m_menuStack.pop())
        for (int i = 0; i < kMenuStateItems; ++i)
            action(kMenuStateItemNames[i])->setEnabled((*states)[static_cast<std::size_t>(i)]);
}

bool Tf::busy() const {
    return m_commandDepth > 0 || redrawRunning();
}

bool Tf::runAsCommand(const std::function<void()>& work) {
    if (busy())
        return false;
    ++m_commandDepth;
    work();
    --m_commandDepth;
    closeIfRequested();
    syncChecksFromWorkspace();
    syncUndoItems();
    return true;
}

void Tf::runCommand(const MenuItem& item) {
    QAction* source = action(item.objectName);
    // Handlers toggle their own check marks (some only when there is data), so undo the
    // toggle Qt has already made.
    if (source != nullptr && source->isCheckable())
        source->setChecked(!source->isChecked());
    if (!item.whileBusy && (m_commandDepth > 0 || redrawRunning()))
        return;
    ++m_commandDepth;
    item.handler(*this);
    --m_commandDepth;
    closeIfRequested();
    // Core commands change options directly; the check marks follow.
    syncChecksFromWorkspace();
    syncUndoItems();
}

void Tf::syncUndoItems() {
    const UndoHistory& history = m_ws.history;
    const auto sync = [this](const char* name, const char* caption, bool can,
                             const std::string& step) {
        QAction* item = action(name);
        if (item == nullptr)
            return;
        item->setText(can ? QString(caption) + " " + QString::fromStdString(step)
                          : QString(caption));
        // A read in progress has the menus locked; they come back as they are now.
        if (m_reading)
            m_enabledBeforeLock[item] = can;
        else
            item->setEnabled(can);
    };
    sync("Undo1", "&Undo", history.canUndo(), history.undoCaption());
    sync("Redo1", "&Redo", history.canRedo(), history.redoCaption());
}

// --- Drawing

void Tf::drawWith(const std::function<void(Canvas&)>& draw) {
    if (m_activeCanvas != nullptr) {
        draw(*m_activeCanvas);
        return;
    }
    m_drawing->applyPendingResize();
    FormPaint();
    {
        QtCanvas canvas(m_drawing->image());
        m_activeCanvas = &canvas;
        m_canvasShown.start();
        draw(canvas);
        m_activeCanvas = nullptr;
    }
    if (m_redrawHourglass) {
        m_redrawHourglass = false;
        setHourglass(false);
    }
    // The window may have been resized while the canvas was busy.
    m_drawing->applyPendingResize();
    FormPaint();
    m_drawing->update();
    refreshReadout();
    closeIfRequested();
}

void Tf::refreshReadout() {
    // A view change renames the axes of the cursor readout; the pointer need not move first.
    if (!m_drawing->underMouse())
        return;
    const QPoint at = m_drawing->mapFromGlobal(QCursor::pos());
    const bool loaded = m_ws.database.databaseAllocated() || m_ws.wireframe.wireframeAllocated();
    setReadout(QString::fromStdString(cursorReadout(m_ws.view, loaded, at.x(), at.y())));
}

void Tf::eraseWindow() {
    drawWith([](Canvas& canvas) { canvas.erase(); });
}

void Tf::fullRedraw() {
    drawWith([this](Canvas& canvas) { korvix::fullRedraw(m_ws, canvas); });
}

bool Tf::redrawRunning() const {
    return redrawBusy(m_ws);
}

void Tf::FormPaint() {
    setViewportSize(m_ws, m_drawing->width() - 2, m_drawing->height() - 2);
}

// --- Long commands

void Tf::setHourglass(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (QApplication::overrideCursor() != nullptr)
        QApplication::restoreOverrideCursor();
}

void Tf::pumpNow() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Tf::beginProgress() {
    m_ws.pump.setProgress(0, 0);
    m_progress->setValue(0);
    m_progress->show();
    m_cancelButton->show();
    m_reading = true;
    lockMenus(true);
}

void Tf::refreshProgress() {
    const std::uint64_t total = m_ws.pump.progressTotal();
    if (m_progress->isVisible() && total > 0)
        m_progress->setValue(
            static_cast<int>(1000 * std::min(m_ws.pump.progressDone(), total) / total));
}

void Tf::endProgress() {
    lockMenus(false);
    m_reading = false;
    m_cancelButton->hide();
    m_progress->hide();
    m_ws.pump.setProgress(0, 0);
}

void Tf::lockMenus(bool locked) {
    // While a file is read the data is being built: no command may run, and a disabled
    // item says so instead of ignoring the click.
    if (locked) {
        m_enabledBeforeLock.clear();
        for (QAction* item : std::as_const(m_actions)) {
            m_enabledBeforeLock.insert(item, item->isEnabled());
            item->setEnabled(false);
        }
        return;
    }
    for (auto it = m_enabledBeforeLock.cbegin(); it != m_enabledBeforeLock.cend(); ++it)
        it.key()->setEnabled(it.value());
    m_enabledBeforeLock.clear();
}

void Tf::hideTextEntry() {
    m_edit1->clear();
    m_edit1->hide();
}

void Tf::setRecentFiles(const QStringList& files) {
    m_recentFiles.clear();
    for (const QString& file : files)
        if (!file.isEmpty() && !m_recentFiles.contains(file) && m_recentFiles.size() < 8)
            m_recentFiles.append(file);
    rebuildRecentFileItems();
}

void Tf::noteRecentFile(const QString& fileName) {
    QStringList files = m_recentFiles;
    files.removeAll(fileName);
    files.prepend(fileName);
    setRecentFiles(files);
}

void Tf::rebuildRecentFileItems() {
    QMenu* file = action("File1") != nullptr ? action("File1")->menu() : nullptr;
    QAction* exit = action("Exit1");
    if (file == nullptr || exit == nullptr)
        return;
    for (QAction* item : m_recentFileItems) {
        file->removeAction(item);
        delete item;
    }
    m_recentFileItems.clear();
    for (qsizetype i = 0; i < m_recentFiles.size(); ++i) {
        const QString path = m_recentFiles[i];
        const QString number = QString::number(i + 1);
        auto* item = new QAction("&" + number + " " + QFileInfo(path).fileName(), file);
        item->setObjectName("RecentFile" + number);
        item->setStatusTip(path);
        item->setShortcut(QKeySequence("Ctrl+" + number));
        connect(item, &QAction::triggered, this, [this, path] { openChosen(path); });
        file->insertAction(exit, item);
        m_recentFileItems.append(item);
    }
    if (!m_recentFileItems.isEmpty())
        m_recentFileItems.append(file->insertSeparator(exit));
}

void Tf::openChosen(const QString& fileName) {
    if (!m_handlers.openChosenFile || !action("Open1")->isEnabled())
        return;
    runAsCommand([this, fileName] { m_handlers.openChosenFile(*this, fileName); });
}

void Tf::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile())
        event->acceptProposedAction();
}

void Tf::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    // The drop's own event must end before the Open dialogs run their loops.
    const QString fileName = urls.front().toLocalFile();
    QTimer::singleShot(0, this, [this, fileName] { openChosen(fileName); });
}

void Tf::setCurrentFileName(const QString& fileName) {
    m_currentFileName = fileName;
    if (!fileName.isEmpty())
        noteRecentFile(fileName);
    setWindowTitle(fileName.isEmpty() ? QString("Korvix")
                                      : "Korvix - " + QFileInfo(fileName).fileName());
}

// --- Window events

bool Tf::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::StatusTip:
        // ShowHint: menu hints appear in the second panel while the user moves through
        // the menus. The empty tip sent when the pointer leaves the menu bar would wipe the
        // instruction of the command just started from it.
        if (const QString tip = static_cast<QStatusTipEvent*>(event)->tip(); !tip.isEmpty())
            setStatusText(tip);
        return true;
    case QEvent::WindowActivate:
    case QEvent::Show: // a desktop without a window manager never activates the window
        if (m_firstActivationPending) {
            m_firstActivationPending = false;
            QTimer::singleShot(0, this, [this] { FormActivate(); });
        }
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

void Tf::FormActivate() {
    // A command-line file that does not exist is ignored without a message. The file is
    // read with the dialogs' built-in answers, before the settings are read.
    const bool opened = !m_commandLineFile.isEmpty() && QFileInfo(m_commandLineFile).isFile();
    ++m_commandDepth;
    if (opened && m_handlers.openNamedFile)
        m_handlers.openNamedFile(*this, m_commandLineFile);
    if (m_handlers.loadSettings)
        m_handlers.loadSettings(*this);
    --m_commandDepth;
    m_commandLineFile.clear();
    m_started = true;
    if (m_closeRequested) {
        closeIfRequested();
        return;
    }
    // With no file the picture is the axis tripod alone.
    if (!opened)
        fullRedraw();
}

void Tf::keyPressEvent(QKeyEvent* event) {
    // A read builds the data the view keys would draw: only Esc, which stops it, counts.
    if (reading()) {
        if (event->key() == Qt::Key_Escape)
            m_ws.pump.requestCancel();
        event->accept();
        return;
    }
    if (m_handlers.keyPressed && m_handlers.keyPressed(*this, *event)) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Tf::closeIfRequested() {
    if (m_closeRequested && m_commandDepth == 0 && !redrawRunning()) {
        m_closeRequested = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void Tf::closeEvent(QCloseEvent* event) {
    // A command that is still working (reading a file, drawing) holds references into
    // the data: ask it to stop, and close once it has returned.
    if (m_commandDepth > 0 || redrawRunning()) {
        requestRedrawAbort(m_ws);
        m_ws.pump.requestCancel();
        m_closeRequested = true;
        event->ignore();
        return;
    }
    // FormClose: save the settings, free all data.
    if (m_handlers.saveSettings)
        m_handlers.saveSettings(*this);
    m_ws.database.records.freeAll();
    m_ws.wireframe.points.freeAll();
    m_ws.toolShape.freeAll();
    event->accept();
}

} // namespace korvix::ui
