#include "console/console_options.h"

#include "console/agent_address.h"
#include "console/page_sets.h"

#include <charconv>
#include <functional>
#include <map>

namespace console {

namespace {

bool parseNumber(const std::string& text, int* out) {
    if (text.empty()) {
        return false;
    }
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, *out);
    return ec == std::errc() && ptr == end;
}

bool parsePositive(const std::string& text, int* out) {
    return parseNumber(text, out) && *out > 0;
}

// "udp:HOST[:PORT]"; a bare host is not accepted so that typos like "--agent simm" are caught.
bool parseAgent(const std::string& text, AgentChoice* agent, std::string* error) {
    if (text == "sim" || text.rfind("sim:", 0) == 0) {
        agent->kind = AgentChoice::Kind::Simulated;
        agent->scenarioPath = text.size() > 4 ? text.substr(4) : "";
        if (text.size() == 4) {
            *error = "--agent sim: needs a scenario file after the colon";
            return false;
        }
        return true;
    }
    if (text.rfind("udp:", 0) == 0 && text.size() > 4) {
        const std::string rest = text.substr(4);
        const auto colon = rest.rfind(':');
        if (colon != std::string::npos) {
            int port = 0;
            if (colon == 0 || !parseNumber(rest.substr(colon + 1), &port) || port < 1 ||
                port > 65535) {
                *error = "--agent " + text + ": expected udp:HOST[:PORT] with a port 1..65535";
                return false;
            }
        }
        agent->kind = AgentChoice::Kind::Snmp;
        agent->snmp.address = colon == std::string::npos ? text + ":161" : text;
        return true;
    }
    *error = "--agent " + text + ": expected sim[:SCENARIO.json] or udp:HOST[:PORT]";
    return false;
}

using Handler = std::function<bool(const std::string& value, ConsoleOptions&, std::string* error)>;

struct OptionSpec {
    bool takesValue;
    Handler handle;
};

const std::map<std::string, OptionSpec>& optionTable() {
    auto flag = [](bool ConsoleOptions::*member) {
        return OptionSpec{false, [member](const std::string&, ConsoleOptions& o, std::string*) {
                              o.*member = true;
                              return true;
                          }};
    };
    auto text = [](auto setter, const char* what) {
        return OptionSpec{
            true, [setter, what](const std::string& v, ConsoleOptions& o, std::string* error) {
                if (!setter(v, o)) {
                    *error = what;
                    return false;
                }
                return true;
            }};
    };
    static const std::map<std::string, OptionSpec> table = {
        {"--agent",
         {true, [](const std::string& v, ConsoleOptions& o,
                   std::string* error) { return parseAgent(v, &o.agent, error); }}},
        {"-v",
         text([](const std::string& v,
                 ConsoleOptions& o) { return mib::parseSnmpVersion(v, &o.agent.snmp.version); },
              "-v: expected 1, 2c or 3")},
        {"-c", text(
                   [](const std::string& v, ConsoleOptions& o) {
                       o.agent.snmp.community = v;
                       return true;
                   },
                   "")},
        {"-u", text(
                   [](const std::string& v, ConsoleOptions& o) {
                       o.agent.snmp.user = v;
                       return !v.empty();
                   },
                   "-u: the user name is empty")},
        {"-l",
         text([](const std::string& v,
                 ConsoleOptions& o) { return mib::parseSecurityLevel(v, &o.agent.snmp.level); },
              "-l: expected noAuthNoPriv, authNoPriv or authPriv")},
        {"-a", text(
                   [](const std::string& v, ConsoleOptions& o) {
                       return mib::parseAuthProtocol(v, &o.agent.snmp.authProtocol);
                   },
                   "-a: expected MD5, SHA or SHA-256")},
        {"-A", text(
                   [](const std::string& v, ConsoleOptions& o) {
                       o.agent.snmp.authPassword = v;
                       return true;
                   },
                   "")},
        {"-x", text(
                   [](const std::string& v, ConsoleOptions& o) {
                       return mib::parsePrivProtocol(v, &o.agent.snmp.privProtocol);
                   },
                   "-x: expected DES or AES")},
        {"-X", text(
                   [](const std::string& v, ConsoleOptions& o) {
                       o.agent.snmp.privPassword = v;
                       return true;
                   },
                   "")},
        {"-t", text(
                   [](const std::string& v, ConsoleOptions& o) {
                       int seconds = 0;
                       if (!parsePositive(v, &seconds) || seconds > 300) {
                           return false;
                       }
                       o.agent.timeoutSeconds = seconds;
                       return true;
                   },
                   "-t: expected a timeout of 1..300 seconds")},
        {"-r", text(
                   [](const std::string& v, ConsoleOptions& o) {
                       int retries = 0;
                       if (!parseNumber(v, &retries) || retries < 0 || retries > 20) {
                           return false;
                       }
                       o.agent.retries = retries;
                       return true;
                   },
                   "-r: expected 0..20 retries")},
        {"--slot", text(
                       [](const std::string& v, ConsoleOptions& o) {
                           SlotPort sp = o.port.value_or(SlotPort{});
                           if (!parsePositive(v, &sp.slot)) {
                               return false;
                           }
                           o.port = sp;
                           return true;
                       },
                       "--slot: expected a slot number from 1")},
        {"--port", text(
                       [](const std::string& v, ConsoleOptions& o) {
                           SlotPort sp = o.port.value_or(SlotPort{});
                           if (!parsePositive(v, &sp.port)) {
                               return false;
                           }
                           o.port = sp;
                           return true;
                       },
                       "--port: expected a port number from 1")},
        {"--select",
         {true,
          [](const std::string& v, ConsoleOptions& o, std::string* error) {
              if (!parsePortList(v, &o.selected, error)) {
                  *error = "--select: " + *error;
                  return false;
              }
              return true;
          }}},
        {"--page", text(
                       [](const std::string& v, ConsoleOptions& o) {
                           o.pages.push_back(v);
                           return !v.empty();
                       },
                       "--page: the page name is empty")},
        {"--script", text(
                         [](const std::string& v, ConsoleOptions& o) {
                             o.scriptPath = v;
                             return !v.empty();
                         },
                         "--script: the file name is empty")},
        {"--module", text(
                         [](const std::string& v, ConsoleOptions& o) {
                             o.modulePath = v;
                             return !v.empty();
                         },
                         "--module: the path is empty")},
        {"--state", text(
                        [](const std::string& v, ConsoleOptions& o) {
                            o.agent.statePath = v;
                            return !v.empty();
                        },
                        "--state: the file name is empty")},
        {"--dump", flag(&ConsoleOptions::dump)},
        {"--trace", flag(&ConsoleOptions::trace)},
        {"--help", flag(&ConsoleOptions::help)},
        {"--version", flag(&ConsoleOptions::version)},
        {"--quiet", flag(&ConsoleOptions::quiet)},
        {"-h", flag(&ConsoleOptions::help)},
    };
    return table;
}

// Splits "--name=value" and Net-SNMP's attached short forms ("-v2c", "-cpublic").
bool splitAttached(const std::string& arg, std::string* name, std::string* value) {
    if (arg.rfind("--", 0) == 0) {
        const auto eq = arg.find('=');
        if (eq == std::string::npos) {
            return false;
        }
        *name = arg.substr(0, eq);
        *value = arg.substr(eq + 1);
        return true;
    }
    if (arg.size() > 2 && arg[0] == '-') {
        *name = arg.substr(0, 2);
        *value = arg.substr(2);
        return true;
    }
    return false;
}

}  // namespace

