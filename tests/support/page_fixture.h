#pragma once
// A console in miniature for page tests: the demo simulated switch behind the in-process
// transport, the event loop on its virtual clock, an agent, an operator driver that fails
// the running test on anything unexpected, and a CSwPropertySheet to put pages in.
//
//     test_support::PageFixture f;                      // selection: slot 1 port 1
//     f.select(2, 3, {{2, 3}, {2, 4}});
//     auto* page = new CEnetPortStatusPage;            // or a page from CTorvikRes
//     f.openSheet({page});                             // agent set, first page active
//     f.settle();                                      // completions delivered
//     EXPECT_THAT(f.render(), HasSubstr("Slot/Port:  2 / 3"));
//     f.transport().failNextRequest(mib::TransportOutcome::Timeout, "no answer");
//     EXPECT_EQ(f.read("Admin Status"), "enabled");
//
// One fixture per test; the sheet goes before the agent, the agent before the switch. When
// it goes, the fixture fails the test if a window the test made is left, a wait cursor is
// still up or a message box the test expected was never shown.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/afx/event_loop.h"
#include "framework/afx/ui_driver.h"
#include "framework/afx/window.h"
#include "framework/mib/in_process_transport.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_trace.h"
#include "framework/sw/sw_property_sheet.h"
#include "sim/simulated_switch.h"

namespace test_support {

class PageFixture {
public:
    static constexpr const char* kAgentAddress = "10.1.2.3";
    static constexpr const char* kAgentName = "demo-switch";

    PageFixture();
    ~PageFixture();
    PageFixture(const PageFixture&) = delete;
    PageFixture& operator=(const PageFixture&) = delete;

    sim::SimulatedSwitch& simulatedSwitch() { return *m_switch; }
    mib::InProcessTransport& transport() { return *m_transport; }
    CMibAgent& agent() { return m_agent; }
    afx::OperatorDriver& driver() { return m_driver; }
    afx::EventLoop& loop() { return afx::EventLoop::instance(); }

    // The console's selection, handed to the sheet when it opens: the sheet's own slot and
    // port and the selected ports (just that port when empty).
    void select(int slot, int port, std::vector<sw::SlotPort> selectedPorts = {});

    // A sheet owning pages, with the selection, the agent unless withAgent is false, and
    // shown with its first page active. Completions are not yet delivered (settle()).
    CSwPropertySheet& openSheet(const std::vector<CSwBasePropPage*>& pages, bool withAgent = true);
    CSwPropertySheet& sheet() { return *m_sheet; }
    void closeSheet();

    // Delivers what is due now; advance also moves the virtual clock.
    void settle();
    void advance(std::int64_t ms);

    // The sheet as the operator sees it.
    std::string render() const;

    // Controls as the operator finds them (in the sheet, or the dialog up); a missing one
    // fails the test and reads as an empty window.
    HWND control(int id);
    const afx::WindowRecord& record(int id);
    bool enabled(int id) { return record(id).enabled; }
    std::string text(int id) { return record(id).text; }
    // The value beside a label (or of a control), as the operator reads it.
    std::string read(const afx::ControlRef& ref);
    // Entries of a list box or combo box.
    std::vector<std::string> entries(int id);
    const std::vector<afx::ListRow>& rows(int id) { return record(id).rows; }
    // One cell of every row ("<none>" where a row is shorter).
    std::vector<std::string> column(int id, std::size_t cell);
    std::vector<int> selectedRows(int id);
    // Presses Apply and delivers what follows.
    void apply();

    mib::MibTrace& trace() { return m_agent.GetTrace(); }
    // The calls the page made on the component, without the PDUs and completions between.
    std::vector<std::string> componentCalls();
    std::size_t count(const char* prefix);

    // What the switch holds; -999 and "<none>" when it has no such value.
    long switchInteger(const std::string& variable, const mib::Oid& instance) const;
    std::string switchText(const std::string& variable, const mib::Oid& instance) const;
    static mib::Oid slotPort(int slot, int port);
    long switchInteger(const std::string& variable, int slot, int port) const {
        return switchInteger(variable, slotPort(slot, port));
    }
    std::string switchText(const std::string& variable, int slot, int port) const {
        return switchText(variable, slotPort(slot, port));
    }

private:
    std::unique_ptr<sim::SimulatedSwitch> m_switch;
    std::shared_ptr<mib::InProcessTransport> m_transport;
    CMibAgent m_agent;
    afx::OperatorDriver m_driver;
    std::unique_ptr<CSwPropertySheet> m_sheet;
    int m_slot = 1;
    int m_port = 1;
    std::vector<sw::SlotPort> m_selectedPorts{{1, 1}};
    bool m_wasVirtual = false;
    std::size_t m_windowsAtStart = 0;
};

// While it lives, releases page's requests when list first gets a row, as if the data went
// away in the middle of a fill.
class ReleaseRequestsOnFirstRow : public afx::WindowObserver {
public:
    ReleaseRequestsOnFirstRow(CSwBasePropPage& page, HWND list);
    ~ReleaseRequestsOnFirstRow() override;
    ReleaseRequestsOnFirstRow(const ReleaseRequestsOnFirstRow&) = delete;
    ReleaseRequestsOnFirstRow& operator=(const ReleaseRequestsOnFirstRow&) = delete;

    void windowChanged(HWND hwnd, afx::Change what) override;

private:
    CSwBasePropPage& m_page;
    HWND m_list;
    bool m_done = false;
};

}  // namespace test_support
