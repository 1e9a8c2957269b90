#pragma once
// The poller wired to what the operator sees: the chassis view gets the ports and greys them
// while the agent is silent; the status panel says when the agent last answered, the last
// error and that the agent is not answering.

#include <functional>
#include <memory>

#include "console/gui/chassis_poller.h"

namespace gui {

class ChassisView;
class StatusPanel;

class ChassisMonitor {
public:
    // The agent, the view and the panel must outlive the monitor.
    // portsShown, when given, runs after every reading of the ports reached the view.
    ChassisMonitor(CMibAgent& agent, ChassisView& view, StatusPanel& status,
                   std::function<void()> portsShown = {});
    ~ChassisMonitor();
    ChassisMonitor(const ChassisMonitor&) = delete;
    ChassisMonitor& operator=(const ChassisMonitor&) = delete;

    ChassisPoller& poller() { return *m_poller; }
    void start() { m_poller->start(); }

private:
    std::unique_ptr<ChassisPoller> m_poller;
};

}  // namespace gui
