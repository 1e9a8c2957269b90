#pragma once
// The console's options of the change journal: where it is, the preview of sets, and the
// two modes that read it (--history, --undo). They are taken out of the command line before
// the other options are parsed.

#include <optional>
#include <string>
#include <vector>

#include "console/console_options.h"

namespace console {

inline constexpr int kDefaultHistoryCount = 20;

struct JournalOptions {
    std::optional<std::string> path;  // --journal FILE; unset: the default path
    bool none = false;                // --journal none
    bool preview = false;
    std::optional<int> history;  // --history [N]
    std::optional<long> undo;    // --undo ID
};

// Removes the journal options from args into *out; false and *error on a bad value.
bool extractJournalOptions(std::vector<std::string>& args, JournalOptions* out, std::string* error);

// $XDG_STATE_HOME/swconsole/journal.jsonl, else ~/.local/state/swconsole/journal.jsonl;
// empty when neither variable is set.
std::string defaultJournalPath();

// How the journal names the agent the options reach: "udp:HOST:PORT", "sim[:SCENARIO]".
std::string journalAgentAddress(const AgentChoice& agent);

}  // namespace console
