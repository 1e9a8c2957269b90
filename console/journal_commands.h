#pragma once
// The console's part in safe changes: the journal and preview a session's agent gets, and
// the two commands that read the journal: --history lists the last changes of the agent,
// --undo puts one change back where the switch still holds what it wrote.

#include <memory>

#include "console/console_options.h"
#include "console/console_session.h"
#include "console/journal_options.h"
#include "framework/mib/change_journal.h"

class CMibAgent;

namespace console {

struct ChangeSafety {
    std::shared_ptr<mib::ChangeJournal> journal;  // nullptr with --journal none
    bool preview = false;
    void applyTo(CMibAgent& agent) const;
};

// Opens the journal the options name (creating the default one's folder); false and *error
// when it cannot be written, so that no set is ever sent unjournaled.
bool prepareChangeSafety(const JournalOptions& journal, const AgentChoice& agent, ChangeSafety* out,
                         std::string* error);

// --history or --undo; the exit status, messages written to env.
int runJournalCommand(const ConsoleOptions& options, const JournalOptions& journal,
                      SessionEnvironment& env);

}  // namespace console
