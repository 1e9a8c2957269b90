#include "framework/afx/text_renderer.h"

#include <gtest/gtest.h>

#include "framework/afx/dialog.h"
#include "framework/afx/ui_hook.h"

namespace {

using afx::ControlTemplate;
using afx::WindowClass;
namespace st = afx::style;

constexpr int kSampleDialog = 9301;
enum : int {
    kPorts = 1001,
    kSlotPort,
    kAdmin,
    kDescription,
    kUplink,
    kBank1,
    kBank2,
    kChoices,
    kSecret,
    kRefresh,
    kPassword,
};

// Every control kind, laid out as a page template would be.
void registerSample() {
    static const bool done = [] {
        afx::DialogTemplate t{kSampleDialog, "Sample", CSize(300, 220), {}};
        auto add = [&t](int id, WindowClass cls, const char* text, CRect rect, DWORD style = 0) {
            t.controls.push_back(ControlTemplate{id, cls, text, rect, style});
        };
        add(IDC_STATIC, WindowClass::GroupBox, "Physical Ports", CRect(5, 5, 295, 80));
        add(kPorts, WindowClass::ListView, "", CRect(10, 15, 290, 75), st::kReport);
        add(IDC_STATIC, WindowClass::GroupBox, "Parameters", CRect(5, 85, 295, 200));
        add(IDC_STATIC, WindowClass::Static, "Slot/Port:", CRect(10, 95, 60, 105));
        add(kSlotPort, WindowClass::Static, "", CRect(65, 95, 120, 105));
        add(IDC_STATIC, WindowClass::Static, "Admin Status:", CRect(10, 110, 60, 120));
        add(kAdmin, WindowClass::ComboBox, "", CRect(65, 110, 150, 120), st::kDropDownList);
        add(IDC_STATIC, WindowClass::Static, "&Description:", CRect(10, 125, 60, 135));
        add(kDescription, WindowClass::Edit, "", CRect(65, 125, 250, 135));
        add(kUplink, WindowClass::CheckBox, "&Uplink", CRect(10, 140, 60, 150));
        add(kBank1, WindowClass::RadioButton, "Bank 1", CRect(65, 140, 110, 150), st::kGroup);
        add(kBank2, WindowClass::RadioButton, "Bank 2", CRect(115, 140, 160, 150));
        add(IDC_STATIC, WindowClass::Static, "Ports:", CRect(10, 155, 60, 165));
        add(kChoices, WindowClass::ListBox, "", CRect(65, 155, 150, 195));
        add(IDC_STATIC, WindowClass::Static, "Secret:", CRect(160, 155, 200, 165));
        add(kSecret, WindowClass::Edit, "", CRect(205, 155, 290, 165));
        add(IDC_STATIC, WindowClass::Static, "Password:", CRect(160, 170, 200, 180));
        add(kPassword, WindowClass::Edit, "", CRect(205, 170, 290, 180), st::kPassword);
        add(kRefresh, WindowClass::PushButton, "&Refresh", CRect(240, 202, 290, 215));
        add(IDC_STATIC, WindowClass::Static, "Changes apply at once.", CRect(5, 202, 200, 215));
        return afx::registerDialogTemplate(AfxGetInstanceHandle(), t);
    }();
    ASSERT_TRUE(done);
}

class SampleDialog : public ::testing::Test {
protected:
    void SetUp() override {
        registerSample();
        ASSERT_TRUE(m_dialog.Create(kSampleDialog));
    }

    template <typename T>
    T& item(int id) {
        return *static_cast<T*>(m_dialog.GetDlgItem(id));
    }

    void fillPorts() {
        auto& list = item<CListCtrl>(kPorts);
        list.InsertColumn(0, "Slot", LVCFMT_RIGHT, 34);
        list.InsertColumn(1, "Port", LVCFMT_RIGHT, 34);
        list.InsertColumn(2, "MediaType", LVCFMT_LEFT, 65);
        const char* rows[][3] = {{"1", "2", "10BaseT"}, {"1", "12", "100BaseFX"}, {"14", "3", ""}};
        for (int i = 0; i < 3; ++i) {
            list.InsertItem(i, rows[i][0], i == 1 ? 14 : 13);
            list.SetItemText(i, 1, rows[i][1]);
            list.SetItemText(i, 2, rows[i][2]);
        }
        list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    }

