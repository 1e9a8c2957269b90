#pragma once
// "General" of an expander port: the switch's address, the port number and the port's type
// name, the type taken from the chassis contents value the page reads from the switch.

#include <memory>

#include "framework/sw/sw_base_prop_page.h"

class CExpPortGeneralPage : public CSwBasePropPage {
    DECLARE_DYNCREATE(CExpPortGeneralPage)
public:
    CExpPortGeneralPage();
    ~CExpPortGeneralPage() override;

    BOOL OnInitDialog() override;
    void CreateRequests() override;
    BOOL OnSetActive() override;
    BOOL Refresh() override;
    void OnRequestDone(int h) override;
    void ReleaseRequests() override;
    void OnHelp() override;

    // The largest chassis contents value the page passes on.
    static constexpr int kContentsBufferSize = CNxChassisInfo::kMaxContentsLength;

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    // Loads the value just read; false (after telling the operator why) when it is unusable.
    bool loadContents();

    long m_request = 0;
    std::unique_ptr<CNxChassisInfo> m_ownChassisInfo;
    CString m_portText;
    CString m_portTypeText;
    CString m_addressText;
};
