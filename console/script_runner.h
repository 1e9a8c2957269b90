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
    // The sheet steps act in: the console's own ("main", 0), or one a page opened beside it
    // (by its number in openSheets() or its caption).
    afx::StepResult addressSheet(const std::string& which);
    afx::StepResult activatePageOf(HWND sheet, const std::string& title);
    // The console's sheet first (while open), then every modeless sheet in the order opened.
    std::vector<HWND> openSheets() const;
    // Back to the console's sheet when the addressed one has closed.
    void followClosedSheet();
    bool sheetOpen() const;
    void onModal(HWND dialog);

    ConsoleDriver& m_driver;
    CSwPropertySheet& m_sheet;
    HWND m_sheetWindow;
    HWND m_addressed = nullptr;  // a modeless sheet steps act in; null: the console's
    std::string m_addressedCaption;
    std::vector<NamedPage> m_pages;
    EventSettler& m_settler;
    std::ostream& m_out;
    const std::vector<ScriptStep>* m_steps = nullptr;
    std::size_t m_next = 0;
    ScriptOutcome m_outcome;
};

}  // namespace console
