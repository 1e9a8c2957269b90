#include "framework/afx/dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/afx/app.h"
#include "framework/afx/ddx.h"
#include "framework/afx/event_loop.h"
#include "framework/afx/fault.h"
#include "framework/afx/ui_hook.h"

namespace {

using afx::ControlTemplate;
using afx::DialogTemplate;
using afx::WindowClass;

constexpr int kName = 100;
constexpr int kNumber = 101;
constexpr int kCount = 102;
constexpr int kEnabled = 103;
constexpr int kRadio0 = 104;
constexpr int kRadio1 = 105;
constexpr int kRadio2 = 106;
constexpr int kMode = 107;
constexpr int kList = 108;
constexpr int kDone = 109;
constexpr int kMissing = 999;

// Each test uses its own template ids: the registries live for the whole process.
DialogTemplate formTemplate(int id) {
    return DialogTemplate{id,
                          "Form",
                          CSize(200, 100),
                          {
                              {kName, WindowClass::Edit, "", CRect(), 0},
                              {kNumber, WindowClass::Edit, "", CRect(), 0},
                              {kCount, WindowClass::Edit, "", CRect(), 0},
                              {kEnabled, WindowClass::CheckBox, "Enabled", CRect(), 0},
                              {kRadio0, WindowClass::RadioButton, "A", CRect(), afx::style::kGroup},
                              {kRadio1, WindowClass::RadioButton, "B", CRect(), 0},
                              {kRadio2, WindowClass::RadioButton, "C", CRect(), 0},
                              {kMode, WindowClass::ComboBox, "", CRect(), afx::style::kGroup},
                              {kList, WindowClass::ListView, "", CRect(), afx::style::kReport},
                              {kDone, WindowClass::PushButton, "Done", CRect(), 0},
                              {IDOK, WindowClass::PushButton, "OK", CRect(), 0},
                              {IDC_STATIC, WindowClass::Static, "Name:", CRect(), 0},
                              {IDC_STATIC, WindowClass::Static, "Number:", CRect(), 0},
                          }};
}

// Answers message boxes from a script and records them; can act inside modal loops.
class ScriptedDriver : public afx::UiDriver {
public:
    std::vector<afx::MessageBoxState> boxes;
    std::vector<int> answers;
    std::function<void(HWND)> onModal;
    int answerMessageBox(const afx::MessageBoxState& box) override {
        boxes.push_back(box);
        if (answers.empty()) {
            return afx::defaultMessageBoxAnswer(box.style);
        }
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void modalLoopStarted(HWND dialog) override {
        if (onModal) {
            onModal(dialog);
        }
    }
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousFault =
            afx::setFaultHandler([this](const std::string& m) { faults.push_back(m); });
        m_previousDriver = afx::setUiDriver(&driver);
        afx::EventLoop::instance().useVirtualClock(true);
    }
    void TearDown() override {
        afx::EventLoop::instance().runUntilIdle();
        afx::setUiDriver(m_previousDriver);
        afx::setFaultHandler(m_previousFault);
    }
    static int nextTemplateId() {
        static int id = 5000;
        return id++;
    }

    std::vector<std::string> faults;
    ScriptedDriver driver;

private:
    afx::FaultHandler m_previousFault;
    afx::UiDriver* m_previousDriver = nullptr;
};

class FormDialog : public CDialog {
public:
    explicit FormDialog(UINT id, CWnd* parent = nullptr) : CDialog(id, parent) {}
    CString m_name;
    int m_number = 0;
    UINT m_count = 0;
    int m_enabled = 0;
    int m_choice = -1;
    CComboBox m_mode;
    CListCtrl m_list;
    int doneClicks = 0;
    std::vector<std::pair<int, UINT>> itemChanges;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, kMode, m_mode);
        DDX_Control(dx, kList, m_list);
        DDX_Text(dx, kName, m_name);
        DDV_MaxChars(dx, m_name, 8);
        DDX_Text(dx, kNumber, m_number);
        DDX_Text(dx, kCount, m_count);
        DDX_Check(dx, kEnabled, m_enabled);
        DDX_Radio(dx, kRadio0, m_choice);
    }
    void OnDone() {
        ++doneClicks;
        EndDialog(kDone);
    }
    void OnListChanged(NMHDR* hdr, LRESULT* result) {
        const auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
        itemChanges.emplace_back(nm->iItem, nm->uNewState);
        *result = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FormDialog, CDialog)
