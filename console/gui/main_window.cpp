#include "console/gui/main_window.h"

#include <QtCore/QMimeData>
#include <QtGui/QCloseEvent>
#include <QtGui/QDragEnterEvent>
#include <QtGui/QDropEvent>
#include <QtGui/QKeySequence>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QToolBar>
#include <algorithm>

#include "console/gui/chassis_monitor.h"
#include "console/gui/chassis_poller.h"
#include "console/gui/chassis_view.h"
#include "console/gui/connect_dialog.h"
#include "console/gui/counter_graph.h"
#include "console/gui/gui_icons.h"
#include "console/gui/status_panel.h"
#include "console/gui/trace_dock.h"
#include "framework/sw/drag_drop_string.h"
#include "sw_version.h"

namespace gui {

MainWindow::MainWindow(GuiOptions options, GuiSession& session, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)), m_session(session) {
    setObjectName("mainWindow");
    setWindowIcon(applicationIcon());
    m_chassis = new ChassisView(this);
    setCentralWidget(m_chassis);
    m_status = new StatusPanel(this);
    statusBar()->addWidget(m_status, 1);
    m_trace = new TraceDock(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_trace);
    setAcceptDrops(true);
    buildMenus();
    connect(m_chassis, &ChassisView::propertiesRequested, this,
            [this](SlotPort clicked, std::vector<SlotPort> selection) {
                openProperties(clicked, selection);
            });
    connect(m_chassis, &ChassisView::selectionChanged, this,
            [this] { m_properties->setEnabled(!m_chassis->selection().empty()); });
    m_properties->setEnabled(false);
    resize(900, 640);
}

MainWindow::~MainWindow() {
    m_monitor.reset();
    if (m_session.agent() != nullptr) {
        TraceDock::detach(*m_session.agent());
    }
    m_session.disconnect();
}

void MainWindow::buildMenus() {
    QMenu* switchMenu = menuBar()->addMenu(tr("&Switch"));
    QAction* connectAction =
        switchMenu->addAction(tr("&Connect..."), this, &MainWindow::showConnectDialog);
    connectAction->setShortcut(QKeySequence::Open);
    m_properties = switchMenu->addAction(tr("&Properties..."), this, &MainWindow::openSelected);
    m_properties->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Return));
    switchMenu->addAction(tr("Select &All Ports"), QKeySequence::SelectAll, m_chassis,
                          &ChassisView::selectAll);
    switchMenu->addSeparator();
    switchMenu->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    viewMenu->addAction(m_trace->toggleViewAction());

    QMenu* helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(tr("&About"), this, &MainWindow::about);

    QToolBar* tools = addToolBar(tr("Switch"));
    tools->setObjectName("switchToolBar");
    tools->addAction(connectAction);
    tools->addAction(m_properties);
}

bool MainWindow::connectTo(const console::AgentChoice& choice, std::string* error) {
    m_monitor.reset();
    if (m_session.agent() != nullptr) {
        TraceDock::detach(*m_session.agent());
    }
    m_startApplied = false;
    if (!m_session.connect(choice, m_options.journal, error)) {
        m_status->setLastError(QString::fromStdString(*error));
        return false;
    }
    m_chassis->setPorts({});
    m_chassis->setStale(false);
    m_status->setAgent(QString::fromStdString(m_session.agentText()));
    m_status->setLastError({});
    m_trace->attach(*m_session.agent());
    if (m_graph != nullptr) {
        m_graph->setAgent(*m_session.agent());
    }
    updateTitle();
    startPolling();
    return true;
}

void MainWindow::startPolling() {
    m_monitor = std::make_unique<ChassisMonitor>(*m_session.agent(), *m_chassis, *m_status,
                                                 [this] { portsSeen(); });
    m_monitor->start();
}

ChassisPoller* MainWindow::poller() const {
    return m_monitor ? &m_monitor->poller() : nullptr;
}

void MainWindow::portsSeen() {
    if (m_session.sheets() != nullptr) {
        m_session.sheets()->setChassis(poller()->chassis());
    }
    if (!m_startApplied) {
        m_startApplied = true;
        applyStartSelection();
        emit chassisRead();
    }
}

