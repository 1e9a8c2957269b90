#pragma once
// The property sheets a window opens beside its picture of the switch: one modeless sheet
// per port, several at once, each with the selection it was opened with. A sheet that the
// operator closes (OK, Cancel, the window's close button) announces it and is deleted here;
// opening a port whose sheet is open shows that sheet again.

#include <memory>
#include <string>
#include <vector>

#include "console/slot_port.h"
#include "console/switch_probe.h"
#include "framework/sw/sw_property_sheet.h"

class CPageRegistry;
class CMibAgent;
class CNxChassisInfo;

namespace console {

// "Ethernet Slot:1 Port:3", "Expander Slot:4 Port:2": the sheet's caption.
std::string sheetCaption(const ChassisPort& port);

class PortSheets {
public:
    PortSheets(CPageRegistry& registry, CMibAgent& agent);
    ~PortSheets();
    PortSheets(const PortSheets&) = delete;
    PortSheets& operator=(const PortSheets&) = delete;

    // The chassis description the pages of sheets opened from now on get (a copy each, so a
    // new reading never changes it under an open sheet); may be null until it is read.
    void setChassis(const CNxChassisInfo* chassis) { m_chassis = chassis; }

    // Opens port's sheet (its default page set) with selection, which the port is part of;
    // status gives the selected ports' health. nullptr and *error when no page was made.
    CSwPropertySheet* open(const ChassisPort& port, const std::vector<SlotPort>& selection,
                           const std::vector<PortStatus>& status, std::string* error);
    std::vector<CSwPropertySheet*> sheets() const;
    // Closes every sheet (as Cancel would) and deletes it.
    void closeAll();

private:
    class Host;
    struct OpenSheet;
    void closed(CSwPropertySheet* sheet);

    CPageRegistry& m_registry;
    CMibAgent& m_agent;
    const CNxChassisInfo* m_chassis = nullptr;
    std::unique_ptr<Host> m_host;
    std::vector<std::unique_ptr<OpenSheet>> m_open;
};

}  // namespace console
