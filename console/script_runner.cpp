#include "console/script_runner.h"

#include <algorithm>
#include <charconv>
#include <functional>

#include "console/modal_state.h"
#include "framework/afx/printable_text.h"
#include "framework/afx/text_renderer.h"
#include "framework/sw/sw_property_sheet.h"

namespace console {

namespace {

bool asIndex(const std::string& text, int* index) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, *index);
    return !text.empty() && ec == std::errc() && ptr == end && *index >= 0;
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// "#1101" names a control by its id, for controls without a label of their own.
afx::ControlRef controlRef(const std::string& label) {
    int id = 0;
    if (label.size() > 1 && label[0] == '#' && asIndex(label.substr(1), &id)) {
        return afx::ControlRef::withId(id);
    }
    return afx::ControlRef(label);
}

std::string windowText(HWND hwnd) {
    const afx::WindowRecord* record = afx::windows().find(hwnd);
    return record ? record->text : std::string();
}

}  // namespace

ScriptRunner::ScriptRunner(ConsoleDriver& driver, CSwPropertySheet& sheet,
                           std::vector<NamedPage> pages, EventSettler& settler, std::ostream& out)
    : m_driver(driver),
      m_sheet(sheet),
      m_sheetWindow(sheet.GetSafeHwnd()),
      m_pages(std::move(pages)),
      m_settler(settler),
      m_out(out) {
    m_driver.setModalHandler([this](HWND dialog) { onModal(dialog); });
}

ScriptRunner::~ScriptRunner() {
    m_driver.setModalHandler(nullptr);
}

bool ScriptRunner::sheetOpen() const {
    return afx::windows().isWindow(m_sheetWindow);
}

std::string ScriptRunner::renderScope() {
    HWND scope = m_driver.scope();
    if (scope == nullptr || !afx::windows().isWindow(scope)) {
        return "(no window open)\n";
    }
    return afx::renderWindow(scope);
}

ScriptOutcome ScriptRunner::run(const std::vector<ScriptStep>& steps) {
    m_steps = &steps;
    m_next = 0;
    m_outcome = {};
    runSteps(nullptr);
    m_steps = nullptr;
    return m_outcome;
}

void ScriptRunner::runSteps(HWND modal) {
    while (m_outcome.ok && m_next < m_steps->size() &&
           (modal == nullptr || !modalHasEnded(modal))) {
        const ScriptStep& step = (*m_steps)[m_next++];
        followClosedSheet();
        const std::string where =
            "line " + std::to_string(step.line) + ": " + scriptExcerpt(step.text) + ": ";
        afx::StepResult result = execute(step);
        if (!result.ok) {
            m_outcome = {false, where + result.message};
            return;
        }
        if (!result.message.empty()) {
            m_out << "line " << step.line << ": " << afx::printableText(result.message) << "\n";
        }
        if (step.verb != Verb::Wait && !m_settler.settle()) {
            m_outcome = {false, where + "did not settle within " +
                                    std::to_string(m_settler.boundMs()) +
                                    " ms (the agent does not answer)"};
            return;
        }
    }
}

