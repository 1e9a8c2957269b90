#include "framework/afx/ui_driver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/afx/control_layout.h"
#include "framework/afx/dialog.h"
#include "framework/afx/text_renderer.h"

namespace {

using afx::ControlRef;
using afx::ControlTemplate;
using afx::OperatorDriver;
using afx::SelectMode;
using afx::WindowClass;
using ::testing::HasSubstr;
namespace st = afx::style;

#define EXPECT_STEP(step)                           \
    do {                                            \
        const afx::StepResult result_ = (step);     \
        EXPECT_TRUE(result_.ok) << result_.message; \
    } while (false)

constexpr int kPage = 9401;
constexpr int kModify = 9402;
enum : int {
    kPorts = 1101,
    kDescription,
    kCount,
    kAdmin,
    kUplink,
    kNameA,
    kNameB,
    kHidden,
    kChoices,
    kApply,
    kModifyButton,
    kModifyName,
};

void registerTemplates() {
    static const bool done = [] {
        afx::DialogTemplate page{kPage, "Status", CSize(300, 250), {}};
        auto add = [&page](int id, WindowClass cls, const char* text, CRect rect, DWORD style = 0) {
            page.controls.push_back(ControlTemplate{id, cls, text, rect, style});
        };
        add(IDC_STATIC, WindowClass::GroupBox, "Physical Ports", CRect(5, 5, 295, 80));
        add(kPorts, WindowClass::ListView, "", CRect(10, 15, 290, 75), st::kReport);
        add(IDC_STATIC, WindowClass::GroupBox, "Parameters", CRect(5, 85, 295, 170));
        add(IDC_STATIC, WindowClass::Static, "&Description:", CRect(10, 95, 60, 105));
        add(kDescription, WindowClass::Edit, "", CRect(65, 95, 250, 105));
        add(IDC_STATIC, WindowClass::Static, "Count:", CRect(10, 110, 60, 120));
        add(kCount, WindowClass::Edit, "", CRect(65, 110, 120, 120), st::kDigitsOnly);
        add(IDC_STATIC, WindowClass::Static, "Admin Status:", CRect(10, 125, 60, 135));
        add(kAdmin, WindowClass::ComboBox, "", CRect(65, 125, 150, 135), st::kDropDownList);
        add(kUplink, WindowClass::CheckBox, "&Uplink", CRect(10, 140, 60, 150));
        add(IDC_STATIC, WindowClass::Static, "Name:", CRect(10, 155, 60, 165));
        add(kNameA, WindowClass::Edit, "", CRect(65, 155, 150, 165));
        add(IDC_STATIC, WindowClass::GroupBox, "Remote", CRect(5, 175, 295, 220));
        add(IDC_STATIC, WindowClass::Static, "Name:", CRect(10, 185, 60, 195));
        add(kNameB, WindowClass::Edit, "", CRect(65, 185, 150, 195));
        add(IDC_STATIC, WindowClass::Static, "Hidden:", CRect(10, 200, 60, 210));
        add(kHidden, WindowClass::Edit, "", CRect(65, 200, 150, 210));
        add(IDC_STATIC, WindowClass::Static, "Choices:", CRect(160, 185, 200, 195));
        add(kChoices, WindowClass::ListBox, "", CRect(205, 185, 290, 215));
        add(kApply, WindowClass::PushButton, "&Apply", CRect(200, 225, 240, 240));
        add(kModifyButton, WindowClass::PushButton, "Modify...", CRect(245, 225, 290, 240));
        bool ok = afx::registerDialogTemplate(AfxGetInstanceHandle(), page);
        afx::DialogTemplate modify{kModify, "Modify Name", CSize(150, 60), {}};
        modify.controls = {
            {IDC_STATIC, WindowClass::Static, "New name:", CRect(5, 5, 50, 15), 0},
            {kModifyName, WindowClass::Edit, "", CRect(55, 5, 145, 15), 0},
            {IDOK, WindowClass::PushButton, "OK", CRect(50, 40, 95, 55), st::kDefaultButton},
            {IDCANCEL, WindowClass::PushButton, "Cancel", CRect(100, 40, 145, 55), 0},
        };
        return ok && afx::registerDialogTemplate(AfxGetInstanceHandle(), modify);
    }();
    ASSERT_TRUE(done);
}

// Keeps the name typed before OK ends it.
class ModifyDialog : public CDialog {
public:
    ModifyDialog(CWnd* parent) : CDialog(kModify, parent) {}
    CString m_name;

protected:
    void OnOK() override {
        GetDlgItemText(kModifyName, m_name);
        CDialog::OnOK();
    }
};

// Records the notifications a person's actions cause and runs the modal dialog.
class RecordingPage : public CDialog {
public:
    struct Note {
        UINT code;
        int id;
        int item;
        UINT oldState;
        UINT newState;
    };
    std::vector<Note> m_notes;
    INT_PTR m_modalResult = 0;
    CString m_modalName;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND) {
            m_notes.push_back({HIWORD(wParam), LOWORD(wParam), -1, 0, 0});
            if (LOWORD(wParam) == kModifyButton) {
                ModifyDialog dialog(this);
                m_modalResult = dialog.DoModal();
                m_modalName = dialog.m_name;
            }
        } else if (message == WM_NOTIFY) {
            const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
            m_notes.push_back({nm->hdr.code, static_cast<int>(nm->hdr.idFrom), nm->iItem,
                               nm->uOldState, nm->uNewState});
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

class OperatorDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerTemplates();
        ASSERT_TRUE(m_page.Create(kPage));
        auto& list = *static_cast<CListCtrl*>(m_page.GetDlgItem(kPorts));
        list.InsertColumn(0, "Slot", LVCFMT_RIGHT, 34);
        list.InsertColumn(1, "Port", LVCFMT_RIGHT, 34);
        for (int i = 0; i < 5; ++i) {
            list.InsertItem(i, std::to_string(i / 2 + 1).c_str());
            list.SetItemText(i, 1, std::to_string(i % 2 + 1).c_str());
        }
        auto& admin = *static_cast<CComboBox*>(m_page.GetDlgItem(kAdmin));
        admin.AddString("enabled");
        admin.AddString("disabled");
        auto& choices = *static_cast<CListBox*>(m_page.GetDlgItem(kChoices));
        choices.AddString("red");
        choices.AddString("green");
        static_cast<CEdit*>(m_page.GetDlgItem(kDescription))->LimitText(31);
        m_page.GetDlgItem(kHidden)->ShowWindow(SW_HIDE);
        m_page.m_notes.clear();
        m_driver.setRoot(m_page.m_hWnd);
        m_driver.setFailureHandler([this](const std::string& m) { m_failures.push_back(m); });
    }