    CDialog m_dialog;
};

TEST_F(SampleDialog, RendersEveryControlKindInTemplateOrder) {
    fillPorts();
    m_dialog.SetDlgItemText(kSlotPort, "1 / 12");
    auto& admin = item<CComboBox>(kAdmin);
    admin.AddString("enabled");
    admin.AddString("disabled");
    admin.SetCurSel(1);
    admin.EnableWindow(FALSE);
    m_dialog.SetDlgItemText(kDescription, "core uplink");
    item<CButton>(kUplink).SetCheck(BST_CHECKED);
    item<CButton>(kBank2).SetCheck(BST_CHECKED);
    auto& choices = item<CListBox>(kChoices);
    choices.AddString("first");
    choices.AddString("second");
    choices.SetCurSel(1);
    m_dialog.GetDlgItem(kSecret)->ShowWindow(SW_HIDE);
    m_dialog.SetDlgItemText(kPassword, "abc");
    item<CEdit>(kPassword).SetReadOnly();
    m_dialog.GetDlgItem(kDescription)->SetFocus();

    EXPECT_EQ(afx::renderWindow(m_dialog.m_hWnd),
              "== Sample ==\n"
              "  -- Physical Ports --\n"
              "    (list)\n"
              "             Slot  Port  MediaType\n"
              "        #13     1     2  10BaseT\n"
              "      > #14     1    12  100BaseFX\n"
              "        #13    14     3\n"
              "  -- Parameters --\n"
              "    Slot/Port: 1 / 12\n"
              "    Admin Status: <disabled> {disabled}\n"
              "    Description: \"core uplink\" {focus}\n"
              "    [x] Uplink\n"
              "    ( ) Bank 1\n"
              "    (o) Bank 2\n"
              "    Ports:\n"
              "        first\n"
              "      > second\n"
              "    Secret:\n"  // the caption stays when only its edit is hidden
              "    Password: \"***\" {read-only}\n"
              "  [ Refresh ]\n"
              "  Changes apply at once.\n");
}

TEST_F(SampleDialog, EmptyControlsStillShowWhereTheyAre) {
    afx::RenderOptions options;
    options.comboEntries = true;
    options.imageName = [](int image) { return image == 14 ? "up" : "down"; };
    fillPorts();
    item<CComboBox>(kAdmin).AddString("enabled");
    item<CComboBox>(kAdmin).AddString("disabled");
    const std::string text = afx::renderWindow(m_dialog.m_hWnd, options);
    EXPECT_NE(text.find("      > up       1    12  100BaseFX\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    Slot/Port:\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Admin Status: <> of (enabled | disabled)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    Description: \"\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    Ports:\n      (empty)\n"), std::string::npos) << text;

    item<CListCtrl>(kPorts).DeleteAllItems();
    const std::string empty = afx::renderWindow(m_dialog.m_hWnd, options);
    EXPECT_NE(empty.find("    (list) {focus}\n        Slot  Port  MediaType\n        (no rows)\n"),
              std::string::npos)
        << empty;
}

TEST_F(SampleDialog, SameTreeGivesSameText) {
    fillPorts();
    EXPECT_EQ(afx::renderWindow(m_dialog.m_hWnd), afx::renderWindow(m_dialog.m_hWnd));
}

TEST(PropertySheetRendering, ShowsTheActivePageAboveTheSheetButtons) {
    registerSample();
    CPropertyPage first(kSampleDialog);
    CPropertySheet sheet("Port 1/12");
    sheet.AddPage(&first);
    ASSERT_TRUE(sheet.Create());
    const std::string text = afx::renderWindow(sheet.m_hWnd);
    EXPECT_EQ(text.rfind("== Port 1/12 ==\n  == Sample ==\n", 0), 0u) << text;
    EXPECT_NE(
        text.find("    Changes apply at once.\n  [ OK ]\n  [ Cancel ]\n  [ Apply ] {disabled}\n"),
        std::string::npos)
        << text;
}

// Captures the screen while a box is open.
class ScreenCapture : public afx::UiDriver {
public:
    int answerMessageBox(const afx::MessageBoxState&) override {
        m_screen = afx::renderScreen();
        return IDNO;
    }
    std::string m_screen;
};

TEST(MessageBoxRendering, OpenBoxFollowsTheWindowsWithCaptionIconAndButtons) {
    ScreenCapture capture;
    afx::UiDriver* previous = afx::setUiDriver(&capture);
    EXPECT_EQ(
        afx::showMessageBox(nullptr, "Delete channel 3?\nIt carries traffic.",
                            "Confirm Delete Channel", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2),
        IDNO);
    afx::setUiDriver(previous);
    EXPECT_EQ(capture.m_screen,
              "== Message box: Confirm Delete Channel (question icon) ==\n"
              "  Delete channel 3?\n"
              "  It carries traffic.\n"
              "  [ Yes ] [ No ] {default: No}\n");
    EXPECT_EQ(afx::renderMessageBox({nullptr, "Unable to access PhyPort record", "Error", MB_OK}),
              "== Message box: Error ==\n"
              "  Unable to access PhyPort record\n"
              "  [ OK ]\n");
}

TEST(MessageBoxRendering, StyleDescriptions) {
    EXPECT_EQ(afx::describeMessageBoxStyle(MB_OK), "OK");
    EXPECT_EQ(afx::describeMessageBoxStyle(MB_OKCANCEL | MB_ICONEXCLAMATION),
              "exclamation icon, OK/Cancel");
    EXPECT_EQ(afx::describeMessageBoxStyle(MB_ICONINFORMATION), "information icon, OK");
    EXPECT_EQ(afx::describeMessageBoxStyle(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2),
              "question icon, Yes/No, default No");
}

}  // namespace
