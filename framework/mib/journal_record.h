#pragma once
// The records of the change journal as JSON Lines: a change (its varbinds with the values
// before and sent) and, on a later line, its outcome; and the texts history and preview
// show of them.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "framework/mib/change_source.h"
#include "framework/mib/mib_dictionary.h"
#include "framework/mib/snmp_types.h"

namespace mib {

struct JournalVarbind {
    std::string name;      // the dictionary's name, empty when the OID is not in it
    std::string instance;  // "1.2"; "0" for scalars
    Oid oid;
    std::optional<Value> before;  // nullopt: could not be read (see beforeNote)
    Value sent;
};

struct SetOutcome {
    bool answered = false;  // false: no answer (timeout, send or decode failure)
    ErrorStatus errorStatus = ErrorStatus::NoError;
    int errorIndex = 0;
    std::string detail;  // why there was no answer
};

struct JournalChange {
    long id = 0;
    std::string time;  // UTC, ISO 8601
    std::string agentName;
    std::string agentAddress;
    std::string user;
    ChangeSource source;
    std::string beforeNote;  // why no value before was read, when none was
    std::vector<JournalVarbind> varbinds;
    std::optional<SetOutcome> outcome;  // nullopt: sent, outcome unknown
    std::string outcomeTime;
};

// What a read of the journal found; warnings name the line of anything skipped.
struct JournalContents {
    std::vector<JournalChange> changes;  // in file order
    std::vector<std::string> warnings;
    const JournalChange* find(long id) const;
};

// Per varbind asked, the value an answer to a GET gives (an exception when the agent has
// none), or nullopt for all with *note when the GET was refused as a whole.
std::vector<std::optional<Value>> valuesBefore(const ResponsePdu& response,
                                               const std::vector<VarBind>& asked,
                                               std::string* note);

JournalContents parseJournal(std::istream& in);

// Short texts for history and preview: "disabled(2)", "\"Lab printer\"", "(none)".
std::string describeJournalValue(const MibDictionary& dictionary, const JournalVarbind& vb,
                                 const std::optional<Value>& value);
std::string describeOutcome(const JournalChange& change);

// One line each, without the line end.
std::string changeLine(const JournalChange& change, const MibDictionary& dictionary);
std::string outcomeLine(long id, const SetOutcome& outcome);
// The id of a change line; 0 for any other line.
long changeIdOfLine(const std::string& line);
// Now, as records give their time.
std::string journalTimeNow();

}  // namespace mib
