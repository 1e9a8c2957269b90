#include "framework/afx/controls.h"

#include <gmock/gmock.h>
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

namespace {

TEST_F(ControlsTest, SingleSelectionListTakesCtrlAndShiftClicksAsPlainOnes) {
    auto* list = control<CListCtrl>(kListView);
    list->InsertColumn(0, "Port");
    for (const char* text : {"a", "b", "c", "d"}) {
        list->InsertItem(list->GetItemCount(), text);
    }
    list->SetSingleSelection(TRUE);
    auto selected = [list] {
        std::vector<int> rows;
        for (int i = list->GetNextItem(-1, LVNI_SELECTED); i >= 0;
             i = list->GetNextItem(i, LVNI_SELECTED)) {
            rows.push_back(i);
        }
        return rows;
    };
    ASSERT_TRUE(afx::operatorSelectRows(item(kListView), {1}));
    ASSERT_TRUE(afx::operatorSelectRows(item(kListView), {3}, afx::SelectMode::Ctrl));
    EXPECT_EQ(selected(), std::vector<int>{3});
    EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), 3);
    ASSERT_TRUE(afx::operatorSelectRows(item(kListView), {0}, afx::SelectMode::Shift));
    EXPECT_EQ(selected(), std::vector<int>{0});
    // A Ctrl click on the selected row keeps it, as a plain click does.
    ASSERT_TRUE(afx::operatorSelectRows(item(kListView), {0}, afx::SelectMode::Ctrl));
    EXPECT_EQ(selected(), std::vector<int>{0});
}

TEST_F(ControlsTest, DeletingARowMovesTheSelectionWithTheRowsBelow) {
    auto* list = control<CListCtrl>(kListView);
    list->InsertColumn(0, "Port");
    for (const char* text : {"a", "b", "c", "d"}) {
        list->InsertItem(list->GetItemCount(), text);
    }
    list->SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_TRUE(list->DeleteItem(0));
    EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(list->GetItemText(1, 0), "c");
    EXPECT_EQ(list->GetNextItem(-1, LVNI_FOCUSED), 1);
    EXPECT_EQ(list->GetSelectedCount(), 1u);
    ASSERT_TRUE(list->DeleteItem(1));  // the selected row itself
    EXPECT_EQ(list->GetSelectedCount(), 0u);
    EXPECT_FALSE(list->DeleteItem(2));
}

TEST_F(ControlsTest, RefusedOperatorActionsSayWhy) {
    using afx::Refusal;
    afx::ActionResult last;
    auto refusal = [&] { return last.reason; };
    EXPECT_TRUE(last = afx::operatorType(item(kEdit), "ok"));
    EXPECT_EQ(refusal(), Refusal::None);

    control<CEdit>(kEdit)->SetReadOnly(TRUE);
    EXPECT_FALSE(last = afx::operatorType(item(kEdit), "x"));
    EXPECT_EQ(refusal(), Refusal::ReadOnly);
    control<CEdit>(kEdit)->SetReadOnly(FALSE);

    ASSERT_TRUE(last = afx::operatorSetFocus(item(kCombo)));
    EXPECT_FALSE(last = afx::operatorClick(item(kEdit)));
    EXPECT_EQ(refusal(), Refusal::WrongClass);
    EXPECT_EQ(afx::windows().focus(), item(kCombo));  // a refused click moves nothing

    EXPECT_FALSE(last = afx::operatorChoose(item(kCombo), 0));  // no entries
    EXPECT_EQ(refusal(), Refusal::OutOfRange);

    control<CButton>(kCheck)->EnableWindow(FALSE);
    EXPECT_FALSE(last = afx::operatorClick(item(kCheck)));
    EXPECT_EQ(refusal(), Refusal::Disabled);
    EXPECT_EQ(last.window, item(kCheck));
    control<CButton>(kCheck)->EnableWindow(TRUE);

    control<CWnd>(kList)->ShowWindow(SW_HIDE);
    EXPECT_FALSE(last = afx::operatorSelectListBox(item(kList), 0));
    EXPECT_EQ(refusal(), Refusal::Hidden);
    control<CWnd>(kList)->ShowWindow(SW_SHOW);

    // The parent is the one that is disabled: the refusal names it.
    parent.EnableWindow(FALSE);
    EXPECT_FALSE(last = afx::operatorClick(item(kCheck)));
    EXPECT_EQ(refusal(), Refusal::Disabled);
    EXPECT_EQ(last.window, parent.m_hWnd);
    parent.EnableWindow(TRUE);

    const HWND gone = item(kRadioC);
    afx::windows().destroy(gone);
    EXPECT_FALSE(last = afx::operatorClick(gone));
    EXPECT_EQ(refusal(), Refusal::NoWindow);
}

