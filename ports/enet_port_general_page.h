#pragma once
// "General": who and what the selected Ethernet port is — the switch's address, slot and
// port, and the port's type name and description. The type comes from the chassis
// description, read through a chassis-access object on the page's own MIB access.

#include <memory>

#include "framework/sw/chassis_access.h"
#include "framework/sw/sw_base_prop_page.h"

class CEnetPortGeneralPage : public CSwBasePropPage {
    DECLARE_DYNCREATE(CEnetPortGeneralPage)
public:
    CEnetPortGeneralPage();
    ~CEnetPortGeneralPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL Refresh() override;
    void OnHelp() override;
    void CreateRequests() override;
    void ReleaseRequests() override;
    void OnRequestDone(int h) override;
    void OnError(int h) override;

    // The texts as shown.
    const CString& ipAddressText() const { return m_ipAddress; }
    const CString& slotText() const { return m_slotText; }
    const CString& portText() const { return m_portText; }
    const CString& portTypeText() const { return m_portType; }
    const CString& descriptionText() const { return m_description; }

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    void ShowTexts();

    std::unique_ptr<CChassisAccess> m_chassisAccess;
    std::unique_ptr<CNxChassisInfo> m_ownedChassisInfo;
    CString m_ipAddress;
    CString m_slotText;
    CString m_portText;
    CString m_portType;
    CString m_description;
};
