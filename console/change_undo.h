#pragma once
// --undo ID: puts back the values before one journaled change, but only where the switch
// still holds the values that change wrote: one GET compares, one SET (journaled, naming
// the change it undoes) writes; a varbind changed since is named and nothing is sent.

#include <optional>
#include <ostream>
#include <string>

#include "console/journal_commands.h"

namespace console {

struct UndoFailure {
    int status;
    std::string message;
};

// The varbind as messages name it: "phyPortDescription 1.2".
std::string varbindLabel(const mib::JournalVarbind& vb);

std::optional<UndoFailure> undoChange(const ConsoleOptions& options,
                                      const mib::JournalChange& change, const ChangeSafety& safety,
                                      std::ostream& out);

}  // namespace console