    HWND hwnd(int id) { return m_page.GetDlgItem(id)->m_hWnd; }
    std::vector<int> selectedRows() {
        auto& list = *static_cast<CListCtrl*>(m_page.GetDlgItem(kPorts));
        std::vector<int> rows;
        for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0;
             i = list.GetNextItem(i, LVNI_SELECTED)) {
            rows.push_back(i);
        }
        return rows;
    }
    std::vector<RecordingPage::Note> notes(UINT code) {
        std::vector<RecordingPage::Note> out;
        for (const auto& n : m_page.m_notes) {
            if (n.code == code) {
                out.push_back(n);
            }
        }
        return out;
    }

    RecordingPage m_page;
    OperatorDriver m_driver;
    std::vector<std::string> m_failures;
};

TEST_F(OperatorDriverTest, FindsControlsByLabelOwnTextGroupAndId) {
    EXPECT_EQ(m_driver.find("Description").hwnd, hwnd(kDescription));
    EXPECT_EQ(m_driver.find("Description:").hwnd, hwnd(kDescription));
    EXPECT_EQ(m_driver.find("&Description").hwnd, hwnd(kDescription));
    EXPECT_EQ(m_driver.find("Uplink").hwnd, hwnd(kUplink));
    EXPECT_EQ(m_driver.find("Physical Ports").hwnd, hwnd(kPorts));  // alone in its group
    EXPECT_EQ(m_driver.find(ControlRef::withId(kCount)).hwnd, hwnd(kCount));
    EXPECT_EQ(m_driver.find(ControlRef::inGroup("Remote", "Name")).hwnd, hwnd(kNameB));
    EXPECT_EQ(afx::normalizeLabel("Channel\nPorts:"), "Channel Ports");
}

