#pragma once
// The console's main window: the chassis view of the managed switch, its property sheets
// (shown by the presenter), the MIB trace dock, the status bar, and the counter graph that
// a counter dragged from a Statistics page opens.

#include <QtWidgets/QMainWindow>
#include <memory>
#include <string>

#include "console/gui/gui_options.h"
#include "console/gui/gui_session.h"
#include "console/gui/port_tile.h"

class QAction;
class QLabel;

namespace gui {

class ChassisMonitor;
class ChassisPoller;
class ChassisView;
class CounterGraph;
class StatusPanel;
class TraceDock;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(GuiOptions options, GuiSession& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Connects to choice (closing what the previous agent had open); false and *error when
    // it cannot. The chassis then fills in as the poller reads it.
    bool connectTo(const console::AgentChoice& choice, std::string* error);

    // Opens the property sheet of clicked with selection; false (and a message box) when not.
    bool openProperties(const SlotPort& clicked, const std::vector<SlotPort>& selection);
    // A counter's drag string: opens or extends the counter graph. false and *error when the
    // text is not a counter's.
    bool addCounter(const QString& dragString, QString* error);

    ChassisView* chassisView() const { return m_chassis; }
    ChassisPoller* poller() const;
    StatusPanel* statusPanel() const { return m_status; }
    TraceDock* traceDock() const { return m_trace; }
    CounterGraph* graphWindow() const { return m_graph; }  // null until a counter came
    GuiSession& session() const { return m_session; }

    // Once the chassis was read: the ports given by --select (else the --slot/--port port)
    // are selected, and --slot/--port opens that port's sheet.
    void applyStartSelection();

signals:
    void chassisRead();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void showConnectDialog();
    void openSelected();
    void startPolling();
    void portsSeen();
    void updateTitle();
    void about();

    GuiOptions m_options;
    GuiSession& m_session;
    ChassisView* m_chassis = nullptr;
    StatusPanel* m_status = nullptr;
    TraceDock* m_trace = nullptr;
    CounterGraph* m_graph = nullptr;
    QAction* m_properties = nullptr;
    std::unique_ptr<ChassisMonitor> m_monitor;
    bool m_startApplied = false;
};

}  // namespace gui
