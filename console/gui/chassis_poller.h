#pragma once
// Reads the chassis (slot and port tables) and then the ports' status every period, on the
// event loop through callbacks: nothing here ever waits, so the window stays responsive while
// an agent is slow or silent. A failed read is reported and polling goes on; the next reading
// that succeeds reports pollDone again. The chassis is read again every
// kChassisEveryReadings readings and after a failure (the switch may have restarted), so a
// module inserted or swapped while the window is open shows.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "console/gui/port_tile.h"
#include "framework/afx/event_loop.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_comm.h"
#include "framework/sw/chassis_access.h"
#include "framework/sw/nx_chassis_info.h"

namespace gui {

struct ChassisPollerEvents {
    // The slots' module names, after every successful read of the chassis tables.
    std::function<void(const SlotNames& names)> slotsRead;
    // Every port of the chassis, in slot and port order, whenever a reading changed any.
    std::function<void(const std::vector<PortTile>& ports)> portsRead;
    // A reading succeeded (after a failure: the agent answers again).
    std::function<void(std::chrono::system_clock::time_point when)> pollDone;
    // A reading failed; "<agent>: <cause>: <detail>".
    std::function<void(const std::string& error)> failed;
};

class ChassisPoller final : private CMibCommEvents {
public:
    static constexpr int kChassisEveryReadings = 30;

    // The agent (and its event loop) must outlive the poller. Callbacks must not destroy it.
    ChassisPoller(CMibAgent& agent, ChassisPollerEvents events);
    ~ChassisPoller();
    ChassisPoller(const ChassisPoller&) = delete;
    ChassisPoller& operator=(const ChassisPoller&) = delete;

    // Milliseconds between two readings; the agent's polling period unless set.
    void setPeriodMs(std::int64_t ms);
    std::int64_t periodMs() const;

    // Reads the chassis now, then the status every period. start() again reads it anew.
    void start();
    void stop();
    bool isRunning() const { return m_running; }
    // Whether the last reading failed.
    bool isFailing() const { return m_failing; }
    const std::vector<PortTile>& ports() const { return m_ports; }
    // The chassis description the pages get; nullptr until the chassis was read.
    const CNxChassisInfo* chassis() const { return m_chassisKnown ? &m_chassis : nullptr; }

private:
    enum class Phase { Idle, Chassis, Status };

    void OnRequestDone(int h) override;
    void OnError(int h) override;
    void readChassis();
    void readStatus();
    void chassisAnswered();
    void statusAnswered(int h);
    void failedWith(const std::string& error);
    void succeeded();
    void scheduleNext();
    void cancelTimer();

    CMibAgent& m_agent;
    afx::EventLoop& m_loop;
    ChassisPollerEvents m_events;
    CMibComm m_comm;
    CChassisAccess m_chassisAccess;
    long m_statusRequest = 0;
    Phase m_phase = Phase::Idle;
    bool m_running = false;
    bool m_failing = false;
    bool m_chassisKnown = false;
    bool m_portsReported = false;
    bool m_chassisDue = false;  // read the chassis before the next status
    int m_readingsSinceChassis = 0;
    SlotNames m_slotNames;
    std::int64_t m_periodMs = 0;  // 0: the agent's
    afx::EventLoop::TimerId m_timer = 0;
    std::vector<PortTile> m_ports;
    CNxChassisInfo m_chassis;
};

}  // namespace gui