TEST_F(OperatorDriverTest, MissesAndAmbiguitiesNameWhatWasAskedAndTheCandidates) {
    const auto missing = m_driver.find("Speed");
    EXPECT_FALSE(missing.result);
    EXPECT_EQ(missing.hwnd, nullptr);
    EXPECT_THAT(missing.result.message, HasSubstr("\"Speed\""));
    EXPECT_THAT(missing.result.message, HasSubstr("edit \"Description:\""));

    const auto twice = m_driver.find("Name");
    EXPECT_FALSE(twice.result);
    EXPECT_THAT(twice.result.message, HasSubstr("names 2 controls"));
    EXPECT_THAT(twice.result.message, HasSubstr("id " + std::to_string(kNameA)));
    EXPECT_THAT(twice.result.message, HasSubstr("in group \"Remote\""));

    // Several controls in one group: the group's name alone picks none of them.
    EXPECT_FALSE(m_driver.find("Parameters").result);
    // Hidden controls are not there for a person.
    EXPECT_FALSE(m_driver.find("Hidden").result);
    // A control of the wrong kind is refused, not operated.
    const auto wrongKind = m_driver.click("Description");
    EXPECT_FALSE(wrongKind);
    EXPECT_THAT(wrongKind.message, HasSubstr("not a button"));
}

TEST_F(OperatorDriverTest, TypingStopsAtTheLimitAndDigitOnlyEditsRefuseOthers) {
    const std::string longText(40, 'x');
    const auto typed = m_driver.type("Description", longText);
    EXPECT_TRUE(typed) << typed.message;
    EXPECT_THAT(typed.message, HasSubstr("at most 31"));
    CString text;
    m_page.GetDlgItemText(kDescription, text);
    EXPECT_EQ(text.str(), std::string(31, 'x'));
    EXPECT_EQ(notes(EN_CHANGE).size(), 1u);

    const auto digits = m_driver.type("Count", "1a2-3");
    EXPECT_THAT(digits.message, HasSubstr("\"a-\""));
    m_page.GetDlgItemText(kCount, text);
    EXPECT_EQ(text.str(), "123");

    m_page.GetDlgItem(kDescription)->EnableWindow(FALSE);
    const auto disabled = m_driver.type("Description", "new");
    EXPECT_FALSE(disabled);
    EXPECT_THAT(disabled.message, HasSubstr("is disabled"));
    m_page.GetDlgItemText(kDescription, text);
    EXPECT_EQ(text.str(), std::string(31, 'x'));
    m_page.GetDlgItem(kDescription)->EnableWindow(TRUE);

    static_cast<CEdit*>(m_page.GetDlgItem(kDescription))->SetReadOnly(TRUE);
    EXPECT_THAT(m_driver.type("Description", "new").message, HasSubstr("is read-only"));
    static_cast<CEdit*>(m_page.GetDlgItem(kDescription))->SetReadOnly(FALSE);

    m_page.EnableWindow(FALSE);
    const auto inside = m_driver.type("Description", "new");
    EXPECT_THAT(inside.message, HasSubstr("which is disabled"));
    EXPECT_THAT(inside.message, HasSubstr("is inside dialog"));
    m_page.EnableWindow(TRUE);
}

TEST_F(OperatorDriverTest, ChoosesEntriesAndPressesButtonsWithTheirNotifications) {
    EXPECT_STEP(m_driver.choose("Admin Status", "disabled"));
    EXPECT_EQ(static_cast<CComboBox*>(m_page.GetDlgItem(kAdmin))->GetCurSel(), 1);
    EXPECT_EQ(notes(CBN_SELCHANGE).size(), 1u);
    const auto unknown = m_driver.choose("Admin Status", "testing");
    EXPECT_THAT(unknown.message, HasSubstr("\"enabled\", \"disabled\""));

    EXPECT_STEP(m_driver.doubleClick("Choices", "green"));
    EXPECT_EQ(notes(LBN_DBLCLK).size(), 1u);
    EXPECT_EQ(static_cast<CListBox*>(m_page.GetDlgItem(kChoices))->GetCurSel(), 1);

    EXPECT_STEP(m_driver.click("Uplink"));
    EXPECT_EQ(m_page.IsDlgButtonChecked(kUplink), static_cast<UINT>(BST_CHECKED));

    m_page.GetDlgItem(kApply)->EnableWindow(FALSE);
    const auto refused = m_driver.press("Apply");
    EXPECT_THAT(refused.message, HasSubstr("push button \"Apply\" is disabled"));
    m_page.GetDlgItem(kApply)->EnableWindow(TRUE);
    m_page.m_notes.clear();
    EXPECT_STEP(m_driver.press("Apply"));
    ASSERT_EQ(notes(BN_CLICKED).size(), 1u);
    EXPECT_EQ(notes(BN_CLICKED)[0].id, kApply);
}

