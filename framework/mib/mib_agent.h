#pragma once
// CMibAgent: the managed switch as the pages see it: its name, address,
// credentials, default timeout and retries, polling period, the transport
// that reaches it, the MIB dictionary and the trace of the calls made to it.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "framework/afx/event_loop.h"
#include "framework/afx/wnd.h"
#include "framework/mib/change_journal.h"
#include "framework/mib/mib_dictionary.h"
#include "framework/mib/mib_trace.h"
#include "framework/mib/transport.h"

class CMibComm;

class CMibAgent : public CWnd {
    DECLARE_DYNCREATE(CMibAgent)
public:
    CMibAgent();
    ~CMibAgent() override;

    CString GetAgentName() const { return m_agentName; }
    void SetAgentName(LPCTSTR name);
    // Default SNMP timeout (seconds) and retries of the requests opened afterwards.
    short GetTimeout() const { return m_timeout; }
    void SetTimeout(short seconds);
    short GetRetries() const { return m_retries; }
    void SetRetries(short retries);
    CString GetAddress() const { return m_address; }
    void SetAddress(LPCTSTR address);
    // Community or SNMPv3 secrets; kept for the transport, masked in the trace.
    void SetCredentials(LPCTSTR credentials);
    CString GetCredentials() const { return m_credentials; }
    // Milliseconds between two readings of a polled request (default 5000).
    long GetPollingPeriod() const { return m_pollingPeriodMs; }
    void SetPollingPeriod(long milliseconds);

    void SetTransport(std::shared_ptr<mib::Transport> transport);
    mib::Transport* GetTransport() const { return m_transport.get(); }
    // The builtin dictionary unless another is given (tests); it must outlive the agent.
    void SetDictionary(const mib::MibDictionary* dictionary);
    const mib::MibDictionary& GetDictionary() const;
    void SetEventLoop(afx::EventLoop* loop) { m_loop = loop; }
    afx::EventLoop& GetEventLoop() const { return m_loop ? *m_loop : afx::EventLoop::instance(); }
    mib::MibTrace& GetTrace() { return m_trace; }

    // Failed completions delivered to the agent's components so far.
    struct FailureCount {
        int sets = 0;
        int reads = 0;  // reads asked for
        int polledReads = 0;
    };
    const FailureCount& failureCount() const { return m_failures; }
    void countFailure(bool set, bool polled);
    // The latest time (event loop clock, ms) by which every pending request of the agent's
    // components ends; nullopt when none is pending.
    std::optional<std::int64_t> pendingDeadline() const;
    // Where every set is journaled (with a GET of its values before); none by default.
    void SetChangeJournal(std::shared_ptr<mib::ChangeJournal> journal);
    std::shared_ptr<mib::ChangeJournal> GetChangeJournal() const { return m_journal; }
    // On: every set is shown with its values before and after and sent only on Yes.
    void SetPreviewSets(bool on) { m_previewSets = on; }
    bool GetPreviewSets() const { return m_previewSets; }

    // CMibComm registers itself so that it stops using the transport when the agent goes.
    void attach(CMibComm* comm);
    void detach(CMibComm* comm);

private:
    void rebindAll();

    CString m_agentName;
    CString m_address;
    CString m_credentials;
    short m_timeout = 5;
    short m_retries = 1;
    long m_pollingPeriodMs = 5000;
    std::shared_ptr<mib::Transport> m_transport;
    const mib::MibDictionary* m_dictionary = nullptr;
    afx::EventLoop* m_loop = nullptr;
    mib::MibTrace m_trace;
    std::vector<CMibComm*> m_comms;
    FailureCount m_failures;
    std::shared_ptr<mib::ChangeJournal> m_journal;
    bool m_previewSets = false;
};