ON_BN_CLICKED(kDone, &FormDialog::OnDone)
ON_NOTIFY(LVN_ITEMCHANGED, kList, &FormDialog::OnListChanged)
END_MESSAGE_MAP()

TEST_F(DialogTest, DataExchangeRoundTripsAndValidates) {
    const int id = nextTemplateId();
    ASSERT_TRUE(afx::registerDialogTemplate(AfxGetInstanceHandle(), formTemplate(id)));
    FormDialog dialog(static_cast<UINT>(id));
    dialog.m_name = "port";
    dialog.m_number = 42;
    dialog.m_choice = 1;
    ASSERT_TRUE(dialog.Create(static_cast<UINT>(id)));
    auto item = [&](int ctl) { return dialog.GetDlgItem(ctl)->m_hWnd; };

    CString text;
    dialog.GetDlgItemText(kNumber, text);
    EXPECT_EQ(text, "42");
    EXPECT_EQ(dialog.IsDlgButtonChecked(kRadio1), 1u);
    EXPECT_EQ(dialog.m_mode.m_hWnd, item(kMode));  // attached by DDX_Control
    EXPECT_EQ(CWnd::FromHandle(item(kMode)), &dialog.m_mode);

    // Out: the limit stops typing at 8 characters.
    afx::operatorType(item(kName), "abcdefghijk");
    dialog.GetDlgItemText(kName, text);
    EXPECT_EQ(text, "abcdefgh");

    struct NumberCase {
        const char* typed;
        int asInt;
        UINT asUint;
    };
    for (const NumberCase& c : std::vector<NumberCase>{
             {"123abc", 123, 123}, {"abc", 0, 0}, {"", 0, 0}, {" 7", 7, 7}, {"-5", -5, 0}}) {
        afx::operatorType(item(kNumber), c.typed);
        afx::operatorType(item(kCount), c.typed);
        ASSERT_TRUE(dialog.UpdateData(TRUE)) << c.typed;
        EXPECT_EQ(dialog.m_number, c.asInt) << c.typed;
        EXPECT_EQ(dialog.m_count, c.asUint) << c.typed;
    }

    afx::operatorClick(item(kRadio2));
    afx::operatorClick(item(kEnabled));
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_choice, 2);
    EXPECT_EQ(dialog.m_enabled, 1);
    dialog.m_choice = -1;
    dialog.UpdateData(FALSE);
    EXPECT_EQ(dialog.GetCheckedRadioButton(kRadio0, kRadio2), 0);

    // In: a longer text set by code fails the exchange with the standard message.
    dialog.SetDlgItemText(kName, "much too long");
    dialog.m_number = 0;
    afx::operatorType(item(kNumber), "9");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    ASSERT_EQ(driver.boxes.size(), 1u);
    EXPECT_EQ(driver.boxes[0].text, "Please enter no more than 8 characters.");
    EXPECT_EQ(driver.boxes[0].style, MB_ICONEXCLAMATION);
    EXPECT_EQ(driver.boxes[0].caption, afx::applicationName());
    EXPECT_EQ(dialog.m_number, 0);  // later exchanges of the failed pass did nothing
    EXPECT_EQ(afx::windows().focus(), item(kName));
    EXPECT_TRUE(faults.empty());
}

class MissingControlPage : public CPropertyPage {
public:
    explicit MissingControlPage(UINT id) : CPropertyPage(id) {}
    CEdit m_missing;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, kMissing, m_missing); }
};

