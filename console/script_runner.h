#pragma once
// Runs an operator script against the property sheet, one step at a time, letting the
// event loop settle after each. A step that opens a modal dialog goes on running the
// following steps inside that dialog until one of them ends it.

#include <ostream>
#include <string>
#include <vector>

#include "console/console_driver.h"
#include "console/event_settler.h"
#include "console/script_parser.h"

class CSwBasePropPage;
class CSwPropertySheet;

namespace console {

struct NamedPage {
    std::string name;  // as the registry knows it: "PortGeneral"
    CSwBasePropPage* page = nullptr;
};

struct ScriptOutcome {
    bool ok = true;
    std::string failure;  // "line 4: click \"Apply\": ..." when a step failed
};

class ScriptRunner {
public:
    ScriptRunner(ConsoleDriver& driver, CSwPropertySheet& sheet, std::vector<NamedPage> pages,
                 EventSettler& settler, std::ostream& out);
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    ScriptOutcome run(const std::vector<ScriptStep>& steps);
    // The window steps act in now, rendered as text.
    std::string renderScope();

private:
    void runSteps(HWND modal);
    afx::StepResult execute(const ScriptStep& step);
    afx::StepResult activatePage(const std::string& nameOrTitle);
    afx::StepResult drag(const std::string& label, int row);
    afx::StepResult chooseEntry(const ScriptStep& step);
    afx::StepResult doubleClickEntry(const ScriptStep& step);
    bool sheetOpen() const;
    void onModal(HWND dialog);

    ConsoleDriver& m_driver;
    CSwPropertySheet& m_sheet;
    HWND m_sheetWindow;
    std::vector<NamedPage> m_pages;
    EventSettler& m_settler;
    std::ostream& m_out;
    const std::vector<ScriptStep>* m_steps = nullptr;
    std::size_t m_next = 0;
    ScriptOutcome m_outcome;
};

}  // namespace console
