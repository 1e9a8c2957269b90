#pragma once
// An operator for tests, scripts and the console: finds controls the way a person names
// them, acts through the window system's operator actions (so pages get the notifications
// a person causes), answers message boxes from a queue and acts inside modal dialogs.
//
// Steps return a StepResult; nothing throws. A step fails with a message naming what was
// asked and what was there instead, never by acting on a different control. Unexpected
// message boxes and modal dialogs go to the failure handler (tests install one that fails
// the test) and are answered or cancelled so the program goes on.
//
// Controls are searched in the innermost running modal dialog, else in the root window
// (setRoot), else in every visible top-level window; hidden windows are never found.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/afx/controls.h"
#include "framework/afx/ui_hook.h"

namespace afx {

struct StepResult {
    bool ok = true;
    // Why the step failed; for a step that worked, what a person would have noticed
    // (characters the edit did not take, for instance). Empty otherwise.
    std::string message;

    explicit operator bool() const { return ok; }
    static StepResult success(std::string note = {}) { return {true, std::move(note)}; }
    static StepResult failure(std::string why) { return {false, std::move(why)}; }
};

// How a step names a control: its label ("Description", "Description:" and "&Description"
// are the same name), its id, or a label within a group box.
class ControlRef {
public:
    ControlRef(const char* label) : m_label(label) {}             // NOLINT: names read as text
    ControlRef(std::string label) : m_label(std::move(label)) {}  // NOLINT
    static ControlRef withId(int id);
    static ControlRef inGroup(std::string group, std::string label);

    const std::string& label() const { return m_label; }
    const std::string& group() const { return m_group; }
    std::optional<int> id() const { return m_id; }
    std::string describe() const;

private:
    ControlRef() = default;
    std::string m_label;
    std::string m_group;
    std::optional<int> m_id;
};

struct FoundControl {
    StepResult result;
    HWND hwnd = nullptr;
};

struct FoundRow {
    StepResult result;
    int row = -1;
};

struct ShownMessageBox {
    std::string text;
    std::string caption;
    UINT style = MB_OK;
    int answer = IDOK;
    bool expected = false;  // answered from the queue
};

class OperatorDriver : public UiDriver {
public:
    using FailureHandler = std::function<void(const std::string& message)>;
    using ModalScript = std::function<void(OperatorDriver& driver, HWND dialog)>;

    // Installs itself as the process's UI driver; the destructor puts the previous one back.
    OperatorDriver();
    ~OperatorDriver() override;
    OperatorDriver(const OperatorDriver&) = delete;
    OperatorDriver& operator=(const OperatorDriver&) = delete;

    void setRoot(HWND root) { m_root = root; }
    // Without a handler, failures are printed to stderr; all are kept in failures().
    void setFailureHandler(FailureHandler handler) { m_onFailure = std::move(handler); }
    const std::vector<std::string>& failures() const { return m_failures; }
    // With settling on, every step that acted then runs the event loop until idle.
    void setSettleAfterSteps(bool settle) { m_settle = settle; }
    // The window steps act in now.
    HWND scope();

    FoundControl find(const ControlRef& ref);
    // Cells from column 0 on must equal leadingCells (e.g. {"3", "12"} for slot 3 port 12).
    FoundRow findRow(const ControlRef& list, const std::vector<std::string>& leadingCells);
    // What the renderer shows as the control's value (edit/static text, combo selection,
    // "checked"/"unchecked", selected list-box entry).
    StepResult read(const ControlRef& ref, std::string& value);

    StepResult click(const ControlRef& ref);  // button, check box, radio button
    // A push button of the scope by its caption: OK, Cancel, Apply, Refresh, Help, Close...
    StepResult press(const std::string& caption);
    // Replaces the edit's text; what the edit refuses (past its limit, non-digits) is not
    // typed, and the result's message says so.
    StepResult type(const ControlRef& ref, const std::string& text);
    // Combo box or list box entry, by its exact text or its index.
    StepResult choose(const ControlRef& ref, const std::string& entry,
                      SelectMode mode = SelectMode::Plain);
    StepResult choose(const ControlRef& ref, int index, SelectMode mode = SelectMode::Plain);
    // List-box entry or list-view row.
    StepResult doubleClick(const ControlRef& ref, const std::string& entry);
    StepResult doubleClick(const ControlRef& ref, int index);
    StepResult selectRows(const ControlRef& list, const std::vector<int>& rows,
                          SelectMode mode = SelectMode::Plain);
    StepResult selectRow(const ControlRef& list, const std::vector<std::string>& leadingCells,
                         SelectMode mode = SelectMode::Plain);
    StepResult clickColumn(const ControlRef& list, const std::string& heading);
    StepResult focus(const ControlRef& ref);
    // A tab of the sheet steps act in, by its caption (as a label) or its index.
    StepResult activatePage(const std::string& caption);
    StepResult activatePage(int index);
    // Drags a list view's row; carried receives what the drag carries.
    StepResult drag(const ControlRef& list, int row, std::string* carried = nullptr);

    // Message boxes are answered in queue order. An empty caption or text accepts any.
    void expectMessageBox(int answer, std::string caption = {}, std::string text = {});
    std::size_t pendingMessageBoxes() const { return m_answers.size(); }
    const std::vector<ShownMessageBox>& shownMessageBoxes() const { return m_shown; }
    void clearShownMessageBoxes() { m_shown.clear(); }

    // The next modal dialog (or modal sheet) runs script when its loop starts; an empty
    // caption accepts any. A modal dialog nobody expected is reported and cancelled.
    void expectModal(ModalScript script, std::string caption = {});
    std::size_t pendingModals() const { return m_modals.size(); }

    // Fails when expected message boxes or modal dialogs never came.
    StepResult verifyAllExpectedShown() const;

    // Virtual clock only.
    StepResult advance(std::int64_t ms);
    void runUntilIdle();

    // UiDriver
    int answerMessageBox(const MessageBoxState& box) override;
    void modalLoopStarted(HWND dialog) override;
    void modalLoopEnded(HWND dialog) override;

private:
    struct ExpectedBox {
        int answer;
        std::string caption;
        std::string text;
    };
    struct ExpectedModal {
        ModalScript script;
        std::string caption;
    };

    FoundControl findOfClass(const ControlRef& ref, std::initializer_list<WindowClass> classes,
                             const char* what);
    StepResult chooseIn(HWND control, int index, SelectMode mode, const std::string& name);
    StepResult doubleClickIn(HWND list, int index, const std::string& name);
    StepResult acted(const ActionResult& done, HWND hwnd, const std::string& what,
                     std::string note = {});
    void fail(const std::string& message);

    UiDriver* m_previous = nullptr;
    HWND m_root = nullptr;
    std::vector<HWND> m_modalStack;
    FailureHandler m_onFailure;
    std::vector<std::string> m_failures;
    bool m_settle = false;
    std::deque<ExpectedBox> m_answers;
    std::vector<ShownMessageBox> m_shown;
    std::deque<ExpectedModal> m_modals;
};

// "Unable to ..." (caption "Error", exclamation icon, OK)
std::string describeMessageBox(const MessageBoxState& box);

}  // namespace afx