void MainWindow::applyStartSelection() {
    const console::ConsoleOptions& o = m_options.console;
    std::vector<SlotPort> present;
    for (const PortTile& tile : m_chassis->ports()) {
        present.push_back(tile.where);
    }
    std::vector<SlotPort> selection;
    if (!o.selected.empty()) {
        std::string error;
        if (auto resolved = console::resolvePortList(o.selected, present, &error)) {
            selection = *resolved;
        } else {
            m_status->setLastError(QString::fromStdString("--select: " + error));
        }
    }
    if (o.port && std::find(selection.begin(), selection.end(), *o.port) == selection.end()) {
        selection.insert(selection.begin(), *o.port);
    }
    m_chassis->setSelection(selection);
    if (o.port) {
        openProperties(*o.port, selection);
    }
}

bool MainWindow::openProperties(const SlotPort& clicked, const std::vector<SlotPort>& selection) {
    const auto& tiles = m_chassis->ports();
    auto tileOf = [&tiles](const SlotPort& where) {
        return std::find_if(tiles.begin(), tiles.end(),
                            [&where](const PortTile& t) { return t.where == where; });
    };
    const auto clickedTile = tileOf(clicked);
    std::string error;
    if (m_session.sheets() == nullptr) {
        error = "not connected to a switch";
    } else if (clickedTile == tiles.end()) {
        error = "the chassis has no port " + std::to_string(clicked.slot) + "/" +
                std::to_string(clicked.port);
    } else {
        std::vector<console::PortStatus> status;
        for (const SlotPort& where : selection) {
            if (const auto tile = tileOf(where); tile != tiles.end()) {
                status.push_back({where, tile->admin, tile->oper});
            }
        }
        m_session.sheets()->setChassis(poller() != nullptr ? poller()->chassis() : nullptr);
        const console::ChassisPort port{clicked, clickedTile->type, clickedTile->expander};
        if (m_session.sheets()->open(port, selection, status, &error) != nullptr) {
            return true;
        }
    }
    QMessageBox::warning(
        this, tr("Properties"),
        tr("Cannot open the port's properties: %1").arg(QString::fromStdString(error)));
    return false;
}

void MainWindow::openSelected() {
    if (!m_chassis->requestProperties()) {
        QMessageBox::information(this, tr("Properties"), tr("Select a port first."));
    }
}

bool MainWindow::addCounter(const QString& dragString, QString* error) {
    if (m_session.agent() == nullptr) {
        *error = tr("not connected to a switch");
        return false;
    }
    if (m_graph == nullptr) {
        // A window of its own, closed with the main window.
        m_graph = new CounterGraph(this);
        m_graph->setWindowFlag(Qt::Window);
        m_graph->setWindowTitle(tr("Counter Graph"));
        m_graph->resize(720, 420);
        m_graph->setAgent(*m_session.agent());
    }
    if (!m_graph->addDragString(dragString, error)) {
        return false;
    }
    m_graph->show();
    m_graph->raise();
    return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    sw::DragDropFields fields;
    if (event->mimeData()->hasText() &&
        sw::parseDragDropString(event->mimeData()->text().toStdString(), fields)) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    QString error;
    if (addCounter(event->mimeData()->text(), &error)) {
        event->acceptProposedAction();
        return;
    }
    QMessageBox::warning(this, tr("Counter Graph"), tr("Cannot graph this: %1").arg(error));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    m_monitor.reset();
    if (m_session.sheets() != nullptr) {
        m_session.sheets()->closeAll();
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::showConnectDialog() {
    ConnectDialog dialog(this);
    dialog.setChoice(m_session.choice());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    std::string error;
    if (!connectTo(dialog.choice(), &error)) {
        QMessageBox::warning(this, tr("Connect"),
                             tr("Cannot connect: %1").arg(QString::fromStdString(error)));
    }
}

void MainWindow::updateTitle() {
    setWindowTitle(
        tr("Torvik Switch Console - %1").arg(QString::fromStdString(m_session.agentText())));
}

void MainWindow::about() {
    QMessageBox::about(this, tr("About"),
                       tr("<b>Torvik Switch Console</b> %1<br>Ethernet port properties of a "
                          "chassis switch, over SNMP.<br>Drag a counter from a Statistics "
                          "page onto this window to graph its rate.")
                           .arg(SW_VERSION));
}

}  // namespace gui