TEST_F(DialogTest, ControlsTheTemplateLacksAndDuplicateIdsFailLoudly) {
    const int id = nextTemplateId();
    ASSERT_TRUE(afx::registerDialogTemplate(AfxGetInstanceHandle(), formTemplate(id)));
    MissingControlPage page(static_cast<UINT>(id));
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&page);
    sheet.Create();
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_THAT(faults[0], ::testing::HasSubstr(std::to_string(id)));
    EXPECT_THAT(faults[0], ::testing::HasSubstr("999"));
    faults.clear();
    EXPECT_EQ(page.GetDlgItem(kMissing), nullptr);
    ASSERT_EQ(faults.size(), 1u);

    faults.clear();
    DialogTemplate twice = formTemplate(nextTemplateId());
    twice.controls.push_back({kName, WindowClass::Edit, "", CRect(), 0});
    EXPECT_FALSE(afx::registerDialogTemplate(AfxGetInstanceHandle(), twice));
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_THAT(faults[0], ::testing::HasSubstr("100"));
    EXPECT_EQ(afx::findDialogTemplate(twice.id), nullptr);
}

TEST_F(DialogTest, ModalLoopsWithDriverNestAndEndFromInside) {
    const int id = nextTemplateId();
    ASSERT_TRUE(afx::registerDialogTemplate(AfxGetInstanceHandle(), formTemplate(id)));
    FormDialog outer(static_cast<UINT>(id));
    FormDialog inner(static_cast<UINT>(id), &outer);
    std::vector<std::string> trace;
    INT_PTR innerResult = 0;
    driver.onModal = [&](HWND dialog) {
        if (dialog == outer.m_hWnd) {
            trace.push_back("outer");
            afx::operatorType(outer.GetDlgItem(kName)->m_hWnd, "typed");
            // The inner dialog runs to its end inside the outer's loop.
            innerResult = inner.DoModal();
            trace.push_back("outer resumes");
            EXPECT_TRUE(outer.IsWindowEnabled());
            afx::operatorClick(outer.GetDlgItem(IDOK)->m_hWnd);
        } else {
            trace.push_back("inner");
            EXPECT_FALSE(outer.IsWindowEnabled());  // the owner is disabled meanwhile
            afx::operatorClick(inner.GetDlgItem(kDone)->m_hWnd);
        }
    };
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(innerResult, kDone);
    EXPECT_EQ(inner.doneClicks, 1);
    EXPECT_EQ(outer.m_name, "typed");  // OnOK took the data
    EXPECT_EQ(trace, (std::vector<std::string>{"outer", "inner", "outer resumes"}));
    EXPECT_FALSE(IsWindow(outer.m_hWnd));
    EXPECT_FALSE(IsWindow(inner.m_hWnd));
}

// Timers, posted private messages and handler-table chaining.
class BaseWindow : public CWnd {
public:
    std::vector<std::string> calls;

protected:
    void OnDone() { calls.push_back("base done"); }
    void OnBaseOnly() { calls.push_back("base only"); }
    LRESULT OnPrivate(WPARAM w, LPARAM) {
        calls.push_back("base private " + std::to_string(w));
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWindow, CWnd)
ON_BN_CLICKED(kDone, &BaseWindow::OnDone)
ON_BN_CLICKED(kName, &BaseWindow::OnBaseOnly)
ON_MESSAGE(WM_USER + 102, &BaseWindow::OnPrivate)
END_MESSAGE_MAP()

class DerivedWindow : public BaseWindow {
public:
    int ticks = 0;
    UINT_PTR lastTimer = 0;
    void OnTimer(UINT_PTR id) {
        lastTimer = id;
        if (++ticks == 3) {
            KillTimer(id);
        }
    }

protected:
    void OnDone() { calls.push_back("derived done"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWindow, BaseWindow)
ON_BN_CLICKED(kDone, &DerivedWindow::OnDone)
ON_WM_TIMER()
END_MESSAGE_MAP()

TEST_F(DialogTest, HandlerTablesChainTimersAndPostedMessages) {
    DerivedWindow window;
    window.Create(nullptr, "w", 0, CRect(), nullptr, 0);
    HWND done =
        afx::windows().create(WindowClass::PushButton, window.m_hWnd, kDone, "", 0, CRect());
    HWND other =
        afx::windows().create(WindowClass::PushButton, window.m_hWnd, kName, "", 0, CRect());
    afx::operatorClick(done);
    afx::operatorClick(other);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"derived done", "base only"}));

