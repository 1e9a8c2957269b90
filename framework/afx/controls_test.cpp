#include "framework/afx/controls.h"

#include <gtest/gtest.h>

#include "framework/afx/fault.h"

namespace {

constexpr int kEdit = 10;
constexpr int kCombo = 11;
constexpr int kList = 12;
constexpr int kCheck = 13;
constexpr int kRadioA = 20;
constexpr int kRadioB = 21;
constexpr int kRadioC = 22;
constexpr int kOtherRadio = 23;
constexpr int kListView = 30;
constexpr int kMultiList = 31;

// A parent window that records every notification it receives.
class RecordingParent : public CWnd {
public:
    struct Note {
        UINT message;
        UINT code;
        int id;
        int item = -1;
        UINT oldState = 0;
        UINT newState = 0;
    };
    std::vector<Note> notes;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND) {
            notes.push_back({message, HIWORD(wParam), LOWORD(wParam)});
        } else if (message == WM_NOTIFY) {
            const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
            notes.push_back({message, nm->hdr.code, static_cast<int>(nm->hdr.idFrom), nm->iItem,
                             nm->uOldState, nm->uNewState});
        }
        return 0;
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent.Create(nullptr, "parent", 0, CRect(), nullptr, 0);
        auto make = [this](afx::WindowClass cls, int id, DWORD style = 0) {
            return afx::windows().create(cls, parent.m_hWnd, id, "", style, CRect());
        };
        make(afx::WindowClass::Edit, kEdit);
        make(afx::WindowClass::ComboBox, kCombo);
        make(afx::WindowClass::ListBox, kList);
        make(afx::WindowClass::CheckBox, kCheck);
        make(afx::WindowClass::RadioButton, kRadioA, afx::style::kGroup);
        make(afx::WindowClass::RadioButton, kRadioB);
        make(afx::WindowClass::RadioButton, kRadioC);
        make(afx::WindowClass::RadioButton, kOtherRadio, afx::style::kGroup);
        make(afx::WindowClass::ListView, kListView, afx::style::kReport);
        make(afx::WindowClass::ListBox, kMultiList, afx::style::kMultiSelect);
    }
    HWND item(int id) { return parent.GetDlgItem(id)->m_hWnd; }
    template <class T>
    T* control(int id) {
        return dynamic_cast<T*>(parent.GetDlgItem(id));
    }

    RecordingParent parent;
};

TEST_F(ControlsTest, ProgrammaticChangesNotifyNobodyOperatorChangesDo) {
    control<CEdit>(kEdit)->SetWindowText("abc");
    control<CComboBox>(kCombo)->AddString("one");
    control<CComboBox>(kCombo)->AddString("two");
    control<CComboBox>(kCombo)->SetCurSel(1);
    control<CListBox>(kList)->AddString("x");
    control<CListBox>(kList)->SetCurSel(0);
    control<CButton>(kCheck)->SetCheck(BST_CHECKED);
    EXPECT_TRUE(parent.notes.empty());

    struct Case {
        std::function<bool()> act;
        UINT code;
        int id;
    };
    const std::vector<Case> cases = {
        {[&] { return afx::operatorType(item(kEdit), "xyz"); }, EN_CHANGE, kEdit},
        {[&] { return afx::operatorChoose(item(kCombo), 0); }, CBN_SELCHANGE, kCombo},
        {[&] { return afx::operatorSelectListBox(item(kList), 0); }, LBN_SELCHANGE, kList},
        {[&] { return afx::operatorDoubleClick(item(kList), 0); }, LBN_DBLCLK, kList},
        {[&] { return afx::operatorClick(item(kCheck)); }, BN_CLICKED, kCheck},
    };
    for (const auto& c : cases) {
        parent.notes.clear();
        ASSERT_TRUE(c.act());
        ASSERT_FALSE(parent.notes.empty());
        EXPECT_EQ(parent.notes.back().code, c.code);
        EXPECT_EQ(parent.notes.back().id, c.id);
    }
    EXPECT_EQ(control<CComboBox>(kCombo)->GetCurSel(), 0);
    EXPECT_EQ(control<CButton>(kCheck)->GetCheck(), BST_UNCHECKED);

    // Disabled controls take no operator input.
    parent.notes.clear();
    control<CEdit>(kEdit)->EnableWindow(FALSE);
    EXPECT_FALSE(afx::operatorType(item(kEdit), "no"));
    EXPECT_TRUE(parent.notes.empty());
}

TEST_F(ControlsTest, TypingRespectsTextLimitAndDigitsOnly) {
    CEdit* edit = control<CEdit>(kEdit);
    edit->LimitText(5);
    afx::operatorType(item(kEdit), "abcdefgh");
    CString text;
    edit->GetWindowText(text);
    EXPECT_EQ(text, "abcde");
    EXPECT_EQ(edit->GetLimitText(), 5u);

    edit->ModifyStyle(0, afx::style::kDigitsOnly);
    afx::operatorType(item(kEdit), "1a2-3");
    edit->GetWindowText(text);
    EXPECT_EQ(text, "123");
}

