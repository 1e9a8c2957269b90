#include "console/port_sheets.h"

#include <algorithm>

#include "console/page_sets.h"
#include "frame/page_registry.h"
#include "framework/mib/mib_agent.h"
#include "framework/sw/health.h"
#include "framework/sw/nx_chassis_info.h"

namespace console {

std::string sheetCaption(const ChassisPort& port) {
    return std::string(port.expander ? "Expander" : "Ethernet") +
           " Slot:" + std::to_string(port.where.slot) + " Port:" + std::to_string(port.where.port);
}

// The window the sheets belong to: a closing sheet posts itself here.
class PortSheets::Host : public CWnd {
public:
    explicit Host(PortSheets& owner) : m_owner(owner) {
        Create(nullptr, "port sheets", 0, CRect(), nullptr, 0);
    }
    ~Host() override { DestroyWindow(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kSheetClosedMessage) {
            m_owner.closed(reinterpret_cast<CSwPropertySheet*>(lParam));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    PortSheets& m_owner;
};

struct PortSheets::OpenSheet {
    SlotPort where;
    std::unique_ptr<CHealth> health;  // the pages hold these: they go after the sheet
    std::unique_ptr<CNxChassisInfo> chassis;
    std::unique_ptr<CSwPropertySheet> sheet;
    ~OpenSheet() { sheet.reset(); }
};

PortSheets::PortSheets(CPageRegistry& registry, CMibAgent& agent)
    : m_registry(registry), m_agent(agent), m_host(std::make_unique<Host>(*this)) {}

PortSheets::~PortSheets() {
    closeAll();
}

CSwPropertySheet* PortSheets::open(const ChassisPort& port, const std::vector<SlotPort>& selection,
                                   const std::vector<PortStatus>& status, std::string* error) {
    for (const auto& open : m_open) {
        if (open->where == port.where && ::IsWindow(open->sheet->GetSafeHwnd())) {
            open->sheet->ActivateSheet(open->sheet->GetActiveIndex());
            return open->sheet.get();
        }
    }
    std::vector<SlotPort> selected = selection;
    if (std::find(selected.begin(), selected.end(), port.where) == selected.end()) {
        selected.insert(selected.begin(), port.where);
    }
    auto open = std::make_unique<OpenSheet>();
    open->where = port.where;
    open->health = std::make_unique<CHealth>();
    fillHealth(status, selected, open->health.get());

    const std::string caption = sheetCaption(port);
    open->sheet = std::make_unique<CSwPropertySheet>(caption.c_str(), 0, m_host.get(), 0);
    open->sheet->m_modeless = 1;
    std::vector<sw::SlotPort> forPages;
    for (const SlotPort& sp : selected) {
        forPages.push_back({sp.slot, sp.port});
    }
    open->sheet->SetSelection(port.where.slot, port.where.port, forPages, m_agent.GetAddress(),
                              open->health.get());
    if (m_chassis != nullptr) {
        open->chassis = std::make_unique<CNxChassisInfo>(*m_chassis);
    }
    open->sheet->SetChassisInfoObject(open->chassis.get());
    int pages = 0;
    for (const std::string& name : port.expander ? expanderPageNames() : ethernetPageNames()) {
        if (CSwBasePropPage* page = m_registry.GetPage(name.c_str())) {
            open->sheet->AddPage(page);
            ++pages;
        }
    }
    if (pages == 0) {
        *error = "the module made none of the pages of " + caption;
        return nullptr;
    }
    open->sheet->SetAgent(&m_agent);
    if (!open->sheet->ActivateSheet(0)) {
        *error = "the property sheet " + caption + " could not be shown";
        return nullptr;
    }
    m_open.push_back(std::move(open));
    return m_open.back()->sheet.get();
}

std::vector<CSwPropertySheet*> PortSheets::sheets() const {
    std::vector<CSwPropertySheet*> out;
    for (const auto& open : m_open) {
        out.push_back(open->sheet.get());
    }
    return out;
}

void PortSheets::closed(CSwPropertySheet* sheet) {
    // The notice is posted: by now the address may be a newer sheet's, whose window is open.
    std::erase_if(m_open, [sheet](const auto& open) {
        return open->sheet.get() == sheet && !::IsWindow(sheet->GetSafeHwnd());
    });
}

void PortSheets::closeAll() {
    while (!m_open.empty()) {
        std::unique_ptr<OpenSheet> open = std::move(m_open.back());
        m_open.pop_back();
        if (::IsWindow(open->sheet->GetSafeHwnd())) {
            open->sheet->OnCancel();
        }
    }
}

}  // namespace console
