#include "console/gui/gui_options.h"

#include <algorithm>

#include "console/snmp_conf_defaults.h"

namespace gui {

namespace {

// What only the text console does; the window says where to go instead of ignoring it.
const char* const kTextOnly[] = {"--script",  "--dump", "--page",  "--preview",
                                 "--history", "--undo", "--quiet", "--trace"};

}  // namespace

GuiOptionsResult parseGuiOptions(std::vector<std::string> args) {
    GuiOptionsResult result;
    for (auto it = args.begin(); it != args.end();) {
        if (*it == "--screenshots") {
            if (it + 1 == args.end() || (it + 1)->empty()) {
                result.error = "--screenshots needs a folder";
                return result;
            }
            result.options.screenshotDir = *(it + 1);
            it = args.erase(it, it + 2);
            continue;
        }
        const std::string name = it->substr(0, it->find('='));
        if (std::find(std::begin(kTextOnly), std::end(kTextOnly), name) != std::end(kTextOnly)) {
            result.error =
                name + " is an option of the text console (swconsole), not of the window";
            return result;
        }
        ++it;
    }
    if (!console::extractJournalOptions(args, &result.options.journal, &result.error)) {
        return result;
    }
    const console::OptionsResult parsed = console::parseOptions(args);
    if (!parsed.ok) {
        result.error = parsed.error;
        return result;
    }
    result.options.console = parsed.options;
    if (result.options.console.agent.kind == console::AgentChoice::Kind::Snmp &&
        !console::applySnmpConfDefaults(console::readSnmpConfDefaults(),
                                        result.options.console.given,
                                        &result.options.console.agent.snmp, &result.error)) {
        return result;
    }
    result.ok = true;
    return result;
}

std::string guiUsageText(const std::string& program) {
    return "Usage: " + program + R"( [OPTIONS] [AGENT]
Opens the chassis-switch console's window: a picture of the switch whose ports open their
property sheets, a MIB trace and live counter graphs.

Agent (default: the embedded simulated switch; Switch > Connect... chooses another):
  AGENT                        HOST, HOST:PORT, udp:HOST[:PORT], sim or sim:SCENARIO.json
  --agent sim[:SCENARIO.json]  the embedded simulated switch
  -v 1|2c|3  -c COMMUNITY  -u USER  -l LEVEL  -a PROTO  -A PASS  -x PROTO  -X PASS
  -t SECONDS  -r RETRIES       as for swconsole; defaults from Net-SNMP's snmp.conf
  --state FILE                 keep the simulated switch's state in FILE
Ports:
  --slot S --port P            open this port's property sheet at start
  --select S/P|S/P-Q|S/*[,...] the ports selected at start
Changes:
  --journal FILE|none          where changes are journaled (as for swconsole)
Other:
  --screenshots DIR            render the main window, each page and a counter graph to
                               PNG files in DIR, then exit (use with QT_QPA_PLATFORM=offscreen)
  --help, --version

Without a display (no DISPLAY or WAYLAND_DISPLAY, and no QT_QPA_PLATFORM), it says so
and exits with status 2.
)";
}

}  // namespace gui