bool optionTakesValue(const std::string& arg) {
    const auto entry = optionTable().find(arg);
    return entry != optionTable().end() && entry->second.takesValue;
}

bool parseSlotPort(const std::string& text, SlotPort* out) {
    const auto slash = text.find('/');
    if (slash == std::string::npos) {
        return false;
    }
    SlotPort sp;
    if (!parsePositive(text.substr(0, slash), &sp.slot) ||
        !parsePositive(text.substr(slash + 1), &sp.port)) {
        return false;
    }
    *out = sp;
    return true;
}

namespace {

// An SNMPv3 level without the secrets it needs would only fail later, at the agent, as a
// timeout or an authentication error that hides the cause. Net-SNMP takes no pass phrase
// under 8 characters.
bool checkSnmpV3(const mib::NetSnmpConfig& snmp, std::string* error) {
    if (snmp.version != mib::SnmpVersion::V3) {
        return true;
    }
    const bool auth = snmp.level != mib::SecurityLevel::NoAuthNoPriv;
    const bool priv = snmp.level == mib::SecurityLevel::AuthPriv;
    const char* level = priv ? "authPriv" : auth ? "authNoPriv" : "noAuthNoPriv";
    if (snmp.user.empty()) {
        *error = "-v 3 needs a user (-u USER)";
    } else if (auth && snmp.authPassword.empty()) {
        *error = std::string("-l ") + level + " needs an authentication pass phrase (-A PASS)";
    } else if (priv && snmp.privPassword.empty()) {
        *error = "-l authPriv needs a privacy pass phrase (-X PASS)";
    } else if (auth && snmp.authPassword.size() < 8) {
        *error = "-A: the pass phrase needs at least 8 characters";
    } else if (priv && snmp.privPassword.size() < 8) {
        *error = "-X: the pass phrase needs at least 8 characters";
    } else {
        return true;
    }
    return false;
}

}  // namespace