    window.calls.clear();
    EXPECT_TRUE(window.PostMessage(WM_USER + 102, 7, 0));
    EXPECT_TRUE(window.calls.empty());  // posted: runs from the loop
    afx::EventLoop::instance().runUntilIdle();
    EXPECT_EQ(window.calls, (std::vector<std::string>{"base private 7"}));
    EXPECT_EQ(window.SendMessage(WM_USER + 102, 8, 0), 1);

    auto& loop = afx::EventLoop::instance();
    window.SetTimer(5, 1000);
    loop.advance(999);
    EXPECT_EQ(window.ticks, 0);
    loop.advance(1);
    EXPECT_EQ(window.ticks, 1);
    EXPECT_EQ(window.lastTimer, 5u);
    loop.advance(5000);
    EXPECT_EQ(window.ticks, 3);  // killed from its own handler at the third tick

    window.SetTimer(6, 100);
    window.PostMessage(WM_USER + 102, 9, 0);
    window.DestroyWindow();  // timers and queued messages of a gone window are dropped
    loop.advance(1000);
    EXPECT_EQ(window.ticks, 3);
    EXPECT_EQ(window.calls.size(), 2u);
}

// Resource lookup: the current resource handle first, then the chain, then the host.
TEST_F(DialogTest, TemplateLookupFollowsResourceHandleThenChain) {
    const int shared = nextTemplateId();
    const int onlyInB = nextTemplateId();
    HINSTANCE a = afx::createModuleHandle("module-a");
    HINSTANCE b = afx::createModuleHandle("module-b");
    auto named = [](int id, const char* caption) {
        return DialogTemplate{id, caption, CSize(10, 10), {}};
    };
    ASSERT_TRUE(afx::registerDialogTemplate(a, named(shared, "from A")));
    ASSERT_TRUE(afx::registerDialogTemplate(b, named(shared, "from B")));
    ASSERT_TRUE(afx::registerDialogTemplate(b, named(onlyInB, "only B")));

    const HINSTANCE saved = AfxGetResourceHandle();
    EXPECT_EQ(afx::findDialogTemplate(shared), nullptr);  // neither module joined yet

    AFX_EXTENSION_MODULE moduleA;
    AFX_EXTENSION_MODULE moduleB;
    AfxInitExtensionModule(moduleA, a);
    AfxInitExtensionModule(moduleB, b);
    {
        CDynLinkLibrary joinA(moduleA);
        CDynLinkLibrary joinB(moduleB);
        EXPECT_EQ(afx::findDialogTemplate(shared)->caption, "from A");  // chain order
        AfxSetResourceHandle(b);
        EXPECT_EQ(afx::findDialogTemplate(shared)->caption, "from B");  // current first
        AfxSetResourceHandle(a);
        EXPECT_EQ(afx::findDialogTemplate(onlyInB)->caption, "only B");  // then the chain

        // A page remembers where its template was when it was made.
        CPropertyPage page(static_cast<UINT>(shared));
        EXPECT_EQ(page.m_caption, "from A");
        AfxSetResourceHandle(b);
        CPropertySheet sheet("S");
        sheet.AddPage(&page);
        sheet.Create();
        CString caption;
        page.GetWindowText(caption);
        EXPECT_EQ(caption, "from A");
    }
    AfxSetResourceHandle(saved);
    EXPECT_EQ(afx::findDialogTemplate(onlyInB), nullptr);  // left the chain
}

