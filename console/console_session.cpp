#include "console/console_session.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

#include "console/agent_factory.h"
#include "console/console_driver.h"
#include "console/console_options.h"
#include "console/event_settler.h"
#include "console/journal_commands.h"
#include "console/module_loader.h"
#include "console/page_dump.h"
#include "console/page_sets.h"
#include "console/port_list.h"
#include "console/port_sheets.h"
#include "console/script_parser.h"
#include "console/script_runner.h"
#include "console/snmp_conf_defaults.h"
#include "console/status_line.h"
#include "console/switch_probe.h"
#include "frame/page_registry.h"
#include "framework/afx/printable_text.h"
#include "framework/afx/text_renderer.h"
#include "framework/afx/ui_hook.h"
#include "framework/mib/transport.h"
#include "framework/sw/sw_property_sheet.h"
#include "sw_version.h"

namespace console {

namespace {

// Beyond what the pending requests may take: the pages' own work after the last answer.
constexpr std::int64_t kSettleSlackMs = 2000;

struct Failure {
    int status;
    std::string message;
};

std::optional<std::string> readScript(const std::string& path, std::istream& in,
                                      std::string* error) {
    std::ostringstream text;
    if (path == "-") {
        text << in.rdbuf();
        return text.str();
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        *error = "cannot read the script " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    text << file.rdbuf();
    return text.str();
}

// An agent's text as one printable line: control bytes and backslashes escaped.
std::string quotedText(const std::string& text) {
    std::string out;
    for (const unsigned char c : text) {
        if (c < 0x20 || c == 0x7f || c == '\\' || c == '"') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

class Session {
public:
    Session(const ConsoleOptions& options, SessionEnvironment& env, ChangeSafety safety)
        : m_options(options), m_env(env), m_driver(env.out), m_safety(std::move(safety)) {}
    ~Session() {
        m_sheet.reset();  // pages and their requests go before the registry and the agent
        m_registry.reset();
    }

    std::optional<Failure> run();

private:
    std::optional<Failure> loadModule();
    std::optional<Failure> connect();
    Failure notAChassisSwitch(SwitchProbe& probe);
    std::optional<Failure> choosePort();
    std::optional<Failure> readHealth();
    std::optional<Failure> openSheet();
    std::vector<SlotPort> selectedPorts() const;
    std::optional<Failure> unreportedFailures() const;

    const ConsoleOptions& m_options;
    SessionEnvironment& m_env;
    afx::EventLoop& m_loop = afx::EventLoop::instance();
    ConsoleDriver m_driver;
    ChangeSafety m_safety;
    std::unique_ptr<LoadedModule> m_module;
    std::unique_ptr<CPageRegistry> m_registry;
    AgentSession m_agent;
    std::vector<ChassisPort> m_ports;
    std::vector<SlotPort> m_selected;  // --select resolved; empty: the opened port
    std::unique_ptr<CNxChassisInfo> m_chassis;
    ChassisPort m_port;
    std::unique_ptr<CHealth> m_health;  // the pages hold it, so it outlives the sheet
    std::unique_ptr<CSwPropertySheet> m_sheet;
    std::vector<NamedPage> m_pages;
    std::shared_ptr<ProgressTransport> m_progress;  // only with a status line
    std::unique_ptr<StatusLine> m_statusLine;
};

std::optional<Failure> Session::loadModule() {
    const auto candidates = moduleCandidates(m_options.modulePath, executableDir(),
                                             m_env.buildModule, m_env.installedModuleDir);
    const std::string path = locateModule(candidates);
    std::string error;
    m_module = LoadedModule::load(path, &error);
    if (!m_module) {
        return Failure{kExitUsage, error};
    }
    m_registry = m_module->createRegistry(&error);
    if (!m_registry) {
        return Failure{kExitUsage, error};
    }
    // A page the module cannot make is bad usage, told before the switch is read.
    for (const std::string& name : m_options.pages) {
        const std::unique_ptr<CSwBasePropPage> page(m_registry->GetPage(name.c_str()));
        if (!page) {
            return Failure{kExitUsage, "the module has no page " + name};
        }
    }
    return std::nullopt;
}

std::optional<Failure> Session::connect() {
    std::string error;
    if (!createAgent(m_options.agent, m_loop, &m_agent, &error)) {
        return Failure{kExitUsage, error};
    }
    if (m_options.agent.kind == AgentChoice::Kind::Snmp &&
        wantsStatusLine(stderr, m_options.quiet)) {
        m_progress =
            std::make_shared<ProgressTransport>(m_agent.transport, [this] { return m_loop.now(); });
        m_agent.agent->SetTransport(m_progress);
        m_statusLine = std::make_unique<StatusLine>(m_loop, *m_progress, stderr, m_env.program);
    }
    m_safety.applyTo(*m_agent.agent);
    if (m_options.trace) {
        m_agent.agent->GetTrace().setSink([this](const std::string& line) {
            m_env.out << "trace: " << afx::printableText(line) << "\n";
        });
    }
    SwitchProbe probe(*m_agent.agent, m_loop);
    const auto name = probe.readSysName(&error);
    if (!name) {
        return Failure{kExitStepFailed, "cannot read the switch's name: " + error};
    }
    m_agent.agent->SetAgentName(name->c_str());
    auto chassis = probe.readChassis(&error);
    if (!chassis) {
        return Failure{kExitStepFailed, "cannot read the chassis tables: " + error};
    }
    if (isEmptyChassis(*chassis)) {
        return notAChassisSwitch(probe);
    }
    m_ports = std::move(chassis->ports);
    m_chassis = std::move(chassis->chassis);
    return std::nullopt;
}

// Said once, plainly, instead of a missing Ethernet port or an empty page: the agent is
// reachable, just not a switch this console can manage.
Failure Session::notAChassisSwitch(SwitchProbe& probe) {
    std::string error;
    const auto descr = probe.readSysDescr(&error);
    const std::string agent = m_agent.agent->GetTransport()->describe();
    const std::string said = descr ? "; its sysDescr is \"" + quotedText(*descr) + "\""
                                   : " (no sysDescr: " + error + ")";
    return Failure{kExitStepFailed, "not a chassis switch: " + agent +
                                        " answers SNMP but has no chassis slot or port tables" +
                                        said};
}

std::optional<Failure> Session::choosePort() {
    const auto lacking = [this](const SlotPort& wanted) -> std::optional<Failure> {
        if (m_ports.empty() || findPort(m_ports, wanted) != nullptr) {
            return std::nullopt;
        }
        return Failure{kExitUsage, "the chassis has no port " + std::to_string(wanted.slot) + "/" +
                                       std::to_string(wanted.port)};
    };
    if (!m_options.selected.empty()) {
        std::vector<SlotPort> present;
        for (const ChassisPort& p : m_ports) {
            present.push_back(p.where);
        }
        std::string error;
        auto selected = resolvePortList(m_options.selected, present, &error);
        if (!selected) {
            return Failure{kExitUsage, "--select: " + error};
        }
        m_selected = std::move(*selected);
    }
    if (m_options.port) {
        const SlotPort wanted = *m_options.port;
        if (auto failure = lacking(wanted)) {
            return failure;
        }
        const ChassisPort* found = findPort(m_ports, wanted);
        m_port = found == nullptr ? ChassisPort{wanted, 0, false} : *found;
        return std::nullopt;
    }
    const auto first = firstEthernetPort(m_ports);
    if (!first) {
        return Failure{kExitUsage, "the chassis has no Ethernet port; give --slot and --port"};
    }
    m_port = *first;
    return std::nullopt;
}

std::vector<SlotPort> Session::selectedPorts() const {
    if (m_selected.empty()) {
        return {m_port.where};
    }
    return m_selected;
}

// Port health only picks the icons, so a port table that cannot be read is a note, not a
// failure: the pages then draw every port as not enabled, as before health existed.
std::optional<Failure> Session::readHealth() {
    SwitchProbe probe(*m_agent.agent, m_loop);
    std::string error;
    m_health = readPortHealth(probe, selectedPorts(), &error);
    if (!m_health) {
        m_env.err << m_env.program << ": note: cannot read the ports' status ("
                  << afx::printableText(error) << "); the pages show every port as not enabled\n";
    }
    return std::nullopt;
}

std::optional<Failure> Session::openSheet() {
    const std::string caption = sheetCaption(m_port);
    m_sheet = std::make_unique<CSwPropertySheet>(caption.c_str(), 0, nullptr, 0);
    std::vector<sw::SlotPort> selected;
    for (const SlotPort& sp : selectedPorts()) {
        selected.push_back({sp.slot, sp.port});
    }
    m_sheet->SetSelection(m_port.where.slot, m_port.where.port, selected,
                          m_agent.agent->GetAddress(), m_health.get());
    m_sheet->SetChassisInfoObject(m_chassis.get());

    const bool named = !m_options.pages.empty();
    const auto& names =
        named ? m_options.pages : (m_port.expander ? expanderPageNames() : ethernetPageNames());
    for (const std::string& name : names) {
        CSwBasePropPage* page = m_registry->GetPage(name.c_str());
        if (page == nullptr) {
            if (named) {
                return Failure{kExitUsage, "the module has no page " + name};
            }
            continue;  // as the desktop console: a page the module cannot make is left out
        }
        m_sheet->AddPage(page);
        m_pages.push_back({name, page});
    }
    if (m_pages.empty()) {
        return Failure{kExitUsage, "the module made none of the pages"};
    }
    m_sheet->SetAgent(m_agent.agent.get());
    if (!m_sheet->ActivateSheet(0)) {
        return Failure{kExitStepFailed, "the property sheet could not be shown"};
    }
    m_driver.setRoot(m_sheet->GetSafeHwnd());
    return std::nullopt;
}

std::optional<Failure> Session::run() {
    std::vector<ScriptStep> steps;
    if (!m_options.scriptPath.empty()) {
        std::string error;
        const auto text = readScript(m_options.scriptPath, m_env.in, &error);
        if (!text) {
            return Failure{kExitUsage, error};
        }
        ScriptParseResult parsed = parseScript(*text);
        if (!parsed.ok()) {
            return Failure{kExitUsage, m_options.scriptPath + ": " + parsed.error};
        }
        steps = std::move(parsed.steps);
    }
    afx::setApplicationName("swconsole");
    for (auto step : {&Session::loadModule, &Session::connect, &Session::choosePort,
                      &Session::readHealth, &Session::openSheet}) {
        if (auto failure = (this->*step)()) {
            return failure;
        }
    }
    EventSettler settler(m_loop, kSettleSlackMs);
    settler.setDeadlineProbe([agent = m_agent.agent.get()] { return agent->pendingDeadline(); });
    if (mib::Transport* transport = m_agent.transport.get()) {
        settler.setBusyProbe([transport] { return transport->pendingCount() > 0; });
    }
    if (!settler.settle()) {
        return Failure{kExitStepFailed, "the pages did not finish loading within " +
                                            std::to_string(settler.boundMs()) + " ms"};
    }
    ScriptRunner runner(m_driver, *m_sheet, m_pages, settler, m_env.out);
    const ScriptOutcome outcome = runner.run(steps);
    if (m_options.dump && outcome.ok && m_options.pages.size() > 1) {
        const PageDump dump = dumpEachPage(*m_sheet, m_pages, settler);
        m_env.out << dump.text;
        if (!dump.ok) {
            return Failure{kExitStepFailed, dump.failure};
        }
    } else if (m_options.dump) {
        m_env.out << runner.renderScope();
    }
    if (!outcome.ok) {
        return Failure{kExitStepFailed, outcome.failure};
    }
    return unreportedFailures();
}

// A script that ran to its end has still failed when the switch refused a change, a read
// it waited for failed, or the operator was shown an error.
std::optional<Failure> Session::unreportedFailures() const {
    const CMibAgent::FailureCount& failed = m_agent.agent->failureCount();
    const int boxes = m_driver.errorBoxes();
    if (failed.sets == 0 && failed.reads == 0 && boxes == 0) {
        return std::nullopt;
    }
    auto count = [](int n, const char* what) {
        const std::string noun = what;
        const bool sibilant = noun.ends_with("x") || noun.ends_with("s");
        return std::to_string(n) + " " + noun + (n == 1 ? "" : sibilant ? "es" : "s");
    };
    return Failure{kExitStepFailed, count(failed.sets, "set") + " and " +
                                        count(failed.reads, "read") + " failed, " +
                                        count(boxes, "\"Error\" box") + " shown"};
}

}  // namespace

std::string versionText(const std::string& program) {
    return program + " (torvik) " SW_VERSION "\n";
}

int runConsole(const std::vector<std::string>& args, SessionEnvironment& env) {
    std::vector<std::string> rest = args;
    JournalOptions journal;
    std::string journalError;
    const OptionsResult parsed = extractJournalOptions(rest, &journal, &journalError)
                                     ? parseOptions(rest)
                                     : OptionsResult{false, {}, journalError};
    if (!parsed.ok) {
        env.err << env.program << ": " << afx::printableText(parsed.error) << "\n"
                << "Try '" << env.program << " --help'.\n";
        return kExitUsage;
    }
    if (parsed.options.help) {
        env.out << usageText(env.program);
        return kExitOk;
    }
    if (parsed.options.version) {
        env.out << versionText(env.program);
        return kExitOk;
    }
    ConsoleOptions options = parsed.options;
    if (options.agent.kind == AgentChoice::Kind::Snmp) {
        std::string error;
        if (!applySnmpConfDefaults(readSnmpConfDefaults(), options.given, &options.agent.snmp,
                                   &error)) {
            env.err << env.program << ": " << error << "\n";
            return kExitUsage;
        }
    }
    if (journal.history || journal.undo) {
        return runJournalCommand(options, journal, env);
    }
    ChangeSafety safety;
    if (!prepareChangeSafety(journal, options.agent, &safety, &journalError)) {
        env.err << env.program << ": " << journalError << "\n";
        return kExitUsage;
    }
    std::optional<Failure> failure;
    {
        Session session(options, env, std::move(safety));
        failure = session.run();
    }
    if (failure) {
        env.err << env.program << ": " << afx::printableText(failure->message) << "\n";
        return failure->status;
    }
    return kExitOk;
}

}  // namespace console