TEST_F(ControlsTest, RadioClickChecksOnlyWithinItsGroup) {
    control<CButton>(kOtherRadio)->SetCheck(BST_CHECKED);
    afx::operatorClick(item(kRadioB));
    afx::operatorClick(item(kRadioC));
    EXPECT_EQ(control<CButton>(kRadioA)->GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(control<CButton>(kRadioB)->GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(control<CButton>(kRadioC)->GetCheck(), BST_CHECKED);
    EXPECT_EQ(control<CButton>(kOtherRadio)->GetCheck(), BST_CHECKED);
    EXPECT_EQ(parent.notes.back().code, BN_CLICKED);
    EXPECT_EQ(parent.notes.back().id, kRadioC);
}

TEST_F(ControlsTest, ListViewStateChangesNotifyWithOldAndNewState) {
    CListCtrl* list = control<CListCtrl>(kListView);
    list->InsertColumn(0, "Slot", LVCFMT_RIGHT, 34);
    list->InsertColumn(1, "Port", LVCFMT_RIGHT, 34);
    for (int i = 0; i < 3; ++i) {
        list->InsertItem(i, "1");
        list->SetItemText(i, 1, std::to_string(i + 1).c_str());
    }
    EXPECT_TRUE(parent.notes.empty());  // filling notifies nobody

    list->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);  // by code: still notifies
    ASSERT_EQ(parent.notes.size(), 1u);
    EXPECT_EQ(parent.notes[0].code, LVN_ITEMCHANGED);
    EXPECT_EQ(parent.notes[0].item, 1);
    EXPECT_EQ(parent.notes[0].oldState, 0u);
    EXPECT_EQ(parent.notes[0].newState, LVIS_SELECTED);

    parent.notes.clear();
    list->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);  // no change, no note
    EXPECT_TRUE(parent.notes.empty());

    afx::operatorSelectRows(item(kListView), {2});
    std::vector<std::tuple<int, UINT, UINT>> changes;
    for (const auto& n : parent.notes) {
        if (n.code == LVN_ITEMCHANGED) {
            changes.emplace_back(n.item, n.oldState, n.newState);
        }
    }
    const std::vector<std::tuple<int, UINT, UINT>> expected = {
        {1, LVIS_SELECTED, 0},
        {2, 0, LVIS_SELECTED},
        {2, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED}};
    EXPECT_EQ(changes, expected);
    EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(list->GetSelectedCount(), 1u);
    EXPECT_EQ(list->GetItemText(2, 1), "3");

    afx::operatorSelectRows(item(kListView), {0}, afx::SelectMode::Ctrl);
    EXPECT_EQ(list->GetSelectedCount(), 2u);
    list->SetSingleSelection(TRUE);
    list->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list->GetSelectedCount(), 1u);
    EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), 1);
}

TEST_F(ControlsTest, ComboAndListBoxItems) {
    CComboBox* combo = control<CComboBox>(kCombo);
    combo->AddString("up");
    combo->AddString("down");
    combo->InsertString(0, "testing");
    combo->SetItemData(2, 42);
    EXPECT_EQ(combo->GetCount(), 3);
    EXPECT_EQ(combo->FindStringExact(-1, "DOWN"), 2);
    EXPECT_EQ(combo->GetItemData(2), 42u);
    EXPECT_EQ(combo->SetCurSel(7), CB_ERR);
    EXPECT_EQ(combo->GetCurSel(), -1);
    combo->SelectString(-1, "te");
    CString text;
    combo->GetLBText(combo->GetCurSel(), text);
    EXPECT_EQ(text, "testing");
    combo->ResetContent();
    EXPECT_EQ(combo->GetCurSel(), -1);

    CListBox* multi = control<CListBox>(kMultiList);
    for (const char* s : {"a", "b", "c", "d"}) {
        multi->AddString(s);
    }
    afx::operatorSelectListBox(item(kMultiList), 1);
    afx::operatorSelectListBox(item(kMultiList), 3, afx::SelectMode::Shift);
    int selected[4] = {};
    ASSERT_EQ(multi->GetSelItems(4, selected), 3);
    EXPECT_EQ(selected[0], 1);
    EXPECT_EQ(selected[2], 3);
    afx::operatorSelectListBox(item(kMultiList), 2, afx::SelectMode::Ctrl);
    EXPECT_EQ(multi->GetSelCount(), 2);
    EXPECT_EQ(multi->GetSel(2), 0);
}

TEST(WindowSystemTest, DestroyedHandlesStayInvalidAndObserversHearEverything) {
    struct Counting : afx::WindowObserver {
        int created = 0, destroyed = 0, changed = 0;
        void windowCreated(HWND) override { ++created; }
        void windowDestroyed(HWND) override { ++destroyed; }
        void windowChanged(HWND, afx::Change) override { ++changed; }
    } observer;
    auto& ws = afx::windows();
    ws.addObserver(&observer);
    HWND top = ws.create(afx::WindowClass::Dialog, nullptr, 0, "t", 0, CRect());
    HWND child = ws.create(afx::WindowClass::Edit, top, 1, "", 0, CRect());
    ws.setText(child, "x");
    ws.setFocus(child);
    ws.destroy(top);
    ws.removeObserver(&observer);
    EXPECT_EQ(observer.created, 2);
    EXPECT_EQ(observer.destroyed, 2);
    EXPECT_EQ(observer.changed, 2);
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(ws.focus(), nullptr);
    HWND next = ws.create(afx::WindowClass::Dialog, nullptr, 0, "n", 0, CRect());
    EXPECT_NE(next, top);  // handles are never reused
    ws.destroy(next);
    CEdit stale;
    stale.Attach(child);  // refused: the window is gone
    EXPECT_EQ(stale.m_hWnd, nullptr);
}

}  // namespace