class CountingPage : public CPropertyPage {
public:
    explicit CountingPage(UINT id) : CPropertyPage(id) {}
    int activations = 0;
    int applies = 0;
    BOOL refuseLeave = FALSE;
    BOOL OnSetActive() override {
        ++activations;
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override { return refuseLeave ? FALSE : CPropertyPage::OnKillActive(); }
    BOOL OnApply() override {
        ++applies;
        return TRUE;
    }
};

TEST_F(DialogTest, PropertySheetCreatesPagesOnFirstActivationAndAppliesThem) {
    const int id = nextTemplateId();
    ASSERT_TRUE(afx::registerDialogTemplate(AfxGetInstanceHandle(), formTemplate(id)));
    CountingPage first(static_cast<UINT>(id));
    CountingPage second(static_cast<UINT>(id));
    CountingPage never(static_cast<UINT>(id));
    CPropertySheet sheet("Ports");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.AddPage(&never);
    driver.onModal = [&](HWND) {
        EXPECT_EQ(first.activations, 1);
        EXPECT_FALSE(IsWindow(second.m_hWnd));
        EXPECT_FALSE(afx::windows().find(sheet.buttonHandle(ID_APPLY_NOW))->enabled);
        first.refuseLeave = TRUE;
        EXPECT_FALSE(sheet.SetActivePage(1));
        first.refuseLeave = FALSE;
        EXPECT_TRUE(sheet.SetActivePage(1));
        EXPECT_FALSE(first.IsWindowVisible());
        EXPECT_TRUE(second.IsWindowVisible());
        second.SetModified(TRUE);
        EXPECT_TRUE(afx::windows().find(sheet.buttonHandle(ID_APPLY_NOW))->enabled);
        afx::operatorClick(sheet.buttonHandle(ID_APPLY_NOW));
        EXPECT_FALSE(afx::windows().find(sheet.buttonHandle(ID_APPLY_NOW))->enabled);
        afx::operatorClick(sheet.buttonHandle(IDOK));
    };
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(first.applies, 2);
    EXPECT_EQ(second.applies, 2);
    EXPECT_EQ(never.applies, 0);
    EXPECT_FALSE(IsWindow(sheet.m_hWnd));
}

TEST_F(DialogTest, SheetTabsAndModalStateAreRecordStateAndTabClicksAreOperatorActions) {
    const int id = nextTemplateId();
    ASSERT_TRUE(afx::registerDialogTemplate(AfxGetInstanceHandle(), formTemplate(id)));
    CountingPage first(static_cast<UINT>(id));
    CountingPage second(static_cast<UINT>(id));
    CPropertySheet sheet("Ports");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    std::vector<afx::ActionResult> clicks;
    driver.onModal = [&](HWND hwnd) {
        const afx::WindowRecord* r = afx::windows().find(hwnd);
        EXPECT_EQ(r->modal, afx::ModalState::Running);
        EXPECT_EQ(r->tabs, (std::vector<std::string>{"Form", "Form"}));
        EXPECT_EQ(r->activeTab, 0);
        first.refuseLeave = TRUE;
        clicks.push_back(afx::operatorActivateTab(hwnd, 1));
        first.refuseLeave = FALSE;
        clicks.push_back(afx::operatorActivateTab(hwnd, 2));
        clicks.push_back(afx::operatorActivateTab(hwnd, 1));
        EXPECT_EQ(r->activeTab, 1);
        EXPECT_EQ(second.activations, 1);
        afx::windows().setEnabled(hwnd, false);
        clicks.push_back(afx::operatorActivateTab(hwnd, 0));
        afx::windows().setEnabled(hwnd, true);
        sheet.EndDialog(IDCANCEL);
        EXPECT_EQ(r->modal, afx::ModalState::Ended);
    };
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    ASSERT_EQ(clicks.size(), 4u);
    EXPECT_EQ(clicks[0].reason, afx::Refusal::Declined) << "the page kept the focus";
    EXPECT_EQ(clicks[1].reason, afx::Refusal::OutOfRange);
    EXPECT_TRUE(clicks[2]);
    EXPECT_EQ(clicks[3].reason, afx::Refusal::Disabled);
}

TEST_F(DialogTest, AModalDialogRunsThroughTheDriversModalEntryWithItsOwnerDisabled) {
    const int id = nextTemplateId();
    ASSERT_TRUE(afx::registerDialogTemplate(AfxGetInstanceHandle(), formTemplate(id)));
    struct LoopOwner : ScriptedDriver {
        std::vector<bool> ownerEnabled;
        HWND owner = nullptr;
        bool runModal(HWND dialog, const std::function<bool()>& ended) override {
            ownerEnabled.push_back(afx::windows().find(owner)->enabled);
            // Another loop's turn: the dialog is ended by something it runs.
            afx::EventLoop::instance().post([dialog] {
                afx::windows().send(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            });
            afx::EventLoop::instance().runUntilIdle();
            return ended();
        }
    } loopOwner;
    afx::setUiDriver(&loopOwner);
    CDialog owner(static_cast<UINT>(id));
    ASSERT_TRUE(owner.Create(static_cast<UINT>(id)));
    loopOwner.owner = owner.m_hWnd;
    CDialog dialog(static_cast<UINT>(id), &owner);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_THAT(loopOwner.ownerEnabled, ::testing::ElementsAre(false));
    EXPECT_TRUE(owner.IsWindowEnabled());
    afx::setUiDriver(&driver);
}

// Two radio groups, a combo and a digits-only edit made so by its wrapper.
constexpr int kSpeed0 = 120;
constexpr int kSpeed1 = 121;
constexpr int kDuplex0 = 122;
constexpr int kDuplex1 = 123;
constexpr int kDigits = 124;

class DigitsEdit : public CEdit {
public:
    int attached = 0;

protected:
    void PreSubclassWindow() override {
        ++attached;
        ModifyStyle(0, afx::style::kDigitsOnly);
    }
};

class ChoicesDialog : public CDialog {
public:
    explicit ChoicesDialog(UINT id) : CDialog(id) {}
    int speed = -1;
    int duplex = -1;
    int mode = -1;
    UINT count = 0;
    long offset = 0;
    DigitsEdit digits;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Radio(dx, kSpeed0, speed);
        DDX_Radio(dx, kDuplex0, duplex);
        DDX_CBIndex(dx, kMode, mode);
        DDX_Text(dx, kCount, count);
        DDX_Text(dx, kNumber, offset);
        DDX_Control(dx, kDigits, digits);
    }
};

DialogTemplate choicesTemplate(int id) {
    using afx::style::kGroup;
    return DialogTemplate{id,
                          "Choices",
                          CSize(200, 100),
                          {
                              {kSpeed0, WindowClass::RadioButton, "10", CRect(), kGroup},
                              {kSpeed1, WindowClass::RadioButton, "100", CRect(), 0},
                              {kDuplex0, WindowClass::RadioButton, "Half", CRect(), kGroup},
                              {kDuplex1, WindowClass::RadioButton, "Full", CRect(), 0},
                              {kMode, WindowClass::ComboBox, "", CRect(), kGroup},
                              {kCount, WindowClass::Edit, "", CRect(), 0},
                              {kNumber, WindowClass::Edit, "", CRect(), 0},
                              {kDigits, WindowClass::Edit, "", CRect(), 0},
                          }};
}

TEST_F(DialogTest, RadioGroupsComboIndexAndNumbersExchangeIndependently) {
    const int id = nextTemplateId();
    ASSERT_TRUE(afx::registerDialogTemplate(AfxGetInstanceHandle(), choicesTemplate(id)));
    ChoicesDialog dialog(static_cast<UINT>(id));
    dialog.speed = 1;
    dialog.duplex = 0;
    ASSERT_TRUE(dialog.Create(static_cast<UINT>(id)));
    auto checked = [&](int ctl) { return dialog.IsDlgButtonChecked(ctl) == BST_CHECKED; };
    auto hwnd = [&](int ctl) { return dialog.GetDlgItem(ctl)->m_hWnd; };
    EXPECT_TRUE(checked(kSpeed1));
    EXPECT_FALSE(checked(kSpeed0));
    EXPECT_TRUE(checked(kDuplex0));  // the second group is not the first's third button

    // -1 out clears its group only; nothing checked reads back as -1.
    dialog.speed = -1;
    dialog.UpdateData(FALSE);
    EXPECT_FALSE(checked(kSpeed0) || checked(kSpeed1));
    EXPECT_TRUE(checked(kDuplex0));
    ASSERT_TRUE(afx::operatorClick(hwnd(kDuplex1)));
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.speed, -1);
    EXPECT_EQ(dialog.duplex, 1);

