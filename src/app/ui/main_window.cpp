#include "app/ui/main_window.h"

#include "app/home_folder.h"
#include "app/ui/drawing_area.h"
#include "app/ui/menu_table.h"
#include "app/ui/qt_reporter.h"
#include "display/display_state.h"
#include "display/renderer.h"
#include "display/ui/current_nc_location_dialog.h"
#include "display/ui/current_wir_location_dialog.h"
#include "display/ui/key_handlers.h"
#include "display/ui/modify_feed_colors_dialog.h"
#include "display/ui/mouse_handlers.h"
#include "display/ui/qt_canvas.h"
#include "display/ui/status_window_commands.h"
#include "filters/ui/explode_arc_form.h"
#include "filters/ui/fit_arc_form.h"
#include "filters/ui/sifting_form.h"
#include "input/ui/input_radius_type_form.h"
#include "input/ui/open_command.h"
#include "input/ui/parsing_error_form.h"
#include "model/ui/tool_definition_dialog.h"
#include "model/ui/tool_number_selection_form.h"
#include "output/ui/cnc_control_type_dialog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace korvix::ui {

Tf::Tf(const QStringList& commandLine, QWidget* parent) : QMainWindow(parent) {
    setObjectName("f");
    setWindowTitle("Korvix");
    resize(758, 596);
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
    m_edit1->setStyleSheet("background: black; color: white; font-weight: bold;");
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

    m_modifyPortionToolbar = new QToolBar("ModifyPortionToolbar", this);
    m_modifyPortionToolbar->setObjectName("ModifyPortionToolbar");
    addToolBar(Qt::RightToolBarArea, m_modifyPortionToolbar);
    m_modifyPortionToolbar->hide();

    buildMenus();
    m_reporter = std::make_unique<QtReporter>(*this);
    m_ws.reporter = m_reporter.get();
    installMessagePump();
    m_drawing->mayResize = [this] { return m_activeCanvas == nullptr; };
    m_drawing->onResize = [this] { FormPaint(); };
    m_drawing->onContextMenu = [this](const QPoint& at) { m_popupMenu->exec(at); };
    m_drawing->onMousePress = [this](QMouseEvent* event) { FormMouseDown(*this, *event); };
    m_drawing->onMouseMove = [this](QMouseEvent* event) { FormMouseMove(*this, *event); };
    m_drawing->onMouseRelease = [this](QMouseEvent* event) { FormMouseUp(*this, *event); };

    createDialogs();
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
    m_colorDialog->setCurrentColor(Qt::white);
    setStatusText("");
    setReadout("");
    // First start: the bundled machine formats go into an empty machines folder. Without
    // them the program still works (with "Default"), so a failure is only reported.
    const InstallResult installed = installBundledMachineFormats(machinesFolder());
    if (!installed.ok)
        setStatusText(QString::fromStdString(installed.message));
    FormPaint();
}

void Tf::buildMenus() {
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
    const auto isSubmenu = [](const MenuItem& candidate) {
        for (const MenuItem& item : menuItems())
            if (candidate.objectName[0] != '\0' && QString(item.parent) == candidate.objectName)
                return true;
        return false;
    };
    for (const MenuItem& item : menuItems()) {
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

void Tf::createDialogs() {
    m_openNcDialog = new QFileDialog(this, "Open fIle");
    m_openNcDialog->setObjectName("OpenNcDialog");
    m_openNcDialog->setOption(QFileDialog::DontUseNativeDialog);
    m_openNcDialog->setFileMode(QFileDialog::ExistingFile);
    m_openNcDialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_openNcDialog->setNameFilters(openDialogFilters());
    m_colorDialog = new QColorDialog(this);
    m_colorDialog->setObjectName("ColorDialog1");
    m_colorDialog->setOption(QColorDialog::DontUseNativeDialog);

    // Dialogs in the order the program creates them; each lives as long as the window.
    m_inputRadiusTypeForm = new InputRadiusTypeForm(this);
    m_currentNcLocationDialog = new CurrentNcLocationDialog(this);
    m_currentWirLocationDialog = new CurrentWirLocationDialog(this);
    m_toolDefinitionDialog = new ToolDefinitionDialog(m_ws.tools, m_ws.database, *m_reporter, this);
    m_modifyFeedColorsDialog = new ModifyFeedColorsDialog(this);
    m_cncControlTypeDialog = new CNCControlTypeDialog(*m_reporter, machinesFolder(), this);
    m_parsingErrorForm = new ParsingErrorForm(this);
    m_siftingForm = new SiftingForm(*m_reporter, this);
    m_explodeArcForm = new ExplodeArcForm(*m_reporter, this);
    m_toolNumberSelectionForm = new ToolNumberSelectionForm(this);
    m_toolNumberSelectionForm->setTable(&m_ws.tools);
    m_fitArcForm = new FitArcForm(*m_reporter, this);
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
        // A redraw long enough to let events through shows the hourglass until it ends.
        if (m_ws.redraw.busy && !m_redrawHourglass) {
            setHourglass(true);
            m_redrawHourglass = true;
        }
        if (m_progress->isVisible() && m_ws.pump.progressTotal() > 0)
            m_progress->setValue(
                static_cast<int>(1000 * m_ws.pump.progressDone() / m_ws.pump.progressTotal()));
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
    closeIfRequested();
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
}

void Tf::endProgress() {
    m_progress->hide();
    m_ws.pump.setProgress(0, 0);
}

void Tf::refillStatusWindow() {
    refillStatusListBox(*this);
}

void Tf::hideTextEntry() {
    m_edit1->clear();
    m_edit1->hide();
}

void Tf::setCurrentFileName(const QString& fileName) {
    m_currentFileName = fileName;
    setWindowTitle("Korvix - " + QFileInfo(fileName).fileName());
}

// --- Window events

bool Tf::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::StatusTip:
        // ShowHint: menu hints appear in the second panel while the user moves through
        // the menus.
        setStatusText(static_cast<QStatusTipEvent*>(event)->tip());
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
    // A command-line file that does not exist is ignored without a message.
    if (!m_commandLineFile.isEmpty() && QFileInfo(m_commandLineFile).isFile()) {
        ++m_commandDepth;
        openNamedFile(*this, m_commandLineFile);
        --m_commandDepth;
        closeIfRequested();
    }
}

void Tf::keyPressEvent(QKeyEvent* event) {
    if (FormKeyDown(*this, *event) || FormKeyPress(*this, *event)) {
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
        m_closeRequested = true;
        event->ignore();
        return;
    }
    // FormClose: free all data.
    m_ws.database.records.freeAll();
    m_ws.wireframe.points.freeAll();
    m_ws.toolShape.freeAll();
    event->accept();
}

} // namespace korvix::ui