TEST_F(OperatorDriverTest, ListViewSelectionModesCauseItemChanges) {
    EXPECT_STEP(m_driver.selectRows("Physical Ports", {1}));
    EXPECT_EQ(selectedRows(), std::vector<int>{1});
    EXPECT_STEP(m_driver.selectRows("Physical Ports", {3}, SelectMode::Ctrl));
    EXPECT_EQ(selectedRows(), (std::vector<int>{1, 3}));
    m_page.m_notes.clear();
    EXPECT_STEP(m_driver.selectRows("Physical Ports", {4}, SelectMode::Shift));
    EXPECT_EQ(selectedRows(), (std::vector<int>{3, 4}));
    // Row 1 reported losing its selection, row 4 gaining it.
    bool rowOneLost = false;
    bool rowFourGained = false;
    for (const auto& n : notes(LVN_ITEMCHANGED)) {
        rowOneLost |= n.item == 1 && (n.oldState & LVIS_SELECTED) && !(n.newState & LVIS_SELECTED);
        rowFourGained |=
            n.item == 4 && !(n.oldState & LVIS_SELECTED) && (n.newState & LVIS_SELECTED);
    }
    EXPECT_TRUE(rowOneLost);
    EXPECT_TRUE(rowFourGained);

    EXPECT_STEP(m_driver.selectRow("Physical Ports", {"2", "1"}));
    EXPECT_EQ(selectedRows(), std::vector<int>{2});
    EXPECT_THAT(m_driver.selectRow("Physical Ports", {"1"}).message, HasSubstr("rows 0, 1"));
    EXPECT_THAT(m_driver.selectRows("Physical Ports", {7}).message, HasSubstr("5 rows"));

    static_cast<CListCtrl*>(m_page.GetDlgItem(kPorts))->SetSingleSelection(TRUE);
    const auto single = m_driver.selectRows("Physical Ports", {0, 1});
    EXPECT_THAT(single.message, HasSubstr("one row at a time"));
    EXPECT_EQ(selectedRows(), std::vector<int>{1});
    // Ctrl cannot add to a single selection: the clicked row replaces the old one.
    EXPECT_STEP(m_driver.selectRows("Physical Ports", {3}, SelectMode::Ctrl));
    EXPECT_EQ(selectedRows(), std::vector<int>{3});
}

TEST_F(OperatorDriverTest, MessageBoxesAreAnsweredFromTheQueueAndRecorded) {
    m_driver.expectMessageBox(IDNO, "Confirm Delete Channel");
    EXPECT_EQ(m_page.MessageBox("Delete?", "Confirm Delete Channel", MB_YESNO | MB_ICONQUESTION),
              IDNO);
    EXPECT_TRUE(m_failures.empty());

    // Unexpected: reported with text, caption and style, answered with the default.
    EXPECT_EQ(m_page.MessageBox("Unable to access PhyPort record", "Error",
                                MB_OKCANCEL | MB_ICONEXCLAMATION),
              IDOK);
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_THAT(m_failures[0], HasSubstr("unexpected message box \"Unable to access PhyPort "
                                         "record\" (caption \"Error\", exclamation icon, "
                                         "OK/Cancel)"));

    m_driver.expectMessageBox(IDOK, "Success");
    m_page.MessageBox("Done", "Notice", MB_OK);
    EXPECT_THAT(m_failures.back(), HasSubstr("caption \"Success\" was expected"));

    m_driver.expectMessageBox(IDYES);
    EXPECT_EQ(m_page.MessageBox("Saved", "Success", MB_OK), IDOK);
    EXPECT_THAT(m_failures.back(), HasSubstr("no button for answer"));

    const auto& shown = m_driver.shownMessageBoxes();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].caption, "Confirm Delete Channel");
    EXPECT_EQ(shown[0].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(shown[0].expected);
    EXPECT_FALSE(shown[1].expected);
    EXPECT_EQ(shown[1].text, "Unable to access PhyPort record");

    m_driver.expectMessageBox(IDOK, "Error");
    EXPECT_THAT(m_driver.verifyAllExpectedShown().message, HasSubstr("message box \"Error\""));
}

