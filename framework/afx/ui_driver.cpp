#include "framework/afx/ui_driver.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "framework/afx/control_layout.h"
#include "framework/afx/event_loop.h"
#include "framework/afx/text_renderer.h"

namespace afx {

namespace {

struct Candidate {
    HWND hwnd;
    std::string name;   // as a person reads it
    std::string group;  // the group box around it, if any
    bool caption;       // a label static or a group box: names others, is not operated
};

const WindowRecord& rec(HWND hwnd) {
    return *windows().find(hwnd);
}

void collect(HWND container, std::vector<Candidate>& out) {
    ControlLayout layout(container);
    for (HWND child : layout.visibleChildren()) {
        const WindowRecord& r = rec(child);
        if (isContainer(r)) {
            collect(child, out);
            continue;
        }
        const HWND group = layout.groupOf(child);
        out.push_back({child, layout.nameOf(child), group ? stripMnemonic(rec(group).text) : "",
                       layout.isLabel(child) || r.cls == WindowClass::GroupBox});
    }
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string describe(const Candidate& c) {
    const WindowRecord& r = rec(c.hwnd);
    std::string out = windowClassName(r.cls);
    if (!c.name.empty()) {
        out += " " + quoted(c.name);
    }
    out += " (id " + std::to_string(r.id) + ")";
    if (!c.group.empty()) {
        out += " in group " + quoted(c.group);
    }
    return out;
}

std::string describeHwnd(HWND hwnd) {
    const WindowRecord& r = rec(hwnd);
    ControlLayout layout(r.parent);
    const std::string name = layout.nameOf(hwnd);
    return std::string(windowClassName(r.cls)) + (name.empty() ? "" : " " + quoted(name));
}

// Why the operator action on hwnd that just returned false refused, as a person would see it.
std::string refusalReason(const ActionResult& refusal, HWND hwnd) {
    if (refusal.reason == Refusal::NoWindow || !windows().isWindow(hwnd)) {
        return "the control is gone";
    }
    const std::string self = describeHwnd(hwnd);
    const WindowRecord* blocker = windows().find(refusal.window);
    switch (refusal.reason) {
        case Refusal::None:
            return self + " refused";
        case Refusal::Disabled:
        case Refusal::Hidden:
            if (blocker && blocker->handle != hwnd) {
                return self + " is inside " + windowClassName(blocker->cls) + " " +
                       quoted(blocker->text) + ", which is " + refusalText(refusal.reason);
            }
            return self + " is " + refusalText(refusal.reason);
        case Refusal::ReadOnly:
            return self + " is read-only";
        case Refusal::WrongClass:
            return self + " is not operated that way";
        case Refusal::OutOfRange:
            return self + " has no such entry";
        case Refusal::Declined:
            return self + " declined";
        case Refusal::NoWindow:
            break;
    }
    return self + " refused";
}

bool matchesClass(HWND hwnd, std::initializer_list<WindowClass> classes) {
    return classes.size() == 0 ||
           std::find(classes.begin(), classes.end(), rec(hwnd).cls) != classes.end();
}

std::string joinedNames(const std::vector<Candidate>& candidates) {
    std::string out;
    for (const auto& c : candidates) {
        out += (out.empty() ? "" : ", ") + describe(c);
    }
    return out.empty() ? "none" : out;
}

int entryIndex(const WindowRecord& r, const std::string& entry) {
    for (std::size_t i = 0; i < r.items.size(); ++i) {
        if (r.items[i].text == entry) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string entryList(const WindowRecord& r) {
    std::string out;
    for (const auto& item : r.items) {
        out += (out.empty() ? "" : ", ") + quoted(item.text);
    }
    return out.empty() ? "no entries" : "entries " + out;
}

}  // namespace

ControlRef ControlRef::withId(int id) {
    ControlRef ref;
    ref.m_id = id;
    return ref;
}

ControlRef ControlRef::inGroup(std::string group, std::string label) {
    ControlRef ref(std::move(label));
    ref.m_group = std::move(group);
    return ref;
}

std::string ControlRef::describe() const {
    if (m_id) {
        return "control id " + std::to_string(*m_id);
    }
    std::string out = quoted(m_label);
    if (!m_group.empty()) {
        out += " in group " + quoted(m_group);
    }
    return out;
}

std::string describeMessageBox(const MessageBoxState& box) {
    return quoted(box.text) + " (caption " + quoted(box.caption) + ", " +
           describeMessageBoxStyle(box.style) + ")";
}

OperatorDriver::OperatorDriver() : m_previous(setUiDriver(this)) {}

OperatorDriver::~OperatorDriver() {
    if (uiDriver() == this) {
        setUiDriver(m_previous);
    }
}

void OperatorDriver::fail(const std::string& message) {
    m_failures.push_back(message);
    if (m_onFailure) {
        m_onFailure(message);
    } else {
        std::fprintf(stderr, "operator: %s\n", message.c_str());
    }
}

HWND OperatorDriver::scope() {
    if (!m_modalStack.empty()) {
        return m_modalStack.back();
    }
    return windows().isWindow(m_root) ? m_root : nullptr;
}

FoundControl OperatorDriver::find(const ControlRef& ref) {
    return findOfClass(ref, {}, "control");
}

FoundControl OperatorDriver::findOfClass(const ControlRef& ref,
                                         std::initializer_list<WindowClass> classes,
                                         const char* what) {
    const HWND where = scope();
    std::vector<Candidate> all;
    std::string place = "on screen";
    if (where) {
        collect(where, all);
        place = "in " + quoted(rec(where).text);
    } else {
        for (HWND top : windows().topLevelWindows()) {
            if (rec(top).visible) {
                collect(top, all);
            }
        }
    }
    std::vector<Candidate> named;
    if (ref.id()) {
        std::copy_if(all.begin(), all.end(), std::back_inserter(named),
                     [&](const Candidate& c) { return rec(c.hwnd).id == *ref.id(); });
    } else {
        const std::string label = normalizeLabel(ref.label());
        const std::string group = normalizeLabel(ref.group());
        std::copy_if(all.begin(), all.end(), std::back_inserter(named), [&](const Candidate& c) {
            return !c.caption && normalizeLabel(c.name) == label &&
                   (group.empty() || normalizeLabel(c.group) == group);
        });
        if (named.empty() && group.empty()) {
            // A control alone in its group box goes by the group's name.
            std::copy_if(all.begin(), all.end(), std::back_inserter(named),
                         [&](const Candidate& c) {
                             return !c.caption && rec(c.hwnd).cls != WindowClass::Static &&
                                    normalizeLabel(c.group) == label;
                         });
        }
    }
    std::vector<Candidate> fitting;
    std::copy_if(named.begin(), named.end(), std::back_inserter(fitting),
                 [&](const Candidate& c) { return matchesClass(c.hwnd, classes); });
    if (fitting.size() == 1) {
        return {StepResult::success(), fitting.front().hwnd};
    }
    if (fitting.size() > 1) {
        return {StepResult::failure(ref.describe() + " names " + std::to_string(fitting.size()) +
                                    " controls " + place + ": " + joinedNames(fitting)),
                nullptr};
    }
    if (!named.empty()) {
        return {StepResult::failure(ref.describe() + " " + place + " is not a " + what + ": " +
                                    joinedNames(named)),
                nullptr};
    }
    std::vector<Candidate> operable;
    std::copy_if(all.begin(), all.end(), std::back_inserter(operable),
                 [&](const Candidate& c) { return !c.caption && matchesClass(c.hwnd, classes); });
    return {StepResult::failure("no " + std::string(what) + " " + ref.describe() + " " + place +
                                "; there are: " + joinedNames(operable)),
            nullptr};
}

StepResult OperatorDriver::acted(const ActionResult& done, HWND hwnd, const std::string& what,
                                 std::string note) {
    if (!done) {
        return StepResult::failure(what + ": " + refusalReason(done, hwnd));
    }
    if (m_settle) {
        runUntilIdle();
    }
    return StepResult::success(std::move(note));
}

FoundRow OperatorDriver::findRow(const ControlRef& list,
                                 const std::vector<std::string>& leadingCells) {
    const FoundControl found = findOfClass(list, {WindowClass::ListView}, "list");
    if (!found.result) {
        return {found.result, -1};
    }
    const WindowRecord& r = rec(found.hwnd);
    std::vector<int> rows;
    for (std::size_t i = 0; i < r.rows.size(); ++i) {
        bool same = true;
        for (std::size_t c = 0; c < leadingCells.size() && same; ++c) {
            same = r.rows[i].cell(c) == leadingCells[c];
        }
        if (same) {
            rows.push_back(static_cast<int>(i));
        }
    }
    std::string asked;
    for (const auto& cell : leadingCells) {
        asked += (asked.empty() ? "" : " | ") + cell;
    }
    if (rows.size() == 1) {
        return {StepResult::success(), rows.front()};
    }
    if (rows.empty()) {
        return {
            StepResult::failure("no row starting " + quoted(asked) + " in list " + list.describe() +
                                " (" + std::to_string(r.rows.size()) + " rows)"),
            -1};
    }
    std::string indexes;
    for (int row : rows) {
        indexes += (indexes.empty() ? "" : ", ") + std::to_string(row);
    }
    return {StepResult::failure(std::to_string(rows.size()) + " rows start " + quoted(asked) +
                                " in list " + list.describe() + ": rows " + indexes),
            -1};
}

StepResult OperatorDriver::read(const ControlRef& ref, std::string& value) {
    const FoundControl found = find(ref);
    if (!found.result) {
        return found.result;
    }
    const WindowRecord& r = rec(found.hwnd);
    switch (r.cls) {
        case WindowClass::CheckBox:
        case WindowClass::RadioButton:
            value = r.check == BST_CHECKED ? "checked" : "unchecked";
            break;
        case WindowClass::ComboBox:
        case WindowClass::ListBox:
            value = r.curSel >= 0 && static_cast<std::size_t>(r.curSel) < r.items.size()
                        ? r.items[static_cast<std::size_t>(r.curSel)].text
                        : std::string(r.cls == WindowClass::ComboBox && !r.is(style::kDropDownList)
                                          ? r.text
                                          : "");
            break;
        default:
            value = r.text;
    }
    return StepResult::success();
}

StepResult OperatorDriver::click(const ControlRef& ref) {
    const FoundControl found = findOfClass(
        ref, {WindowClass::PushButton, WindowClass::CheckBox, WindowClass::RadioButton}, "button");
    if (!found.result) {
        return found.result;
    }
    return acted(operatorClick(found.hwnd), found.hwnd, "click " + ref.describe());
}

StepResult OperatorDriver::press(const std::string& caption) {
    const FoundControl found = findOfClass(caption, {WindowClass::PushButton}, "push button");
    if (!found.result) {
        return found.result;
    }
    return acted(operatorClick(found.hwnd), found.hwnd, "press " + quoted(caption));
}

StepResult OperatorDriver::type(const ControlRef& ref, const std::string& text) {
    const FoundControl found = findOfClass(ref, {WindowClass::Edit}, "edit");
    if (!found.result) {
        return found.result;
    }
    const WindowRecord& r = rec(found.hwnd);
    const std::string what = "type " + quoted(text) + " into " + ref.describe();
    const ActionResult done = operatorType(found.hwnd, text);
    std::string note;
    if (done && r.text != text) {
        std::string refused;
        if (r.is(style::kDigitsOnly)) {
            std::copy_if(text.begin(), text.end(), std::back_inserter(refused),
                         [](char ch) { return !std::isdigit(static_cast<unsigned char>(ch)); });
        }
        note = "the edit took " + quoted(r.text);
        if (!refused.empty()) {
            note += "; it refuses non-digits " + quoted(refused);
        }
        if (r.textLimit > 0 && r.text.size() == static_cast<std::size_t>(r.textLimit)) {
            note += "; it holds at most " + std::to_string(r.textLimit) + " characters";
        }
    }
    return acted(done, found.hwnd, what, note);
}

StepResult OperatorDriver::choose(const ControlRef& ref, const std::string& entry,
                                  SelectMode mode) {
    const FoundControl found =
        findOfClass(ref, {WindowClass::ComboBox, WindowClass::ListBox}, "combo box or list box");
    if (!found.result) {
        return found.result;
    }
    const int index = entryIndex(rec(found.hwnd), entry);
    if (index < 0) {
        return StepResult::failure("choose " + quoted(entry) + " in " + ref.describe() +
                                   ": no such entry; " + entryList(rec(found.hwnd)));
    }
    return chooseIn(found.hwnd, index, mode, ref.describe());
}

StepResult OperatorDriver::choose(const ControlRef& ref, int index, SelectMode mode) {
    const FoundControl found =
        findOfClass(ref, {WindowClass::ComboBox, WindowClass::ListBox}, "combo box or list box");
    if (!found.result) {
        return found.result;
    }
    return chooseIn(found.hwnd, index, mode, ref.describe());
}

StepResult OperatorDriver::chooseIn(HWND control, int index, SelectMode mode,
                                    const std::string& name) {
    const WindowRecord& r = rec(control);
    const std::string what = "choose entry " + std::to_string(index) + " in " + name;
    if (index < 0 || static_cast<std::size_t>(index) >= r.items.size()) {
        return StepResult::failure(what + ": out of range; " + entryList(r));
    }
    const ActionResult done = r.cls == WindowClass::ComboBox
                                  ? operatorChoose(control, index)
                                  : operatorSelectListBox(control, index, mode);
    return acted(done, control, what);
}

StepResult OperatorDriver::doubleClick(const ControlRef& ref, const std::string& entry) {
    const FoundControl found =
        findOfClass(ref, {WindowClass::ListBox, WindowClass::ListView}, "list");
    if (!found.result) {
        return found.result;
    }
    const WindowRecord& r = rec(found.hwnd);
    if (r.cls == WindowClass::ListView) {
        const FoundRow row = findRow(ref, {entry});
        return row.result ? doubleClickIn(found.hwnd, row.row, ref.describe()) : row.result;
    }
    const int index = entryIndex(r, entry);
    if (index < 0) {
        return StepResult::failure("double-click " + quoted(entry) + " in " + ref.describe() +
                                   ": no such entry; " + entryList(r));
    }
    return doubleClickIn(found.hwnd, index, ref.describe());
}

StepResult OperatorDriver::doubleClick(const ControlRef& ref, int index) {
    const FoundControl found =
        findOfClass(ref, {WindowClass::ListBox, WindowClass::ListView}, "list");
    if (!found.result) {
        return found.result;
    }
    return doubleClickIn(found.hwnd, index, ref.describe());
}

StepResult OperatorDriver::doubleClickIn(HWND list, int index, const std::string& name) {
    const WindowRecord& r = rec(list);
    const std::size_t count = r.cls == WindowClass::ListBox ? r.items.size() : r.rows.size();
    const std::string what = "double-click entry " + std::to_string(index) + " of " + name;
    if (index < 0 || static_cast<std::size_t>(index) >= count) {
        return StepResult::failure(what + ": out of range (" + std::to_string(count) + " entries)");
    }
    return acted(operatorDoubleClick(list, index), list, what);
}

StepResult OperatorDriver::selectRows(const ControlRef& list, const std::vector<int>& rows,
                                      SelectMode mode) {
    const FoundControl found = findOfClass(list, {WindowClass::ListView}, "list");
    if (!found.result) {
        return found.result;
    }
    const WindowRecord& r = rec(found.hwnd);
    std::string what = "select rows";
    for (int row : rows) {
        what += " " + std::to_string(row);
    }
    what += " of " + list.describe();
    for (int row : rows) {
        if (row < 0 || static_cast<std::size_t>(row) >= r.rows.size()) {
            return StepResult::failure(what + ": row " + std::to_string(row) + " out of range (" +
                                       std::to_string(r.rows.size()) + " rows)");
        }
    }
    std::string note;
    if (rows.size() > 1 && r.is(style::kSingleSelect)) {
        note = "the list selects one row at a time; row " + std::to_string(rows.back()) +
               " is selected";
    }
    return acted(operatorSelectRows(found.hwnd, rows, mode), found.hwnd, what, note);
}

StepResult OperatorDriver::selectRow(const ControlRef& list,
                                     const std::vector<std::string>& leadingCells,
                                     SelectMode mode) {
    const FoundRow row = findRow(list, leadingCells);
    return row.result ? selectRows(list, {row.row}, mode) : row.result;
}

StepResult OperatorDriver::clickColumn(const ControlRef& list, const std::string& heading) {
    const FoundControl found = findOfClass(list, {WindowClass::ListView}, "list");
    if (!found.result) {
        return found.result;
    }
    const WindowRecord& r = rec(found.hwnd);
    std::string headings;
    for (std::size_t c = 0; c < r.columns.size(); ++c) {
        if (normalizeLabel(r.columns[c].heading) == normalizeLabel(heading)) {
            return acted(operatorClickColumn(found.hwnd, static_cast<int>(c)), found.hwnd,
                         "click heading " + quoted(heading));
        }
        headings += (headings.empty() ? "" : ", ") + quoted(r.columns[c].heading);
    }
    return StepResult::failure("click heading " + quoted(heading) + " of " + list.describe() +
                               ": no such heading; headings " + headings);
}

StepResult OperatorDriver::focus(const ControlRef& ref) {
    const FoundControl found = find(ref);
    if (!found.result) {
        return found.result;
    }
    return acted(operatorSetFocus(found.hwnd), found.hwnd, "focus " + ref.describe());
}

StepResult OperatorDriver::activatePage(const std::string& caption) {
    const HWND sheet = scope();
    const WindowRecord* r = windows().find(sheet);
    if (r == nullptr || r->tabs.empty()) {
        return StepResult::failure("activate page " + quoted(caption) + ": no property sheet");
    }
    std::string tabs;
    for (std::size_t i = 0; i < r->tabs.size(); ++i) {
        if (normalizeLabel(r->tabs[i]) == normalizeLabel(caption)) {
            return activatePage(static_cast<int>(i));
        }
        tabs += (tabs.empty() ? "" : ", ") + quoted(r->tabs[i]);
    }
    return StepResult::failure("activate page " + quoted(caption) + ": no such tab; tabs " + tabs);
}

StepResult OperatorDriver::activatePage(int index) {
    const HWND sheet = scope();
    const WindowRecord* r = windows().find(sheet);
    const std::string what = "activate page " + std::to_string(index);
    if (r == nullptr || r->tabs.empty()) {
        return StepResult::failure(what + ": no property sheet");
    }
    if (index < 0 || static_cast<std::size_t>(index) >= r->tabs.size()) {
        return StepResult::failure(what + ": out of range (" + std::to_string(r->tabs.size()) +
                                   " tabs)");
    }
    const ActionResult done = operatorActivateTab(sheet, index);
    if (!done && done.reason == Refusal::Declined) {
        return StepResult::failure(what + ": the page shown refused to let go");
    }
    return acted(done, sheet, what);
}

StepResult OperatorDriver::drag(const ControlRef& list, int row, std::string* carried) {
    const FoundControl found = findOfClass(list, {WindowClass::ListView}, "list");
    if (!found.result) {
        return found.result;
    }
    const std::size_t rows = rec(found.hwnd).rows.size();
    const std::string what = "drag row " + std::to_string(row) + " of " + list.describe();
    if (row < 0 || static_cast<std::size_t>(row) >= rows) {
        return StepResult::failure(what + ": out of range (" + std::to_string(rows) + " rows)");
    }
    const ActionResult done = operatorDragRow(found.hwnd, row);
    if (!done && done.reason == Refusal::Declined) {
        return StepResult::failure(what + ": its rows cannot be dragged now");
    }
    if (done && carried != nullptr) {
        *carried = done.text;
    }
    return acted(done, found.hwnd, what);
}

void OperatorDriver::expectMessageBox(int answer, std::string caption, std::string text) {
    m_answers.push_back({answer, std::move(caption), std::move(text)});
}

void OperatorDriver::expectModal(ModalScript script, std::string caption) {
    m_modals.push_back({std::move(script), std::move(caption)});
}

StepResult OperatorDriver::verifyAllExpectedShown() const {
    std::string missing;
    for (const auto& box : m_answers) {
        missing += (missing.empty() ? "" : "; ") + std::string("message box") +
                   (box.caption.empty() ? "" : " " + quoted(box.caption)) +
                   (box.text.empty() ? "" : " " + quoted(box.text));
    }
    for (const auto& modal : m_modals) {
        missing += (missing.empty() ? "" : "; ") + std::string("modal dialog") +
                   (modal.caption.empty() ? "" : " " + quoted(modal.caption));
    }
    return missing.empty() ? StepResult::success()
                           : StepResult::failure("expected but never shown: " + missing);
}

StepResult OperatorDriver::advance(std::int64_t ms) {
    EventLoop& loop = EventLoop::instance();
    if (!loop.isVirtualClock()) {
        return StepResult::failure("advance " + std::to_string(ms) +
                                   " ms: the event loop runs on the real clock");
    }
    loop.advance(ms);
    return StepResult::success();
}

void OperatorDriver::runUntilIdle() {
    EventLoop::instance().runUntilIdle();
}

int OperatorDriver::answerMessageBox(const MessageBoxState& box) {
    ShownMessageBox shown{box.text, box.caption, box.style, defaultMessageBoxAnswer(box.style),
                          false};
    if (m_answers.empty()) {
        fail("unexpected message box " + describeMessageBox(box));
    } else {
        const ExpectedBox expected = m_answers.front();
        m_answers.pop_front();
        const auto buttons = messageBoxButtons(box.style);
        const bool answerFits =
            std::any_of(buttons.begin(), buttons.end(),
                        [&](const auto& button) { return button.first == expected.answer; });
        if ((!expected.caption.empty() && expected.caption != box.caption) ||
            (!expected.text.empty() && expected.text != box.text)) {
            fail("message box " + describeMessageBox(box) + " where " +
                 (expected.caption.empty() ? "" : "caption " + quoted(expected.caption) + " ") +
                 (expected.text.empty() ? "" : "text " + quoted(expected.text) + " ") +
                 "was expected");
        } else if (!answerFits) {
            fail("message box " + describeMessageBox(box) + " has no button for answer " +
                 std::to_string(expected.answer));
        } else {
            shown.answer = expected.answer;
            shown.expected = true;
        }
    }
    m_shown.push_back(shown);
    return shown.answer;
}

void OperatorDriver::modalLoopStarted(HWND dialog) {
    m_modalStack.push_back(dialog);
    const std::string caption = rec(dialog).text;
    if (m_modals.empty() ||
        (!m_modals.front().caption.empty() && m_modals.front().caption != caption)) {
        fail("unexpected modal dialog " + quoted(caption) +
             (m_modals.empty() ? ""
                               : " where " + quoted(m_modals.front().caption) + " was expected"));
        // A person would close it; the program goes on as after Cancel.
        windows().send(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    const ModalScript script = std::move(m_modals.front().script);
    m_modals.pop_front();
    script(*this, dialog);
}

void OperatorDriver::modalLoopEnded(HWND dialog) {
    // Innermost first; a loop that started before this driver was installed is not listed.
    const auto it = std::find(m_modalStack.rbegin(), m_modalStack.rend(), dialog);
    if (it != m_modalStack.rend()) {
        m_modalStack.erase(std::next(it).base());
    }
}

}  // namespace afx