// A list that sorts on its own heading clicks and swallows its double-clicks, and a button
// that counts its own clicks but lets the parent hear them too.
class SelfSortingList : public CListCtrl {
public:
    int columnClicks = 0;
    int doubleClicks = 0;
    BOOL letParentSeeColumnClicks = TRUE;

protected:
    BOOL OnColumnClick(NMHDR* hdr, LRESULT* result) {
        columnClicks += reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem + 1;
        *result = 0;
        return letParentSeeColumnClicks ? FALSE : TRUE;
    }
    void OnDoubleClick(NMHDR*, LRESULT* result) {
        ++doubleClicks;
        *result = 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SelfSortingList, CListCtrl)
ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, &SelfSortingList::OnColumnClick)
ON_NOTIFY_REFLECT(NM_DBLCLK, &SelfSortingList::OnDoubleClick)
END_MESSAGE_MAP()

class CountingButton : public CButton {
public:
    int clicks = 0;

protected:
    void OnClicked() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, &CountingButton::OnClicked)
END_MESSAGE_MAP()

class MapParent : public CWnd {
public:
    std::vector<std::string> heard;

protected:
    void OnColumnClick(NMHDR*, LRESULT*) { heard.push_back("column"); }
    void OnDoubleClick(NMHDR*, LRESULT*) { heard.push_back("double"); }
    void OnChecked() { heard.push_back("check"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MapParent, CWnd)
ON_NOTIFY(LVN_COLUMNCLICK, kListView, &MapParent::OnColumnClick)
ON_NOTIFY(NM_DBLCLK, kListView, &MapParent::OnDoubleClick)
ON_BN_CLICKED(kCheck, &MapParent::OnChecked)
END_MESSAGE_MAP()

// Hears the notices of one window, as a presenter (batches) or as a probe (everything).
class NoticeLog : public afx::WindowObserver {
public:
    NoticeLog(HWND window, bool batches) : m_window(window), m_batches(batches) {
        afx::windows().addObserver(this);
    }
    ~NoticeLog() override { afx::windows().removeObserver(this); }
    NoticeLog(const NoticeLog&) = delete;
    NoticeLog& operator=(const NoticeLog&) = delete;
    bool takesBatches() const override { return m_batches; }
    void recordChanged(HWND hwnd, const afx::ChangeNotice& notice) override {
        if (hwnd == m_window) {
            notices.push_back(notice);
        }
    }
    std::vector<afx::ChangeNotice> notices;

private:
    HWND m_window;
    bool m_batches;
};

TEST_F(ControlsTest, RowNoticesSayWhichRowsAndRedrawOffMergesThemForPresenters) {
    auto* list = control<CListCtrl>(kListView);
    NoticeLog presenter(item(kListView), true);
    NoticeLog probe(item(kListView), false);
    list->InsertItem(0, "a");
    list->InsertItem(1, "b");
    list->SetItemText(1, 1, "x");
    list->DeleteItem(0);
    using afx::RowChange;
    ASSERT_EQ(presenter.notices.size(), 4u);
    EXPECT_EQ(presenter.notices[1].rows, RowChange::Inserted);
    EXPECT_EQ(presenter.notices[1].first, 1);
    EXPECT_EQ(presenter.notices[2].rows, RowChange::Changed);
    EXPECT_EQ(presenter.notices[3].rows, RowChange::Removed);
    EXPECT_EQ(presenter.notices[3].first, 0);
    presenter.notices.clear();
    probe.notices.clear();

    list->SetRedraw(FALSE);
    for (int i = 1; i <= 100; ++i) {
        list->InsertItem(i, "row");
    }
    EXPECT_TRUE(presenter.notices.empty());
    EXPECT_EQ(probe.notices.size(), 100u) << "probes hear every change as it happens";
    list->SetRedraw(TRUE);
    ASSERT_EQ(presenter.notices.size(), 1u);
    const afx::ChangeNotice& batch = presenter.notices[0];
    EXPECT_TRUE(batch.batched());
    EXPECT_EQ(batch.rows, RowChange::Inserted);
    EXPECT_EQ(batch.first, 1);
    EXPECT_EQ(batch.count, 100);

    // Changes of several kinds are one notice of every kind they cover, over their rows.
    list->SetRedraw(FALSE);
    list->SetItemText(5, 0, "changed");
    list->SetItemState(7, LVIS_SELECTED, LVIS_SELECTED);
    list->SetRedraw(TRUE);
    ASSERT_EQ(presenter.notices.size(), 2u);
    EXPECT_TRUE(presenter.notices[1].covers(afx::Change::Rows));
    EXPECT_TRUE(presenter.notices[1].covers(afx::Change::ItemState));
    EXPECT_FALSE(presenter.notices[1].covers(afx::Change::Columns));
    EXPECT_EQ(presenter.notices[1].rows, RowChange::Changed);
    EXPECT_EQ(presenter.notices[1].first, 5);
    EXPECT_EQ(presenter.notices[1].count, 3);

    list->SetRedraw(FALSE);
    list->SetRedraw(TRUE);
    EXPECT_EQ(presenter.notices.size(), 2u) << "nothing changed, nothing told";
}

TEST_F(ControlsTest, RefusalsReadAsSentencesAndDragsNeedAListThatOffersThem) {
    control<CButton>(kCheck)->EnableWindow(FALSE);
    const afx::ActionResult click = afx::operatorClick(item(kCheck));
    EXPECT_EQ(afx::describeRefusal(click, item(kCheck)), "check box is disabled");
    control<CButton>(kCheck)->EnableWindow(TRUE);
    parent.ShowWindow(SW_HIDE);
    EXPECT_THAT(afx::describeRefusal(afx::operatorClick(item(kCheck)), item(kCheck)),
                ::testing::EndsWith(", which is hidden"));
    parent.ShowWindow(SW_SHOW);

    auto* list = control<CListCtrl>(kListView);
    list->InsertItem(0, "a");
    const afx::ActionResult plain = afx::operatorDragRow(item(kListView), 0);
    EXPECT_EQ(plain.reason, afx::Refusal::Declined) << "a plain list view offers no drags";
    EXPECT_EQ(afx::operatorDragRow(item(kListView), 3).reason, afx::Refusal::OutOfRange);
}

TEST(ReflectionTest, ControlsHandleTheirOwnNotificationsBeforeTheParent) {
    MapParent parent;
    parent.Create(nullptr, "parent", 0, CRect(), nullptr, 0);
    SelfSortingList list;
    CountingButton check;
    ASSERT_TRUE(list.Attach(afx::windows().create(afx::WindowClass::ListView, parent.m_hWnd,
                                                  kListView, "", afx::style::kReport, CRect())));
    ASSERT_TRUE(check.Attach(
        afx::windows().create(afx::WindowClass::CheckBox, parent.m_hWnd, kCheck, "", 0, CRect())));
    list.InsertColumn(0, "Slot");
    list.InsertColumn(1, "Port");
    list.InsertItem(0, "1");

    ASSERT_TRUE(afx::operatorClickColumn(list.m_hWnd, 1));
    EXPECT_EQ(list.columnClicks, 2);
    EXPECT_EQ(parent.heard, std::vector<std::string>{"column"});  // _EX returned FALSE
    list.letParentSeeColumnClicks = FALSE;
    ASSERT_TRUE(afx::operatorClickColumn(list.m_hWnd, 0));
    EXPECT_EQ(list.columnClicks, 3);
    EXPECT_EQ(parent.heard.size(), 1u);

    NMHDR hdr;
    hdr.code = NM_DBLCLK;
    EXPECT_EQ(afx::windows().notifyParent(list.m_hWnd, hdr), 7);  // the list's result
    EXPECT_EQ(list.doubleClicks, 1);
    EXPECT_EQ(parent.heard.size(), 1u);

    ASSERT_TRUE(afx::operatorClick(check.m_hWnd));
    EXPECT_EQ(check.clicks, 1);
    EXPECT_EQ(parent.heard.size(), 1u);  // a plain reflected entry takes the notification

    // A detached control no longer hears its notifications; the parent does.
    check.Detach();
    ASSERT_TRUE(afx::operatorClick(afx::windows().childById(parent.m_hWnd, kCheck)));
    EXPECT_EQ(check.clicks, 1);
    EXPECT_EQ(parent.heard.back(), "check");
}

}  // namespace
