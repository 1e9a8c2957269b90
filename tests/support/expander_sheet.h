#pragma once
// What the expander page tests look at: a sheet on the demo switch's expander module
// (slot 5: two banks of 12 ports, four segments), list rows as shown, the page's calls on
// the component and the switch's values by bank and port.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/page_fixture.h"

namespace test_support {

struct ShownRow {
    std::vector<std::string> cells;
    int image = -1;
    bool selected = false;
};

class ExpanderSheet {
public:
    static constexpr int kSlot = 5;

    PageFixture& fixture() { return m_fixture; }
    afx::OperatorDriver& driver() { return m_fixture.driver(); }
    mib::MibTrace& trace() { return m_fixture.agent().GetTrace(); }

    // Opens page on slot 5 with the given console ports selected (port 1 when empty).
    template <class Page>
    Page& open(Page* page, std::vector<int> selectedPorts = {}, int port = 1) {
        std::vector<sw::SlotPort> selection;
        for (int p : selectedPorts) {
            selection.push_back({kSlot, p});
        }
        m_fixture.select(kSlot, port, selection);
        trace().setRecording(true);
        m_fixture.openSheet({page});
        m_fixture.settle();
        return *page;
    }

    HWND control(int id) { return m_fixture.control(id); }
    bool enabled(int id) { return m_fixture.enabled(id); }

    std::vector<ShownRow> rows(int listId) {
        std::vector<ShownRow> out;
        for (const afx::ListRow& r : m_fixture.rows(listId)) {
            out.push_back({r.cells, r.image, (r.state & LVIS_SELECTED) != 0});
        }
        return out;
    }
    // "bank/port" (or the first two cells) of each row.
    std::vector<std::string> leading(int listId) {
        std::vector<std::string> out;
        for (const ShownRow& r : rows(listId)) {
            out.push_back(r.cells.size() >= 2 ? r.cells[0] + "/" + r.cells[1] : "?");
        }
        return out;
    }
    std::string read(const afx::ControlRef& ref) { return m_fixture.read(ref); }
    // The page's calls on the component, without the PDUs and completions between them.
    std::vector<std::string> calls() { return m_fixture.componentCalls(); }
    std::size_t count(const char* prefix) { return m_fixture.count(prefix); }

    long portValue(const char* variable, int bank, int port) {
        return m_fixture.switchInteger(variable, bank, port);
    }
    std::string segmentDescription(int segment) {
        return m_fixture.switchText("tarvoPortSegmentDescr", {static_cast<std::uint32_t>(segment)});
    }
    void setPortValue(const char* variable, int bank, int port, long value) {
        m_fixture.simulatedSwitch().write(variable, PageFixture::slotPort(bank, port),
                                          mib::Value::makeInteger(value));
    }

private:
    PageFixture m_fixture;
};

}  // namespace test_support