    auto* combo = static_cast<CComboBox*>(dialog.GetDlgItem(kMode));
    combo->AddString("auto");
    combo->AddString("forced");
    dialog.mode = 1;
    dialog.UpdateData(FALSE);
    EXPECT_EQ(combo->GetCurSel(), 1);
    ASSERT_TRUE(afx::operatorChoose(hwnd(kMode), 0));
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.mode, 0);
    dialog.mode = -1;
    dialog.UpdateData(FALSE);
    EXPECT_EQ(combo->GetCurSel(), -1);
    dialog.mode = 5;
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.mode, -1);

    // Numbers: an unsigned member takes no sign; a long one does.
    ASSERT_TRUE(afx::operatorType(hwnd(kCount), "-5"));
    ASSERT_TRUE(afx::operatorType(hwnd(kNumber), " -12ab"));
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.count, 0u);
    EXPECT_EQ(dialog.offset, -12);
    dialog.count = 4000000000u;
    dialog.offset = -3000000000L;
    dialog.UpdateData(FALSE);
    CString text;
    dialog.GetDlgItemText(kCount, text);
    EXPECT_EQ(text, "4000000000");
    dialog.GetDlgItemText(kNumber, text);
    EXPECT_EQ(text, "-3000000000");

    // The wrapper gave its edit its behaviour when DDX_Control attached it, once.
    EXPECT_EQ(dialog.digits.attached, 1);
    ASSERT_TRUE(afx::operatorType(hwnd(kDigits), "1a2"));
    CString digits;
    dialog.digits.GetWindowText(digits);
    EXPECT_EQ(digits, "12");
    EXPECT_EQ(dialog.digits.attached, 1);
}

