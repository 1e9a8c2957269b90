// What a person at the screen does, with the notifications a person causes.
#include <algorithm>
#include <cctype>

#include "framework/afx/controls.h"
#include "framework/afx/record_access.h"

namespace afx {

namespace {

// The window if a person can operate it now; else nullptr, with why in refusal.
WindowRecord* usable(HWND hwnd, ActionResult& refusal) {
    refusal = {};
    WindowRecord* r = writableRecord(hwnd);
    if (!r) {
        refusal = ActionResult::refused(Refusal::NoWindow, hwnd);
        return nullptr;
    }
    // Disabled or hidden windows, or those inside a disabled or hidden parent, take no input;
    // an owned (non-child) dialog does not depend on its owner.
    for (const WindowRecord* w = r; w; w = windows().find(w->parent)) {
        if (!w->enabled || !w->visible) {
            refusal =
                ActionResult::refused(w->enabled ? Refusal::Hidden : Refusal::Disabled, w->handle);
            return nullptr;
        }
        if (w->cls == WindowClass::Dialog && !w->is(style::kChild)) {
            break;
        }
    }
    return r;
}

// The window if it is usable and of that class.
WindowRecord* usableOf(HWND hwnd, WindowClass cls, ActionResult& refusal) {
    WindowRecord* r = usable(hwnd, refusal);
    if (r && r->cls != cls) {
        refusal = ActionResult::refused(Refusal::WrongClass, hwnd);
        return nullptr;
    }
    return r;
}

bool inRange(int index, std::size_t count, HWND hwnd, ActionResult& refusal) {
    if (index < 0 || static_cast<std::size_t>(index) >= count) {
        refusal = ActionResult::refused(Refusal::OutOfRange, hwnd);
        return false;
    }
    return true;
}

// Radio buttons of the group hwnd belongs to.
std::vector<HWND> groupOf(HWND hwnd) {
    std::vector<HWND> group;
    const WindowRecord* r = writableRecord(hwnd);
    const WindowRecord* parent = r ? windows().find(r->parent) : nullptr;
    if (!parent) {
        return {hwnd};
    }
    const auto& kids = parent->children;
    auto self = std::find(kids.begin(), kids.end(), hwnd);
    auto first = self;
    while (first != kids.begin() && !windows().find(*first)->is(style::kGroup)) {
        --first;
    }
    for (auto it = first; it != kids.end(); ++it) {
        const WindowRecord* c = windows().find(*it);
        if (it != first && c->is(style::kGroup)) {
            break;
        }
        if (c->cls == WindowClass::RadioButton) {
            group.push_back(*it);
        }
    }
    return group;
}

void listViewNotify(HWND hwnd, UINT code, int row) {
    NMLISTVIEW nm;
    nm.hdr.code = code;
    nm.iItem = row;
    windows().notifyParent(hwnd, nm.hdr);
}

}  // namespace

const char* refusalText(Refusal reason) {
    switch (reason) {
        case Refusal::None:
            return "";
        case Refusal::NoWindow:
            return "no such window";
        case Refusal::Disabled:
            return "disabled";
        case Refusal::Hidden:
            return "hidden";
        case Refusal::ReadOnly:
            return "read-only";
        case Refusal::WrongClass:
            return "not that kind of control";
        case Refusal::OutOfRange:
            return "no such entry";
        case Refusal::Declined:
            return "declined";
    }
    return "";
}

std::string describeRefusal(const ActionResult& result, HWND control) {
    const WindowRecord* self = windows().find(control);
    if (result.reason == Refusal::NoWindow || !self) {
        return "the control is gone";
    }
    const auto name = [](const WindowRecord& r) {
        return std::string(windowClassName(r.cls)) + (r.text.empty() ? "" : " \"" + r.text + "\"");
    };
    const WindowRecord* blocker = windows().find(result.window);
    switch (result.reason) {
        case Refusal::Disabled:
        case Refusal::Hidden:
            if (blocker && blocker != self) {
                return name(*self) + " is inside " + name(*blocker) + ", which is " +
                       refusalText(result.reason);
            }
            return name(*self) + " is " + refusalText(result.reason);
        case Refusal::ReadOnly:
            return name(*self) + " is read-only";
        case Refusal::WrongClass:
            return name(*self) + " is not operated that way";
        case Refusal::OutOfRange:
            return name(*self) + " has no such entry";
        case Refusal::Declined:
            return name(*self) + " declined";
        case Refusal::None:
        case Refusal::NoWindow:
            break;
    }
    return name(*self) + " refused";
}

ActionResult operatorSetFocus(HWND control) {
    ActionResult refusal;
    if (!usable(control, refusal)) {
        return refusal;
    }
    windows().setFocus(control);
    return ActionResult::done();
}

ActionResult operatorClick(HWND button) {
    ActionResult refusal;
    WindowRecord* r = usable(button, refusal);
    if (!r) {
        return refusal;
    }
    if (r->cls != WindowClass::CheckBox && r->cls != WindowClass::RadioButton &&
        r->cls != WindowClass::PushButton) {
        return ActionResult::refused(Refusal::WrongClass, button);
    }
    windows().setFocus(button);
    switch (r->cls) {
        case WindowClass::CheckBox:
            windows().setCheck(button, r->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
            break;
        case WindowClass::RadioButton:
            for (HWND member : groupOf(button)) {
                windows().setCheck(member, member == button ? BST_CHECKED : BST_UNCHECKED);
            }
            break;
        default:
            break;
    }
    windows().notifyParentCommand(button, BN_CLICKED);
    return ActionResult::done();
}

ActionResult operatorType(HWND edit, const std::string& text) {
    ActionResult refusal;
    WindowRecord* r = usableOf(edit, WindowClass::Edit, refusal);
    if (!r) {
        return refusal;
    }
    if (r->is(style::kReadOnly)) {
        return ActionResult::refused(Refusal::ReadOnly, edit);
    }
    windows().setFocus(edit);
    std::string accepted;
    for (char ch : text) {
        if (r->is(style::kDigitsOnly) && !std::isdigit(static_cast<unsigned char>(ch))) {
            continue;  // refused, as the desktop does for number-only edits
        }
        if (r->textLimit > 0 && accepted.size() >= static_cast<std::size_t>(r->textLimit)) {
            break;
        }
        accepted += ch;
    }
    if (accepted == r->text) {
        return ActionResult::done();
    }
    windows().setText(edit, accepted);
    windows().notifyParentCommand(edit, EN_CHANGE);
    return ActionResult::done();
}

ActionResult operatorChoose(HWND combo, int index) {
    ActionResult refusal;
    WindowRecord* r = usableOf(combo, WindowClass::ComboBox, refusal);
    if (!r || !inRange(index, r->items.size(), combo, refusal)) {
        return refusal;
    }
    windows().setFocus(combo);
    windows().modify(combo, Change::Selection, [index](WindowRecord& rec) { rec.curSel = index; });
    windows().setText(combo, r->items[static_cast<std::size_t>(index)].text);
    // A person picking the entry already shown still causes a selection change.
    windows().notifyParentCommand(combo, CBN_SELCHANGE);
    return ActionResult::done();
}

ActionResult operatorChooseText(HWND combo, const std::string& text) {
    ActionResult refusal;
    const WindowRecord* r = usableOf(combo, WindowClass::ComboBox, refusal);
    if (!r) {
        return refusal;
    }
    for (std::size_t i = 0; i < r->items.size(); ++i) {
        if (r->items[i].text == text) {
            return operatorChoose(combo, static_cast<int>(i));
        }
    }
    return ActionResult::refused(Refusal::OutOfRange, combo);
}

ActionResult operatorSelectListBox(HWND listBox, int index, SelectMode mode) {
    ActionResult refusal;
    WindowRecord* r = usableOf(listBox, WindowClass::ListBox, refusal);
    if (!r || !inRange(index, r->items.size(), listBox, refusal)) {
        return refusal;
    }
    windows().setFocus(listBox);
    const bool multi = r->is(style::kMultiSelect);
    windows().modify(listBox, Change::Selection, [&](WindowRecord& rec) {
        if (!multi) {
            rec.curSel = index;
            rec.caretIndex = index;
            return;
        }
        auto& items = rec.items;
        if (mode == SelectMode::Ctrl) {
            items[static_cast<std::size_t>(index)].selected =
                !items[static_cast<std::size_t>(index)].selected;
            rec.caretIndex = index;
        } else if (mode == SelectMode::Shift && rec.caretIndex >= 0) {
            const int lo = std::min(rec.caretIndex, index);
            const int hi = std::max(rec.caretIndex, index);
            for (std::size_t i = 0; i < items.size(); ++i) {
                items[i].selected = static_cast<int>(i) >= lo && static_cast<int>(i) <= hi;
            }
        } else {
            for (std::size_t i = 0; i < items.size(); ++i) {
                items[i].selected = static_cast<int>(i) == index;
            }
            rec.caretIndex = index;
        }
    });
    windows().notifyParentCommand(listBox, LBN_SELCHANGE);
    return ActionResult::done();
}

ActionResult operatorSelectRows(HWND listView, const std::vector<int>& rows, SelectMode mode) {
    ActionResult refusal;
    WindowRecord* r = usableOf(listView, WindowClass::ListView, refusal);
    if (!r) {
        return refusal;
    }
    const int count = static_cast<int>(r->rows.size());
    for (int row : rows) {
        if (!inRange(row, r->rows.size(), listView, refusal)) {
            return refusal;
        }
    }
    windows().setFocus(listView);
    CListCtrl* list = dynamic_cast<CListCtrl*>(CWnd::FromHandle(listView));
    std::vector<int> wanted = rows;
    if (r->is(style::kSingleSelect)) {
        // One row at a time: Ctrl and Shift cannot keep or extend a selection, so the click
        // acts as a plain one (keeping the old row would leave it, not the clicked one).
        if (wanted.size() > 1) {
            wanted = {wanted.back()};
        }
        mode = SelectMode::Plain;
    }
    std::vector<bool> select(static_cast<std::size_t>(count), false);
    if (mode == SelectMode::Shift && !wanted.empty()) {
        int anchor = list->GetNextItem(-1, LVNI_FOCUSED);
        if (anchor < 0) {
            anchor = wanted.front();
        }
        const int lo = std::min(anchor, wanted.back());
        const int hi = std::max(anchor, wanted.back());
        for (int i = lo; i <= hi; ++i) {
            select[static_cast<std::size_t>(i)] = true;
        }
    } else {
        if (mode == SelectMode::Ctrl) {
            for (int i = 0; i < count; ++i) {
                select[static_cast<std::size_t>(i)] = list->GetItemState(i, LVIS_SELECTED) != 0;
            }
        }
        for (int row : wanted) {
            select[static_cast<std::size_t>(row)] =
                mode == SelectMode::Ctrl ? !select[static_cast<std::size_t>(row)] : true;
        }
    }
    // Deselections first, then selections, then the focus, as the desktop reports them.
    for (int i = 0; i < count; ++i) {
        if (!select[static_cast<std::size_t>(i)]) {
            list->SetItemState(i, 0, LVIS_SELECTED);
        }
    }
    for (int i = 0; i < count; ++i) {
        if (select[static_cast<std::size_t>(i)]) {
            list->SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
        }
    }
    if (!wanted.empty() && mode != SelectMode::Shift) {
        list->SetItemState(wanted.back(), LVIS_FOCUSED, LVIS_FOCUSED);
    }
    if (!wanted.empty()) {
        listViewNotify(listView, NM_CLICK, wanted.back());
    }
    return ActionResult::done();
}

ActionResult operatorDoubleClick(HWND control, int index) {
    ActionResult refusal;
    WindowRecord* r = usable(control, refusal);
    if (!r) {
        return refusal;
    }
    switch (r->cls) {
        case WindowClass::ListBox:
            if (index >= 0) {
                if (ActionResult selected = operatorSelectListBox(control, index); !selected) {
                    return selected;
                }
            }
            windows().notifyParentCommand(control, LBN_DBLCLK);
            return ActionResult::done();
        case WindowClass::ListView:
            if (index >= 0) {
                if (ActionResult selected = operatorSelectRows(control, {index}); !selected) {
                    return selected;
                }
            }
            listViewNotify(control, NM_DBLCLK, index);
            return ActionResult::done();
        case WindowClass::PushButton:
        case WindowClass::CheckBox:
        case WindowClass::RadioButton:
            operatorClick(control);
            windows().notifyParentCommand(control, BN_DOUBLECLICKED);
            return ActionResult::done();
        default:
            return ActionResult::refused(Refusal::WrongClass, control);
    }
}

ActionResult operatorClickColumn(HWND listView, int column) {
    ActionResult refusal;
    WindowRecord* r = usableOf(listView, WindowClass::ListView, refusal);
    if (!r || !inRange(column, r->columns.size(), listView, refusal)) {
        return refusal;
    }
    NMLISTVIEW nm;
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iSubItem = column;
    windows().notifyParent(listView, nm.hdr);
    return ActionResult::done();
}

ActionResult operatorActivateTab(HWND sheet, int index) {
    ActionResult refusal;
    WindowRecord* r = usableOf(sheet, WindowClass::Dialog, refusal);
    if (!r || !inRange(index, r->tabs.size(), sheet, refusal)) {
        return refusal;
    }
    if (index == r->activeTab) {
        return ActionResult::done();
    }
    if (windows().send(sheet, WM_AFX_ACTIVATE_TAB, static_cast<WPARAM>(index), 0) == 0) {
        return ActionResult::refused(Refusal::Declined, sheet);
    }
    return ActionResult::done();
}

ActionResult operatorDragRow(HWND listView, int row) {
    ActionResult refusal;
    WindowRecord* r = usableOf(listView, WindowClass::ListView, refusal);
    if (!r || !inRange(row, r->rows.size(), listView, refusal)) {
        return refusal;
    }
    std::string carried;
    if (windows().send(listView, WM_AFX_BEGIN_DRAG, static_cast<WPARAM>(row),
                       reinterpret_cast<LPARAM>(&carried)) == 0) {
        return ActionResult::refused(Refusal::Declined, listView);
    }
    return ActionResult::done(std::move(carried));
}

}  // namespace afx