OptionsResult parseOptions(const std::vector<std::string>& args) {
    OptionsResult result;
    const auto& table = optionTable();
    bool agentOption = false;
    bool agentArgument = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool haveValue = false;
        auto entry = table.find(name);
        if (entry == table.end() && splitAttached(args[i], &name, &value)) {
            entry = table.find(name);
            haveValue = entry != table.end() && entry->second.takesValue;
            if (!haveValue) {
                entry = table.end();
            }
        }
        if (entry == table.end() && args[i].rfind('-', 0) != 0 && !agentArgument && !agentOption) {
            if (!parseAgentArgument(args[i], &result.options.agent, &result.error)) {
                return result;
            }
            agentArgument = true;
            continue;
        }
        if (entry == table.end()) {
            // Never echo a stray argument: it may be a pass phrase without its option.
            result.error = args[i].rfind('-', 0) == 0
                               ? "unknown option " + name
                               : "unexpected argument at position " + std::to_string(i + 1);
            return result;
        }
        if (entry->second.takesValue && !haveValue) {
            if (i + 1 >= args.size()) {
                result.error = "option " + name + " needs a value";
                return result;
            }
            value = args[++i];
        }
        if (name == "--agent" && agentArgument) {
            result.error = "the agent is given twice, as AGENT and with --agent";
            return result;
        }
        agentOption = agentOption || name == "--agent";
        result.options.given.insert(name);
        std::string error;
        if (!entry->second.handle(value, result.options, &error)) {
            result.error = error;
            return result;
        }
    }
    if (!checkSnmpV3(result.options.agent.snmp, &result.error)) {
        return result;
    }
    const auto& port = result.options.port;
    if (port && (port->slot == 0 || port->port == 0)) {
        result.error = port->slot == 0 ? "--port needs --slot" : "--slot needs --port";
        return result;
    }
    if (!result.options.agent.statePath.empty() &&
        result.options.agent.kind != AgentChoice::Kind::Simulated) {
        result.error = "--state keeps the embedded simulated switch's state; not for an agent";
        return result;
    }
    result.ok = true;
    return result;
}