// Records the loop hooks; ends each dialog from inside its loop.
class HookRecorder : public ScriptedDriver {
public:
    std::vector<std::string> events;
    std::function<void(HWND)> onEnded;
    void modalLoopEnded(HWND dialog) override {
        events.push_back("ended");
        if (onEnded) {
            onEnded(dialog);
        }
    }
};

TEST_F(DialogTest, ModalLoopEndIsReportedAndAnEndedRunIsVisibleBeforeItsLoopReturns) {
    const int id = nextTemplateId();
    ASSERT_TRUE(afx::registerDialogTemplate(AfxGetInstanceHandle(), formTemplate(id)));
    HookRecorder recorder;
    afx::UiDriver* previous = afx::setUiDriver(&recorder);
    FormDialog outer(static_cast<UINT>(id));
    FormDialog inner(static_cast<UINT>(id), &outer);
    std::vector<HWND> ended;
    recorder.onEnded = [&](HWND dialog) {
        ended.push_back(dialog);
        // The loop is over; the window still exists for the driver to look at.
        EXPECT_TRUE(IsWindow(dialog));
        const FormDialog& which = dialog == outer.m_hWnd ? outer : inner;
        EXPECT_FALSE(which.isModalRunning());
        EXPECT_TRUE(which.isModalEnded());
    };
    HWND innerHwnd = nullptr;
    recorder.onModal = [&](HWND dialog) {
        recorder.events.push_back("started");
        if (dialog == outer.m_hWnd) {
            EXPECT_FALSE(outer.isModalEnded());
            EXPECT_EQ(inner.DoModal(), kDone);
            afx::operatorClick(outer.GetDlgItem(IDOK)->m_hWnd);
            // Ended, yet still running until control returns to the loop.
            EXPECT_TRUE(outer.isModalRunning());
            EXPECT_TRUE(outer.isModalEnded());
        } else {
            innerHwnd = dialog;
            afx::operatorClick(inner.GetDlgItem(kDone)->m_hWnd);
        }
    };
    EXPECT_EQ(outer.DoModal(), IDOK);
    afx::setUiDriver(previous);
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"started", "started", "ended", "ended"}));
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(ended[0], innerHwnd);
}

