#include "console/journal_options.h"

#include <charconv>
#include <cstdlib>

namespace console {

namespace {

bool parseWhole(const std::string& text, long* out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, *out);
    return !text.empty() && ec == std::errc() && ptr == end;
}

}  // namespace

bool extractJournalOptions(std::vector<std::string>& args, JournalOptions* out,
                           std::string* error) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string name = arg;
        std::optional<std::string> value;
        if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        const bool ours =
            name == "--journal" || name == "--preview" || name == "--history" || name == "--undo";
        if (!ours) {
            rest.push_back(arg);
            // The value of another option is never taken for one of ours.
            if (optionTakesValue(arg) && i + 1 < args.size()) {
                rest.push_back(args[++i]);
            }
            continue;
        }
        if (name == "--preview") {
            if (value) {
                *error = "--preview takes no value";
                return false;
            }
            out->preview = true;
        } else if (name == "--history") {
            // The count is optional: only a number after --history is taken as it.
            long count = kDefaultHistoryCount;
            if (!value && i + 1 < args.size() && parseWhole(args[i + 1], &count)) {
                value = args[++i];
            }
            if (value && (!parseWhole(*value, &count) || count < 1 || count > 1000000)) {
                *error = "--history: expected a count of changes from 1";
                return false;
            }
            out->history = static_cast<int>(count);
        } else {
            if (!value) {
                if (i + 1 >= args.size()) {
                    *error = "option " + name + " needs a value";
                    return false;
                }
                value = args[++i];
            }
            if (name == "--journal") {
                if (value->empty()) {
                    *error = "--journal: the file name is empty";
                    return false;
                }
                out->none = *value == "none";
                out->path = out->none ? std::nullopt : value;
            } else {
                long id = 0;
                if (!parseWhole(*value, &id) || id < 1) {
                    *error = "--undo: expected the number of a change (see --history)";
                    return false;
                }
                out->undo = id;
            }
        }
    }
    if (out->history && out->undo) {
        *error = "--history and --undo cannot be given together";
        return false;
    }
    if (out->none && (out->history || out->undo)) {
        *error = std::string(out->history ? "--history" : "--undo") +
                 " reads the change journal: give --journal FILE, not none";
        return false;
    }
    args = std::move(rest);
    return true;
}

std::string defaultJournalPath() {
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string base;
    if (state != nullptr && state[0] == '/') {
        base = state;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        base = std::string(home) + "/.local/state";
    } else {
        return {};
    }
    return base + "/swconsole/journal.jsonl";
}

std::string journalAgentAddress(const AgentChoice& agent) {
    if (agent.kind == AgentChoice::Kind::Snmp) {
        return agent.snmp.address;
    }
    return agent.scenarioPath.empty() ? "sim" : "sim:" + agent.scenarioPath;
}

}  // namespace console
