// The dialog base over a switch that refuses every change: each refusal is told and the
// dialog stays to be applied again.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/afx/app.h"
#include "framework/afx/resources.h"
#include "framework/afx/ui_hook.h"
#include "framework/afx/window.h"
#include "framework/mib/in_process_transport.h"
#include "framework/sw/sw_base_dialog.h"

namespace {

constexpr UINT kDialogTemplate = 9201;
constexpr int IDC_DESCRIPTION = 1001;

class RefusingSwitch : public mib::PduHandler {
public:
    mib::ResponsePdu handle(const mib::RequestPdu& pdu) override {
        mib::ResponsePdu out;
        out.errorStatus = mib::ErrorStatus::NoAccess;
        out.errorIndex = 1;
        out.varbinds = pdu.varbinds;
        return out;
    }
};

class BoxCounter : public afx::UiDriver {
public:
    std::vector<afx::MessageBoxState> boxes;
    int answerMessageBox(const afx::MessageBoxState& box) override {
        boxes.push_back(box);
        return IDOK;
    }
};

class DescriptionDialog : public CSwBaseDialog {
public:
    DescriptionDialog() : CSwBaseDialog(kDialogTemplate) {}
    BOOL ApplyChanges() override {
        if (m_request == 0) {
            const LPCTSTR names[] = {"phyPortDescription"};
            m_request = m_mibComm->OpenRequest(0, "phyPortTable", names, 1);
        }
        CUIntArray instance;
        instance.Add(1);
        instance.Add(1);
        m_mibComm->SetInstance(m_request, &instance);
        m_mibComm->SetString(m_request, "phyPortDescription", "typed");
        m_mibComm->SendSet(m_request);
        SetDirty(FALSE);
        return TRUE;
    }
    long m_request = 0;
};

TEST(SwBaseDialog, EveryRefusedSetIsToldAndLeavesTheDialogToApplyAgain) {
    static const bool registered = [] {
        afx::DialogTemplate t;
        t.id = kDialogTemplate;
        t.caption = "Description";
        t.size = CSize(200, 100);
        t.controls.push_back({IDC_DESCRIPTION, afx::WindowClass::Edit, "", CRect(), 0});
        return afx::registerDialogTemplate(AfxGetInstanceHandle(), t);
    }();
    ASSERT_TRUE(registered);
    afx::EventLoop& loop = afx::EventLoop::instance();
    loop.useVirtualClock(true);
    RefusingSwitch refusing;
    BoxCounter driver;
    afx::UiDriver* previous = afx::setUiDriver(&driver);
    {
        CMibAgent agent;
        agent.SetAgentName("edge-3");
        agent.SetTransport(std::make_shared<mib::InProcessTransport>(refusing, loop));
        DescriptionDialog dialog;
        dialog.SetAgent(&agent);
        ASSERT_TRUE(dialog.Create(kDialogTemplate));
        const HWND apply = afx::windows().childById(dialog.m_hWnd, ID_APPLY_NOW);
        for (std::size_t attempt = 1; attempt <= 2; ++attempt) {
            dialog.SetDirty(TRUE);
            afx::windows().send(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(ID_APPLY_NOW, BN_CLICKED), 0);
            EXPECT_FALSE(dialog.IsDirty());
            loop.runUntilIdle();
            ASSERT_EQ(driver.boxes.size(), attempt);
            EXPECT_EQ(driver.boxes.back().caption, "Error");
            EXPECT_NE(driver.boxes.back().text.find("edge-3"), std::string::npos);
            EXPECT_TRUE(dialog.IsDirty()) << attempt;
            EXPECT_TRUE(afx::windows().find(apply)->enabled) << attempt;
        }
        EXPECT_EQ(agent.failureCount().sets, 2);
        dialog.DestroyWindow();
    }
    loop.runUntilIdle();
    afx::setUiDriver(previous);
    loop.useVirtualClock(false);
}

}  // namespace