TEST_F(OperatorDriverTest, ActsInsideAModalDialogsLoop) {
    m_driver.expectModal(
        [](OperatorDriver& driver, HWND) {
            // The page behind is out of reach: its controls are not found.
            EXPECT_FALSE(driver.find("Description").result);
            EXPECT_STEP(driver.type("New name", "core"));
            EXPECT_STEP(driver.press("OK"));
        },
        "Modify Name");
    EXPECT_STEP(m_driver.press("Modify..."));
    EXPECT_EQ(m_page.m_modalResult, IDOK);
    EXPECT_EQ(m_page.m_modalName.str(), "core");
    EXPECT_TRUE(m_failures.empty());
    EXPECT_EQ(m_driver.scope(), m_page.m_hWnd);  // back on the page once it closed
    EXPECT_STEP(m_driver.verifyAllExpectedShown());
}

TEST_F(OperatorDriverTest, AnUnexpectedModalDialogIsReportedAndCancelled) {
    EXPECT_STEP(m_driver.press("Modify..."));
    EXPECT_EQ(m_page.m_modalResult, IDCANCEL);
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_THAT(m_failures[0], HasSubstr("unexpected modal dialog \"Modify Name\""));
}

}  // namespace

namespace {

// A modeless dialog a page opens beside it is a window of its own, not one of the page's
// controls, even though the page owns it.
TEST_F(OperatorDriverTest, AnOwnedModelessDialogIsNotPartOfItsOwner) {
    ModifyDialog beside(&m_page);
    ASSERT_TRUE(beside.Create(kModify, &m_page));
    m_driver.setRoot(m_page.m_hWnd);
    EXPECT_FALSE(m_driver.find("New name").result);
    EXPECT_THAT(afx::renderWindow(m_page.m_hWnd), ::testing::Not(HasSubstr("New name")));
    m_driver.setRoot(beside.m_hWnd);
    EXPECT_STEP(m_driver.type("New name", "edge"));
    beside.DestroyWindow();
}

}  // namespace

namespace {

class StubbornPage : public CPropertyPage {
public:
    explicit StubbornPage(UINT id) : CPropertyPage(id) {}
    bool stay = false;
    BOOL OnKillActive() override { return stay ? FALSE : CPropertyPage::OnKillActive(); }
};

TEST(OperatorDriverSheetTest, PagesAreActivatedByTabAndRefusalsSayWhy) {
    registerTemplates();
    StubbornPage status(kPage);
    StubbornPage modify(kModify);
    CPropertySheet sheet("Ethernet");
    sheet.AddPage(&status);
    sheet.AddPage(&modify);
    ASSERT_TRUE(sheet.Create());
    OperatorDriver driver;
    driver.setRoot(sheet.m_hWnd);

    status.stay = true;
    const afx::StepResult kept = driver.activatePage(1);
    EXPECT_FALSE(kept.ok);
    EXPECT_THAT(kept.message, HasSubstr("refused to let go"));
    status.stay = false;
    EXPECT_STEP(driver.activatePage(afx::windows().find(sheet.m_hWnd)->tabs.at(1)));
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_FALSE(driver.activatePage("Nowhere").ok);

    EXPECT_STEP(driver.activatePage("Status"));
    status.GetDlgItem(kDescription)->EnableWindow(FALSE);
    const afx::StepResult typed = driver.type("Description", "x");
    EXPECT_FALSE(typed.ok);
    EXPECT_THAT(typed.message, HasSubstr("is disabled"));
    static_cast<CListCtrl*>(status.GetDlgItem(kPorts))->InsertItem(0, "1");
    std::string carried;
    const afx::StepResult dragged = driver.drag(ControlRef::withId(kPorts), 0, &carried);
    EXPECT_THAT(dragged.message, HasSubstr("cannot be dragged"));
}

}  // namespace
