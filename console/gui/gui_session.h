#pragma once
// What the window holds of the switch it manages: the module, the agent and the open
// property sheets. Connecting to another agent closes the sheets of the previous one.

#include <memory>
#include <string>

#include "console/agent_factory.h"
#include "console/console_options.h"
#include "console/journal_options.h"
#include "console/module_loader.h"
#include "console/port_sheets.h"
#include "frame/page_registry.h"

namespace sim {
class SimulatedSwitch;
}

namespace gui {

class GuiSession {
public:
    // Where the build put the module and where an installation puts it, relative to the
    // executable's folder (as for the text console).
    GuiSession(std::string buildModulePath, std::string installedModuleDir);
    ~GuiSession();
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

    // false and *error when the module cannot be loaded or the journal cannot be written.
    bool connect(const console::AgentChoice& choice, const console::JournalOptions& journal,
                 std::string* error);
    void disconnect();
    bool connected() const { return m_agent.agent != nullptr; }

    CMibAgent* agent() const { return m_agent.agent.get(); }
    // The embedded switch when connected to it (tests inject faults through it).
    sim::SimulatedSwitch* simulated() const;
    console::PortSheets* sheets() const { return m_sheets.get(); }
    const console::AgentChoice& choice() const { return m_choice; }
    // "sim (demo switch)" or the agent's address, for titles and the status bar.
    std::string agentText() const;

private:
    bool loadModule(std::string* error);

    std::string m_buildModulePath;
    std::string m_installedModuleDir;
    std::unique_ptr<console::LoadedModule> m_module;
    std::unique_ptr<CPageRegistry> m_registry;
    console::AgentChoice m_choice;
    console::AgentSession m_agent;
    std::unique_ptr<console::PortSheets> m_sheets;
};

}  // namespace gui