std::string usageText(const std::string& program) {
    auto joined = [](const std::vector<std::string>& names) {
        std::string text;
        for (const std::string& name : names) {
            text += (text.empty() ? "" : ", ") + name;
        }
        return text;
    };
    return "Usage: " + program + R"( [OPTIONS] [AGENT]
Opens the property pages of one switch port in text mode and runs an operator script.

Agent (as Net-SNMP's tools take it; default: the embedded simulated switch):
  AGENT                        HOST, HOST:PORT, udp:HOST[:PORT] or udp6:[ADDRESS][:PORT]
                               (port 161 by default); sim or sim:SCENARIO.json for the
                               embedded simulated switch
  --agent sim[:SCENARIO.json]  the embedded simulated switch (default: demo scenario)
  --agent udp:HOST[:PORT]      an SNMP agent through Net-SNMP
  -v 1|2c|3                    SNMP version (default 2c)
  -c COMMUNITY                 community for v1/v2c (default public)
  -u USER -l LEVEL             SNMPv3 user and level: noAuthNoPriv|authNoPriv|authPriv
  -a MD5|SHA|SHA-256 -A PASS   SNMPv3 authentication protocol and pass phrase
  -x DES|AES -X PASS           SNMPv3 privacy protocol and pass phrase
  -t SECONDS -r RETRIES        SNMP timeout per try and retries
  --state FILE                 keep the simulated switch's state in FILE: loaded at start
                               if present, saved after every applied change (without it,
                               changes last until the console ends)
  Options not given are taken from Net-SNMP's snmp.conf files (defVersion,
  defCommunity, defSecurityName, defSecurityLevel, defAuthType, defAuthPassphrase,
  defPrivType, defPrivPassphrase), so pass phrases need not be on the command line.
Port and pages:
  --slot S --port P            the port whose properties are opened
                               (default: the first Ethernet port of the chassis)
  --select S/P|S/P-Q|S/*[,...] the ports selected in the console (default: the opened port)
  --page NAME                  a page to show, by name or title, repeatable (default:
                               every page of the port's kind)
Running:
  --script FILE|-              operator actions, one per line (- reads standard input)
  --dump                       print the active page when the script ends or, without a
                               script, once the page has loaded; with several --page,
                               print each of them
  --trace                      print every call to the MIB access component
  --quiet                      no status line on a terminal while a read takes longer
                               than a second (pipes and files never get one)
  --module PATH                load the module from PATH
  --help                       this text
  --version                    the console's version
Changes (every set is journaled; see README.md):
  --journal FILE|none          the change journal (default:
                               $XDG_STATE_HOME/swconsole/journal.jsonl, else
                               ~/.local/state/swconsole/journal.jsonl); none: no journal
  --preview                    show each set (old -> new values) and send it only on Yes
  --history [N]                list the last N (20) journaled changes of the agent
  --undo ID                    put back the values before change ID where the switch still
                               holds what it wrote
Pages of an Ethernet port: )" +
           joined(ethernetPageNames()) + R"(
Pages of an expander port: )" +
           joined(expanderPageNames()) + R"(
Script verbs (one a line; # starts a comment):
  page NAME|TITLE              activate a page by its name or its title
  click LABEL                  click a button, check box or radio button
  type LABEL TEXT              replace an edit's text as typed
  choose LABEL ENTRY           choose a combo or list-box entry by text or index
  select LABEL ROW[,ROW...]    select list rows (counted from 0)
  dblclick LABEL ENTRY         double-click a list-box entry or list row
  drag LABEL ROW               drag a row out of a list in item view
  apply, ok, cancel, refresh, help
                               the sheet's (or open dialog's) buttons
  answer yes|no|ok|cancel      the answer for the next message box
  wait MS                      let MS milliseconds pass with the event loop running
  dump                         print the window steps act in
  sheet main|N|CAPTION         act in the console's sheet (main, 0) or in a modeless
                               sheet a page opened beside it (N-th, or by caption)
Exit status:
  0  success
  1  a script step, a set or a read failed, an "Error" box was shown, or the agent
     does not answer
  2  bad usage: unknown options or pages, incomplete SNMPv3 options, unreadable
     scenario, state or script files, a module that does not load
)";
}

}  // namespace console
