#pragma once
// CMibComm: the MIB access operations a page or dialog uses, over the request
// engine, bound to the sheet's CMibAgent. Completions go to the owner
// (CMibCommEvents) from the event loop; after SetOwner(nullptr), SetAgent
// (nullptr) or destruction nothing is delivered. Calls on a handle that is
// not open fail quietly (FALSE, 0, empty text); no call throws.

#include <memory>
#include <string>
#include <vector>

#include "framework/afx/collections.h"
#include "framework/afx/cstring.h"
#include "framework/afx/runtime_class.h"
#include "framework/afx/win_types.h"
#include "framework/afx/wnd.h"
#include "framework/mib/change_source.h"
#include "framework/mib/mib_comm_events.h"

class CMibAgent;

namespace mib {
class MibDictionary;
class RequestEngine;
}  // namespace mib

class CMibComm : public CWnd {
    DECLARE_DYNCREATE(CMibComm)
public:
    CMibComm();
    explicit CMibComm(CMibAgent* agent);
    ~CMibComm() override;

    void SetAgent(CMibAgent* agent);  // releases every request of the previous agent
    CMibAgent* GetAgent() const { return m_agent; }
    void SetOwner(CMibCommEvents* owner) { m_owner = owner; }
    CMibCommEvents* GetEventOwner() const { return m_owner; }

    // Requests. The table may be "": the variables name their tables.
    long OpenListRequest(long reserved, LPCTSTR table, CStringArray* names);
    long OpenRequest(long reserved, LPCTSTR table, const LPCTSTR* names, long count);
    void ReleaseRequest(long h);

    // Reads.
    void SetReload(long h, short reload);
    void SetInstance(long h, CUIntArray* instance);
    BOOL SetRowIndex(long h, CStringArray* index);
    BOOL RequestTable(long h);
    BOOL RequestRow(long h);
    long GetRowCount(long h);
    BOOL GotoRow(long h, long row);
    long GetInteger(long h, LPCTSTR var);
    CString GetString(long h, LPCTSTR var);
    // raw TRUE: numbers only (enumeration values, TimeTicks in hundredths).
    CString GetValueText(long h, LPCTSTR var, BOOL raw);
    long GetOctets(long h, LPCTSTR var, char* buffer, long size);
    long GetOctets(long h, LPCTSTR var, unsigned char* buffer, long size);
    BOOL IsPending(long h);
    // Of the completion of h being handled (or the last one): whether it ended a set, and
    // whether it ended a reading that polling started rather than one asked for.
    BOOL IsSetCompletion(long h);
    BOOL IsPolledCompletion(long h);
    long GetErrorCode(long h);
    // "<agent>: <cause>: <detail>", empty when the last operation succeeded.
    CString GetErrorText(long h);

    // Writes: staged values go out together in one SET.
    BOOL SetInteger(long h, LPCTSTR var, long value);
    BOOL SetString(long h, LPCTSTR var, LPCTSTR text);
    // Stages var = value for the row at instance, beside the values staged for the request's
    // own instance: rows of several tables go out in the next SendSet, as one SET.
    BOOL SetIntegerAt(long h, CUIntArray* instance, LPCTSTR var, long value);
    void SetReRead(long h, BOOL reRead);
    void SetUpdateOthers(long h, BOOL update);
    void SetSetDelay(long h, long milliseconds);
    BOOL SendSet(long h);

    // Polling: every `periods` polling periods of the agent (at least 1); on
    // TRUE starts it (first reading after one period), FALSE stops it.
    void SetPolling(long h, short periods, BOOL on);
    void StartPolling(long h, BOOL immediate);
    void StopPolling(long h);

    void SetRequestTag(long h, long tag);
    long GetRequestTag(long h);
    short GetTimeout(long h);
    void SetTimeout(long h, short seconds);
    short GetRetries(long h);
    void SetRetries(long h, short retries);

    // Definitions from the dictionary.
    short GetEnumCount(LPCTSTR var);
    CString GetEnumText(LPCTSTR var, short value);
    short GetEnumValue(LPCTSTR var, LPCTSTR text);  // -1 when unknown
    BOOL IsStringVariable(LPCTSTR var);

    // Who the journal names as the sender of this component's sets (the page's class).
    void SetChangeSource(mib::ChangeSource source);

    // For tests and the console.
    mib::RequestEngine* engine() { return m_engine.get(); }
    void agentSettingsChanged();

private:
    void completed(long h, bool succeeded);
    void trace(const char* operation, std::vector<std::string> arguments);
    const mib::MibDictionary& dictionary() const;

    CMibAgent* m_agent = nullptr;
    CMibCommEvents* m_owner = nullptr;
    std::unique_ptr<mib::RequestEngine> m_engine;
    mib::ChangeSource m_source;
};
