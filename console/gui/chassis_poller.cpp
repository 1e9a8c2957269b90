#include "console/gui/chassis_poller.h"

#include <algorithm>

#include "console/port_table_rows.h"
#include "framework/afx/collections.h"

namespace gui {

namespace {

// Polling faster than this only loads the agent.
constexpr std::int64_t kMinimumPeriodMs = 100;

std::vector<PortTile> tilesOf(const std::vector<console::ChassisPort>& ports,
                              const mib::MibDictionary& dictionary) {
    std::vector<PortTile> tiles;
    tiles.reserve(ports.size());
    for (const console::ChassisPort& port : ports) {
        PortTile tile;
        tile.where = port.where;
        tile.type = port.type;
        tile.expander = port.expander;
        tile.typeText = dictionary.enumText("PortName", port.type).value_or("");
        tiles.push_back(std::move(tile));
    }
    std::stable_sort(tiles.begin(), tiles.end(), [](const PortTile& a, const PortTile& b) {
        return slotPortLess(a.where, b.where);
    });
    return tiles;
}

// Copies the rows' status onto the tiles (both in slot and port order); true when any changed.
bool mergeStatus(const std::vector<console::PortReading>& readings, std::vector<PortTile>* tiles) {
    bool changed = false;
    auto tile = tiles->begin();
    for (const console::PortReading& reading : readings) {
        const console::PortStatus& row = reading.status;
        tile = std::lower_bound(
            tile, tiles->end(), row.where,
            [](const PortTile& t, const SlotPort& w) { return slotPortLess(t.where, w); });
        if (tile == tiles->end()) {
            break;
        }
        if (!(tile->where == row.where)) {
            continue;  // a row the chassis table does not list
        }
        if (tile->admin != row.admin || tile->oper != row.oper ||
            tile->description != reading.description) {
            tile->admin = row.admin;
            tile->oper = row.oper;
            tile->description = reading.description;
            changed = true;
        }
    }
    return changed;
}

// The same ports of the same types: the status already read still applies to them.
bool samePorts(const std::vector<PortTile>& read, const std::vector<PortTile>& known) {
    return std::equal(read.begin(), read.end(), known.begin(), known.end(),
                      [](const PortTile& a, const PortTile& b) {
                          return a.where == b.where && a.type == b.type &&
                                 a.expander == b.expander && a.typeText == b.typeText;
                      });
}

}  // namespace

ChassisPoller::ChassisPoller(CMibAgent& agent, ChassisPollerEvents events)
    : m_agent(agent), m_loop(agent.GetEventLoop()), m_events(std::move(events)), m_comm(&agent) {
    m_comm.SetOwner(this);
    m_chassisAccess.SetMibComm(&m_comm);
}

ChassisPoller::~ChassisPoller() {
    cancelTimer();
    m_chassisAccess.SetMibComm(nullptr);  // its requests go before the component
    m_comm.SetOwner(nullptr);
}

void ChassisPoller::setPeriodMs(std::int64_t ms) {
    m_periodMs = std::max(ms, kMinimumPeriodMs);
}

std::int64_t ChassisPoller::periodMs() const {
    return m_periodMs > 0 ? m_periodMs
                          : std::max<std::int64_t>(m_agent.GetPollingPeriod(), kMinimumPeriodMs);
}

void ChassisPoller::start() {
    stop();
    m_running = true;
    m_chassisKnown = false;
    readChassis();
}

void ChassisPoller::stop() {
    m_running = false;
    cancelTimer();
    // A reading under way is let finish; its answer is dropped (Idle).
    m_phase = Phase::Idle;
}

void ChassisPoller::cancelTimer() {
    if (m_timer != 0) {
        m_loop.cancelTimer(m_timer);
        m_timer = 0;
    }
}

void ChassisPoller::scheduleNext() {
    cancelTimer();
    if (!m_running) {
        return;
    }
    m_timer = m_loop.addTimer(periodMs(), [this] {
        m_timer = 0;
        if (m_chassisKnown && !m_chassisDue && m_readingsSinceChassis < kChassisEveryReadings) {
            readStatus();
        } else {
            readChassis();
        }
    });
}

void ChassisPoller::readChassis() {
    m_phase = Phase::Chassis;
    if (!m_chassisAccess.AccessChassis()) {
        failedWith("cannot read the chassis tables");
    }
}

void ChassisPoller::readStatus() {
    m_phase = Phase::Status;
    if (m_statusRequest == 0) {
        CStringArray names;
        for (const char* name : {"phyPortAdmStatus", "phyPortOperStatus", "phyPortDescription"}) {
            names.Add(name);
        }
        m_statusRequest = m_comm.OpenListRequest(0, "phyPortTable", &names);
    }
    if (m_statusRequest <= 0 || !m_comm.RequestTable(m_statusRequest)) {
        const std::string why =
            m_statusRequest > 0 ? std::string(m_comm.GetErrorText(m_statusRequest).str()) : "";
        m_statusRequest = std::max(m_statusRequest, 0L);
        failedWith(why.empty() ? "cannot read the port table" : why);
    }
}

void ChassisPoller::OnRequestDone(int h) {
    OnError(h);
}

void ChassisPoller::OnError(int h) {
    if (m_chassisAccess.HasResponded(h)) {
        if (m_phase == Phase::Chassis) {
            chassisAnswered();
        }
        return;
    }
    if (h == m_statusRequest && m_phase == Phase::Status) {
        statusAnswered(h);
    }
}

void ChassisPoller::chassisAnswered() {
    for (const long h : {m_chassisAccess.slotRequest(), m_chassisAccess.portRequest()}) {
        if (m_comm.GetErrorCode(h) != 0) {
            failedWith(m_comm.GetErrorText(h).str());
            return;
        }
    }
    CNxChassisInfo chassis;
    if (!m_chassisAccess.LoadChassisInfo(&chassis)) {
        failedWith("the agent describes no usable chassis: " +
                   std::string(chassis.LastError().str()));
        return;
    }
    SlotNames slots;
    for (const int slot : chassis.GetSlots()) {
        slots[slot] = chassis.GetModuleName(slot).str();
    }
    std::vector<PortTile> ports = tilesOf(
        console::chassisPortRows(m_comm, m_chassisAccess.portRequest(), m_agent.GetDictionary()),
        m_agent.GetDictionary());
    if (slots.empty() && ports.empty()) {
        // Said plainly rather than drawn as an empty picture; tried again every period.
        const mib::Transport* transport = m_agent.GetTransport();
        failedWith("not a chassis switch: " +
                   (transport != nullptr ? transport->describe() : std::string("the agent")) +
                   " answers SNMP but has no chassis slot or port tables");
        return;
    }
    m_chassisDue = false;
    m_readingsSinceChassis = 0;
    if (!m_chassisKnown || slots != m_slotNames || !samePorts(ports, m_ports)) {
        // A new picture: its status follows at once, so it is not shown all unknown.
        m_ports = std::move(ports);
        m_chassis = chassis;
        m_slotNames = slots;
        m_chassisKnown = true;
        m_portsReported = false;
        if (m_events.slotsRead) {
            m_events.slotsRead(slots);
        }
    }
    readStatus();
}

void ChassisPoller::statusAnswered(int h) {
    if (m_comm.GetErrorCode(h) != 0) {
        failedWith(m_comm.GetErrorText(h).str());
        return;
    }
    const bool changed =
        mergeStatus(console::portReadings(*m_comm.engine(), h), &m_ports) || !m_portsReported;
    m_portsReported = true;
    ++m_readingsSinceChassis;
    if (changed && m_events.portsRead) {
        m_events.portsRead(m_ports);
    }
    succeeded();
}

void ChassisPoller::succeeded() {
    m_failing = false;
    m_phase = Phase::Idle;
    scheduleNext();
    if (m_events.pollDone) {
        m_events.pollDone(std::chrono::system_clock::now());
    }
}

void ChassisPoller::failedWith(const std::string& error) {
    m_failing = true;
    m_phase = Phase::Idle;
    m_chassisDue = m_chassisKnown;
    // Chassis known but never shown: show it, its status unknown, rather than nothing.
    if (m_chassisKnown && !m_portsReported) {
        m_portsReported = true;
        if (m_events.portsRead) {
            m_events.portsRead(m_ports);
        }
    }
    scheduleNext();
    if (m_events.failed) {
        m_events.failed(error);
    }
}

}  // namespace gui