void ScriptRunner::onModal(HWND dialog) {
    m_out << "dialog \"" << afx::printableText(windowText(dialog)) << "\" opened\n";
    if (m_steps != nullptr) {
        m_settler.settle();
        runSteps(dialog);
    }
    if (!modalHasEnded(dialog)) {
        // The script is over or failed inside the dialog: close it as a person would.
        m_out << "dialog \"" << afx::printableText(windowText(dialog))
              << "\" left open by the script; cancelled\n";
        afx::windows().send(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}

afx::StepResult ScriptRunner::execute(const ScriptStep& step) {
    const auto& a = step.args;
    switch (step.verb) {
        case Verb::Page:
            return activatePage(a[0]);
        case Verb::Click:
            return m_driver.click(controlRef(a[0]));
        case Verb::Type:
            return m_driver.type(controlRef(a[0]), a[1]);
        case Verb::Choose:
            return chooseEntry(step);
        case Verb::Select:
            return m_driver.selectRows(controlRef(a[0]), step.rows);
        case Verb::DblClick:
            return doubleClickEntry(step);
        case Verb::Drag:
            return drag(a[0], step.rows[0]);
        case Verb::Apply:
            return m_driver.press("Apply");
        case Verb::Ok:
            return m_driver.press("OK");
        case Verb::Cancel:
            return m_driver.press("Cancel");
        case Verb::Refresh:
            return m_driver.press("Refresh");
        case Verb::Help:
            return m_driver.press("Help");
        case Verb::Answer:
            m_driver.queueAnswer(step.answer);
            return afx::StepResult::success();
        case Verb::Wait:
            m_settler.pass(step.waitMs);
            return afx::StepResult::success();
        case Verb::Dump:
            m_out << renderScope();
            return afx::StepResult::success();
        case Verb::Sheet:
            return addressSheet(a[0]);
    }
    return afx::StepResult::failure("unknown action");
}

afx::StepResult ScriptRunner::activatePage(const std::string& nameOrTitle) {
    if (m_addressed != nullptr) {
        return activatePageOf(m_addressed, nameOrTitle);
    }
    if (!sheetOpen()) {
        return afx::StepResult::failure("the property sheet is closed");
    }
    std::vector<std::string> known;
    for (const NamedPage& named : m_pages) {
        // The tab's text comes from the template, so a page not shown yet has a title too.
        const std::string tab = named.page->m_caption.str();
        CString shown;
        if (named.page->GetSafeHwnd()) {
            named.page->GetWindowText(shown);
        }
        if (sameIgnoringCase(named.name, nameOrTitle) ||
            (!tab.empty() && sameIgnoringCase(tab, nameOrTitle)) ||
            (!shown.IsEmpty() && sameIgnoringCase(shown.str(), nameOrTitle))) {
            if (!m_sheet.SetActivePage(named.page)) {
                return afx::StepResult::failure("the active page refused to let go");
            }
            return afx::StepResult::success();
        }
        known.push_back(named.name);
    }
    std::string list;
    for (const std::string& name : known) {
        list += (list.empty() ? "" : ", ") + name;
    }
    return afx::StepResult::failure("no page of that name or title; the sheet has " + list);
}

std::vector<HWND> ScriptRunner::openSheets() const {
    std::vector<HWND> sheets;
    if (sheetOpen()) {
        sheets.push_back(m_sheetWindow);
    }
    std::vector<HWND> modeless;
    std::function<void(HWND)> visit = [&](HWND hwnd) {
        const afx::WindowRecord* r = afx::windows().find(hwnd);
        if (r == nullptr) {
            return;
        }
        if (hwnd != m_sheetWindow && r->cls == afx::WindowClass::Dialog &&
            !r->is(afx::style::kChild) && !r->tabs.empty()) {
            modeless.push_back(hwnd);
        }
        for (HWND child : r->children) {
            visit(child);
        }
    };
    for (HWND top : afx::windows().topLevelWindows()) {
        visit(top);
    }
    // Handles grow as windows are made: this is the order the sheets were opened in.
    std::sort(modeless.begin(), modeless.end(), [](HWND a, HWND b) {
        return reinterpret_cast<std::uintptr_t>(a) < reinterpret_cast<std::uintptr_t>(b);
    });
    sheets.insert(sheets.end(), modeless.begin(), modeless.end());
    return sheets;
}

void ScriptRunner::followClosedSheet() {
    if (m_addressed == nullptr || afx::windows().isWindow(m_addressed)) {
        return;
    }
    m_out << "sheet \"" << m_addressedCaption << "\" closed; steps act in the main sheet\n";
    m_addressed = nullptr;
    m_addressedCaption.clear();
    m_driver.setRoot(m_sheetWindow);
}

afx::StepResult ScriptRunner::addressSheet(const std::string& which) {
    const HWND scope = m_driver.scope();
    const HWND root = m_addressed != nullptr ? m_addressed : m_sheetWindow;
    if (scope != nullptr && scope != root) {
        return afx::StepResult::failure("dialog \"" + windowText(scope) +
                                        "\" is open; close it first");
    }
    const std::vector<HWND> sheets = openSheets();
    HWND chosen = nullptr;
    int number = 0;
    if (sameIgnoringCase(which, "main")) {
        chosen = sheetOpen() ? m_sheetWindow : nullptr;
    } else if (asIndex(which, &number)) {
        const int offset = sheetOpen() ? 0 : 1;  // 0 stays the console's sheet
        const int at = number - offset;
        chosen = at >= 0 && at < static_cast<int>(sheets.size()) ? sheets[at] : nullptr;
    } else {
        for (HWND sheet : sheets) {
            if (sameIgnoringCase(windowText(sheet), which)) {
                chosen = sheet;
                break;
            }
        }
    }
    if (chosen == nullptr) {
        std::string list;
        int index = sheetOpen() ? 0 : 1;
        for (HWND sheet : sheets) {
            list += (list.empty() ? "" : ", ") + std::to_string(index) +
                    (sheet == m_sheetWindow ? " main" : "") + " \"" + windowText(sheet) + "\"";
            ++index;
        }
        return afx::StepResult::failure("no open sheet " + which +
                                        "; open sheets: " + (list.empty() ? "none" : list));
    }
    m_addressed = chosen == m_sheetWindow ? nullptr : chosen;
    m_addressedCaption = m_addressed ? windowText(chosen) : "";
    m_driver.setRoot(chosen);
    return afx::StepResult::success();
}

afx::StepResult ScriptRunner::activatePageOf(HWND sheetWindow, const std::string& title) {
    const afx::WindowRecord* sheet = afx::windows().find(sheetWindow);
    if (sheet == nullptr) {
        return afx::StepResult::failure("the sheet is closed");
    }
    std::string known;
    for (std::size_t i = 0; i < sheet->tabs.size(); ++i) {
        const std::string& caption = sheet->tabs[i];
        int index = 0;
        if ((!caption.empty() && sameIgnoringCase(caption, title)) ||
            (asIndex(title, &index) && index == static_cast<int>(i))) {
            const afx::ActionResult shown =
                afx::operatorActivateTab(sheetWindow, static_cast<int>(i));
            if (shown.reason == afx::Refusal::Declined) {
                return afx::StepResult::failure("the active page refused to let go");
            }
            return shown ? afx::StepResult::success()
                         : afx::StepResult::failure(afx::describeRefusal(shown, sheetWindow));
        }
        known += (known.empty() ? "" : ", ") + std::to_string(i) +
                 (caption.empty() ? "" : " \"" + caption + "\"");
    }
    return afx::StepResult::failure("no page of that title or number in this sheet; it has " +
                                    known);
}

afx::StepResult ScriptRunner::chooseEntry(const ScriptStep& step) {
    afx::StepResult byText = m_driver.choose(controlRef(step.args[0]), step.args[1]);
    int index = 0;
    if (!byText.ok && asIndex(step.args[1], &index)) {
        afx::StepResult byIndex = m_driver.choose(controlRef(step.args[0]), index);
        if (byIndex.ok) {
            return byIndex;
        }
    }
    return byText;
}

afx::StepResult ScriptRunner::doubleClickEntry(const ScriptStep& step) {
    afx::StepResult byText = m_driver.doubleClick(controlRef(step.args[0]), step.args[1]);
    int index = 0;
    if (!byText.ok && asIndex(step.args[1], &index)) {
        afx::StepResult byIndex = m_driver.doubleClick(controlRef(step.args[0]), index);
        if (byIndex.ok) {
            return byIndex;
        }
    }
    return byText;
}

afx::StepResult ScriptRunner::drag(const std::string& label, int row) {
    afx::FoundControl found = m_driver.find(controlRef(label));
    if (!found.result.ok) {
        return found.result;
    }
    const afx::WindowRecord* record = afx::windows().find(found.hwnd);
    if (record->cls != afx::WindowClass::ListView) {
        return afx::StepResult::failure("\"" + label + "\" is not a list of the page");
    }
    if (row >= static_cast<int>(record->rows.size())) {
        return afx::StepResult::failure("the list has " + std::to_string(record->rows.size()) +
                                        " rows; there is no row " + std::to_string(row));
    }
    const afx::ActionResult dragged = afx::operatorDragRow(found.hwnd, row);
    if (!dragged && dragged.reason != afx::Refusal::Declined) {
        return afx::StepResult::failure(afx::describeRefusal(dragged, found.hwnd));
    }
    m_out << "drag " << row << ": \"" << afx::printableText(dragged.text) << "\"\n";
    return afx::StepResult::success();
}

}  // namespace console
