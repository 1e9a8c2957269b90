#include "console/script_runner.h"

#include <charconv>

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
    }
    return afx::StepResult::failure("unknown action");
}

afx::StepResult ScriptRunner::activatePage(const std::string& nameOrTitle) {
    if (!sheetOpen()) {
        return afx::StepResult::failure("the property sheet is closed");
    }
    std::vector<std::string> known;
    for (const NamedPage& named : m_pages) {
        CString title;
        named.page->GetWindowText(title);  // empty until the page was first shown
        const std::string caption = named.page->GetSafeHwnd() ? std::string(title) : "";
        if (sameIgnoringCase(named.name, nameOrTitle) ||
            (!caption.empty() && sameIgnoringCase(caption, nameOrTitle))) {
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
    auto* list = dynamic_cast<CSwListCtrl*>(CWnd::FromHandlePermanent(found.hwnd));
    if (list == nullptr) {
        return afx::StepResult::failure("\"" + label + "\" is not a list of the page");
    }
    const afx::WindowRecord* record = afx::windows().find(found.hwnd);
    if (row >= static_cast<int>(record->rows.size())) {
        return afx::StepResult::failure("the list has " + std::to_string(record->rows.size()) +
                                        " rows; there is no row " + std::to_string(row));
    }
    const CString text = list->BeginDrag(row);
    m_out << "drag " << row << ": \"" << afx::printableText(text.str()) << "\"\n";
    return afx::StepResult::success();
}

}  // namespace console
