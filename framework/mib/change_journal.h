#pragma once
// The change journal: every SET the component sends, as JSON Lines appended to one file.
// A change is written and synced before its SET leaves, its outcome appended once known,
// so a change that reached the switch is never lost to a crash. Records carry no community,
// pass phrase or key: only the agent's name and address, the operating-system user, the
// page, and per varbind its name, instance, OID, value before and value sent.
//
// Several consoles may share a file: appends are locked, ids are taken under the lock.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/mib/journal_record.h"

namespace mib {

// Empty contents when the file does not exist; *error when it exists but cannot be read.
JournalContents readJournal(const std::string& path, std::string* error);

class ChangeJournal {
public:
    // Opens path for appending, creating the file (not its folder); nullptr and *error when
    // it cannot be written.
    static std::shared_ptr<ChangeJournal> open(const std::string& path, std::string* error);
    ~ChangeJournal();
    ChangeJournal(const ChangeJournal&) = delete;
    ChangeJournal& operator=(const ChangeJournal&) = delete;

    const std::string& path() const { return m_path; }
    // The address records name the agent by (the console's target, "udp:HOST:PORT").
    void setAgentAddress(std::string address) { m_agentAddress = std::move(address); }
    const std::string& agentAddress() const { return m_agentAddress; }

    // Appends change (id, time, user and address filled in here) and syncs it; the new id,
    // or 0 and *error: the change must then not be sent.
    long recordChange(JournalChange& change, const MibDictionary& dictionary, std::string* error);
    // Written, not synced: an outcome lost with the machine reads as "outcome unknown",
    // which is what it then is.
    bool recordOutcome(long id, const SetOutcome& outcome, std::string* error);

private:
    ChangeJournal(int fd, std::string path);
    // Under the file lock: learns the ids others appended, then writes the line made for
    // the next id (and syncs it when asked).
    bool append(const std::function<std::string(long nextId)>& makeLine, long* idOut, bool sync,
                std::string* error);
    void learnIds(std::int64_t to);

    int m_fd = -1;
    std::string m_path;
    std::string m_agentAddress;
    std::string m_user;
    long m_lastId = 0;
    std::int64_t m_known = 0;  // bytes of the file whose ids are in m_lastId
};

}  // namespace mib