TEST_F(DialogTest, CancelToCloseLeavesOnlyCloseWhichEndsTheSheetWithOk) {
    const int id = nextTemplateId();
    ASSERT_TRUE(afx::registerDialogTemplate(AfxGetInstanceHandle(), formTemplate(id)));
    CountingPage page(static_cast<UINT>(id));
    CPropertySheet sheet("Ports");
    sheet.AddPage(&page);
    driver.onModal = [&](HWND) {
        page.CancelToClose();
        const afx::WindowRecord* ok = afx::windows().find(sheet.buttonHandle(IDOK));
        EXPECT_EQ(ok->text, "Close");
        page.SetModified(TRUE);
        page.SetModified(FALSE);
        const afx::ActionResult cancel = afx::operatorClick(sheet.buttonHandle(IDCANCEL));
        EXPECT_FALSE(cancel);
        EXPECT_EQ(cancel.reason, afx::Refusal::Disabled);
        EXPECT_FALSE(sheet.isModalEnded());
        EXPECT_TRUE(afx::operatorClick(sheet.buttonHandle(IDOK)));
        EXPECT_TRUE(sheet.isModalEnded());
    };
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.applies, 1);
}

TEST_F(DialogTest, MessageBoxesAndWaitCursorsAreObservable) {
    struct Watcher : afx::WindowObserver {
        std::vector<std::string> seen;
        void messageBoxChanged() override {
            auto box = afx::windows().currentMessageBox();
            seen.push_back(box ? box->caption + ":" + box->text : "closed");
        }
    } watcher;
    afx::windows().addObserver(&watcher);
    CWnd owner;
    owner.Create(nullptr, "owner", 0, CRect(), nullptr, 0);
    driver.answers = {IDNO};
    EXPECT_EQ(
        owner.MessageBox("Delete channel?", "Confirm Delete Channel", MB_ICONQUESTION | MB_YESNO),
        IDNO);
    afx::windows().removeObserver(&watcher);
    EXPECT_EQ(watcher.seen,
              (std::vector<std::string>{"Confirm Delete Channel:Delete channel?", "closed"}));
    EXPECT_EQ(driver.boxes.back().style, 36u);
    EXPECT_EQ(driver.boxes.back().owner, owner.m_hWnd);

    afx::setUiDriver(nullptr);
    EXPECT_EQ(AfxMessageBox("plain"), IDOK);
    EXPECT_EQ(afx::showMessageBox(nullptr, "q", "c", MB_YESNO), IDYES);
    EXPECT_EQ(afx::showMessageBox(nullptr, "q", "c", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    afx::setUiDriver(&driver);

    const int begun = afx::windows().waitCursorsBegun();
    {
        CWaitCursor wait;
        owner.BeginWaitCursor();
        EXPECT_EQ(afx::windows().waitCursorDepth(), 2);
        owner.EndWaitCursor();
    }
    owner.EndWaitCursor();  // never below zero
    EXPECT_EQ(afx::windows().waitCursorDepth(), 0);
    EXPECT_EQ(afx::windows().waitCursorsBegun(), begun + 2);
}

class Creatable : public CObject {
    DECLARE_DYNCREATE(Creatable)
};
IMPLEMENT_DYNCREATE(Creatable, CObject)

class CreatableWindow : public CWnd {
    DECLARE_DYNCREATE(CreatableWindow)
};
IMPLEMENT_DYNCREATE(CreatableWindow, CWnd)

TEST(RuntimeClassTest, CreatesByNameAndKnowsKinds) {
    std::unique_ptr<CObject> object(CRuntimeClass::CreateObject("CreatableWindow"));
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_FALSE(object->IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_STREQ(object->GetRuntimeClass()->m_lpszClassName, "CreatableWindow");
    std::unique_ptr<CObject> plain(RUNTIME_CLASS(Creatable)->CreateObject());
    EXPECT_NE(dynamic_cast<Creatable*>(plain.get()), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CDialog")->CreateObject(), nullptr);  // not creatable
    EXPECT_EQ(CRuntimeClass::FromName("NoSuchClass"), nullptr);
}

}  // namespace
