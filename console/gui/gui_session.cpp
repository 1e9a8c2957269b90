#include "console/gui/gui_session.h"

#include "console/journal_commands.h"
#include "framework/afx/event_loop.h"
#include "sim/simulated_switch.h"

namespace gui {

GuiSession::GuiSession(std::string buildModulePath, std::string installedModuleDir)
    : m_buildModulePath(std::move(buildModulePath)),
      m_installedModuleDir(std::move(installedModuleDir)) {}

GuiSession::~GuiSession() {
    disconnect();
    m_registry.reset();
}

bool GuiSession::loadModule(std::string* error) {
    if (m_registry) {
        return true;
    }
    const auto candidates = console::moduleCandidates("", console::executableDir(),
                                                      m_buildModulePath, m_installedModuleDir);
    m_module = console::LoadedModule::load(console::locateModule(candidates), error);
    if (!m_module) {
        return false;
    }
    m_registry = m_module->createRegistry(error);
    return m_registry != nullptr;
}

bool GuiSession::connect(const console::AgentChoice& choice, const console::JournalOptions& journal,
                         std::string* error) {
    if (!loadModule(error)) {
        return false;
    }
    console::ChangeSafety safety;
    if (!console::prepareChangeSafety(journal, choice, &safety, error)) {
        return false;
    }
    console::AgentSession next;
    if (!console::createAgent(choice, afx::EventLoop::instance(), &next, error)) {
        return false;
    }
    disconnect();
    m_agent = std::move(next);
    m_choice = choice;
    safety.applyTo(*m_agent.agent);
    m_agent.agent->SetAgentName(agentText().c_str());
    m_sheets = std::make_unique<console::PortSheets>(*m_registry, *m_agent.agent);
    return true;
}

void GuiSession::disconnect() {
    m_sheets.reset();  // the pages and their requests go before the agent
    m_agent = console::AgentSession();
}

sim::SimulatedSwitch* GuiSession::simulated() const {
    return m_agent.simulated.get();
}

std::string GuiSession::agentText() const {
    if (m_choice.kind == console::AgentChoice::Kind::Simulated) {
        return m_choice.scenarioPath.empty() ? "sim (demo switch)" : "sim:" + m_choice.scenarioPath;
    }
    return m_choice.snmp.address;
}

}  // namespace gui
