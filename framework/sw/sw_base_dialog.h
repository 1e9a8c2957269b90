#pragma once
// The base of the pages' modal dialogs. Its window is the dialog's template framed with
// Apply (ID_APPLY_NOW), Close (IDCLOSE) and Help (IDHELP) buttons, added unless the template
// has them: Apply calls ApplyChanges (enabled while the dialog is dirty), Close and Escape
// call AboutToClose and end the dialog with IDCANCEL, Help calls OnHelp. Completions and the
// wait cursor behave as for CSwBasePropPage.

#include <memory>

#include "framework/afx/dialog.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_comm.h"
#include "framework/sw/request_outcome_relay.h"

class CSwBaseDialog : public CDialog {
    DECLARE_DYNAMIC(CSwBaseDialog)
public:
    CSwBaseDialog(UINT templateId, CWnd* parent = nullptr);
    ~CSwBaseDialog() override;

    CMibAgent* m_agent = nullptr;
    CMibComm* m_mibComm = nullptr;  // the dialog's own, never NULL
    int m_slot = 0;
    int m_port = 0;
    int m_loaded = 0;

    void SetAgent(CMibAgent* agent);
    void SetDirty(BOOL dirty = TRUE);
    BOOL IsDirty() const { return m_dirty; }
    void CreateWaitCursor();
    // AboutToClose, then ends the dialog.
    void OnClose();

    virtual BOOL Refresh();
    virtual void OnRequestDone(int h);
    virtual void RequestData();
    virtual BOOL ApplyChanges();
    virtual void OnHelp();
    // As CSwBasePropPage::OnError: tells the failure (a polled reading once per streak),
    // keeps the dialog dirty after a failed set, then the wait cursor ends.
    virtual void OnError(int h);
    virtual void AboutToClose();
    virtual void SpecifyVPort(int slot, int port, int serviceType, int instance);

    BOOL Create(UINT templateId, CWnd* parent = nullptr) override;

    int m_serviceType = 0;  // from SpecifyVPort
    int m_instance = 0;

protected:
    void OnCancel() override;
    void OnOK() override;
    void OnApplyClicked();
    void OnHelpClicked() { OnHelp(); }

private:
    void addFrameButtons();

    BOOL m_dirty = FALSE;
    sw::RequestOutcomeRelay m_relay;
    std::unique_ptr<CMibComm> m_ownedComm;

    DECLARE_MESSAGE_MAP()
};
