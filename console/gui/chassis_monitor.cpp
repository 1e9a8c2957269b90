#include "console/gui/chassis_monitor.h"

#include <QtCore/QDateTime>

#include "console/gui/chassis_view.h"
#include "console/gui/status_panel.h"

namespace gui {

ChassisMonitor::ChassisMonitor(CMibAgent& agent, ChassisView& view, StatusPanel& status,
                               std::function<void()> portsShown) {
    ChassisPollerEvents events;
    events.slotsRead = [&view](const SlotNames& names) { view.setSlotNames(names); };
    events.portsRead = [&view,
                        portsShown = std::move(portsShown)](const std::vector<PortTile>& ports) {
        view.setPorts(ports);
        if (portsShown) {
            portsShown();
        }
    };
    events.pollDone = [&view, &status](std::chrono::system_clock::time_point when) {
        view.setStale(false);
        status.setStale(false);
        status.setLastError({});
        status.setLastPoll(QDateTime::fromMSecsSinceEpoch(
            std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch())
                .count()));
    };
    events.failed = [&view, &status](const std::string& error) {
        view.setStale(true);
        status.setStale(true);
        status.setLastError(QString::fromStdString(error));
    };
    m_poller = std::make_unique<ChassisPoller>(agent, std::move(events));
}

ChassisMonitor::~ChassisMonitor() = default;

}  // namespace gui
