#pragma once
// Reads the chassis tables (chasSlotTable, chasPortTable) through a page's CMibComm and
// loads them into a CNxChassisInfo. The page passes every completion and failure it receives
// to HasResponded; once both reads have answered, LoadChassisInfo fills the description.
//
// m_selector chooses the slots loaded: -1 every slot, otherwise only that slot number.

#include "framework/afx/wnd.h"
#include "framework/mib/mib_comm.h"
#include "framework/sw/nx_chassis_info.h"

class CChassisAccess : public CObject {
    DECLARE_DYNAMIC(CChassisAccess)
public:
    explicit CChassisAccess(CWnd* parent = nullptr);
    ~CChassisAccess() override;
    CChassisAccess(const CChassisAccess&) = delete;
    CChassisAccess& operator=(const CChassisAccess&) = delete;

    int m_selector = -1;

    void SetMibComm(CMibComm* comm);
    // Starts both reads (opening the requests the first time). FALSE if none could start.
    BOOL AccessChassis();
    // Accounts for a completion or failure of h; TRUE once both reads of the current round
    // have completed or failed (and h was one of them).
    BOOL HasResponded(int h);
    // Fills chassis from the reads that succeeded; FALSE when neither did, or when a row names
    // a slot or port beyond any chassis (chassis->LastError() says which).
    BOOL LoadChassisInfo(CNxChassisInfo* chassis);

    long slotRequest() const { return m_slotRequest; }
    long portRequest() const { return m_portRequest; }

private:
    struct Read {
        bool answered = false;
        bool succeeded = false;
    };
    void release();

    CMibComm* m_comm = nullptr;
    long m_slotRequest = 0;
    long m_portRequest = 0;
    Read m_slotRead;
    Read m_portRead;
};
