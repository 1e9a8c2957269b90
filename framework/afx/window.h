#pragma once
// The window system proper: window records owned by one registry, addressed by stable
// handles that are never reused, so a destroyed window's handle simply stops being valid.
//
// Every change of a record goes through WindowSystem, which tells the subscribed observers
// (text renderer, Qt front end, tests); outsiders read records, never write them. Notices
// say what changed and, for rows and items, which ones; while a window's redraw is off
// (SetRedraw(FALSE)) presenters hear nothing of it, then one merged notice. Notifications to parent
// windows (WM_COMMAND, WM_NOTIFY) are a separate matter, decided by the control wrappers
// and operator actions.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/afx/win_types.h"

namespace afx {

enum class WindowClass {
    Plain,  // created with CWnd::Create, no class behaviour
    Dialog,
    Static,
    GroupBox,
    Edit,
    PushButton,
    CheckBox,
    RadioButton,
    ComboBox,
    ListBox,
    ListView,
    Icon,
    Separator,
};
const char* windowClassName(WindowClass cls);

// Style bits of our own (not Win32 values); templates and controls share them.
namespace style {
constexpr DWORD kGroup = 0x0001;  // first control of a group (radio groups)
constexpr DWORD kTabStop = 0x0002;
constexpr DWORD kDigitsOnly = 0x0004;     // edit: refuses typed non-digits
constexpr DWORD kReadOnly = 0x0008;       // edit
constexpr DWORD kMultiSelect = 0x0010;    // list box (extended selection), list view
constexpr DWORD kSort = 0x0020;           // combo box, list box: items kept sorted
constexpr DWORD kDefaultButton = 0x0040;  // push button
constexpr DWORD kSingleSelect = 0x0080;   // list view: at most one selected row
constexpr DWORD kReport = 0x0100;         // list view report mode
constexpr DWORD kPassword = 0x0200;       // edit
constexpr DWORD kMultiLine = 0x0400;      // edit
constexpr DWORD kDropDownList = 0x0800;   // combo box without an edit part
constexpr DWORD kChild = 0x1000;
constexpr DWORD kAutoCheck = 0x2000;  // check box / radio button toggles itself on click
}  // namespace style

// What changed, for observers.
enum class Change {
    Text,
    Enabled,
    Visible,
    Focus,
    Style,
    Rect,
    Check,
    TextLimit,
    Items,      // combo/list box items added, removed or reset
    Selection,  // combo/list box selection
    Columns,    // list view columns
    Rows,       // list view rows added, removed, texts or images changed
    ItemState,  // list view item state bits
    ImageList,
    Modal,  // a modal loop started or was ended (WindowRecord::modal)
    Tabs,   // a property sheet's tabs or its active tab
};

// Which rows or items a notice concerns.
enum class RowChange {
    All,       // any of them (or not a row change)
    Inserted,  // [first, first + count) are new
    Removed,   // [first, first + count) are gone (indexes before the removal)
    Changed,   // [first, first + count) changed in place
};

struct ChangeNotice {
    Change what = Change::Text;
    RowChange rows = RowChange::All;
    int first = 0;
    int count = 0;
    // A notice standing for several held while redraw was off: bit (1 << Change) of each.
    unsigned kinds = 0;

    static ChangeNotice of(Change what) { return {what, RowChange::All, 0, 0, 0}; }
    static ChangeNotice rowsOf(Change what, RowChange rows, int first, int count = 1) {
        return {what, rows, first, count, 0};
    }
    bool batched() const { return kinds != 0; }
    bool covers(Change c) const {
        return batched() ? (kinds & (1u << static_cast<unsigned>(c))) != 0 : what == c;
    }
};

enum class ModalState {
    None,     // not run modally
    Running,  // its modal loop runs
    Ended,    // EndDialog was called; the loop has not returned yet
};

struct ListItem {  // combo box and list box entries
    std::string text;
    DWORD_PTR data = 0;
    bool selected = false;  // multiple-selection list boxes
};

struct ListColumn {
    std::string heading;
    int width = 0;
    int format = LVCFMT_LEFT;
};

struct ListRow {
    std::vector<std::string> cells;  // cell 0 is the item text; may be shorter than the columns
    int image = -1;
    UINT state = 0;  // LVIS_* bits
    DWORD_PTR data = 0;
    const std::string& cell(std::size_t i) const;
};

// What a window's owning object implements to receive messages.
class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    virtual LRESULT receiveMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// Anything a record may own (a temporary wrapper object handed out for its handle).
class RecordAttachment {
public:
    virtual ~RecordAttachment() = default;
};

struct WindowRecord {
    HWND handle = nullptr;
    WindowClass cls = WindowClass::Plain;
    int id = 0;
    std::string text;
    bool enabled = true;
    bool visible = true;
    DWORD style = 0;
    CRect rect;
    HWND parent = nullptr;
    std::vector<HWND> children;  // in creation (tab) order
    int templateId = 0;          // dialogs made from a template

    // Class state.
    int check = BST_UNCHECKED;
    int textLimit = 0;  // 0: no limit
    std::vector<ListItem> items;
    int curSel = -1;      // combo box, single-selection list box
    int caretIndex = -1;  // list box anchor for multi-selection
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
    int imageList = 0;              // id of the image list given to a list view, 0 = none
    std::vector<std::string> tabs;  // property sheet: the pages' captions, in order
    int activeTab = -1;             // property sheet: index of the page shown
    ModalState modal = ModalState::None;
    bool redraw = true;  // false: notices are held (SetRedraw)

    // Who receives this window's messages (not owned), and what it owns.
    MessageTarget* target = nullptr;
    std::unique_ptr<RecordAttachment> attachment;

    bool is(DWORD styleBit) const { return (style & styleBit) != 0; }
};

class WindowObserver {
public:
    virtual ~WindowObserver() = default;
    virtual void windowCreated(HWND) {}
    virtual void windowDestroyed(HWND) {}  // the record is still readable during the call
    virtual void windowChanged(HWND, Change) {}
    // The full notice. The default passes each kind it covers on to windowChanged.
    virtual void recordChanged(HWND hwnd, const ChangeNotice& notice);
    // A presenter answers true: while a window's redraw is off it hears nothing of it, then
    // one merged notice. Others (probes, tests) hear every change as it happens.
    virtual bool takesBatches() const { return false; }
    virtual void messageBoxChanged() {}  // a message box opened or closed
    virtual void waitCursorChanged(int /*depth*/) {}
};

struct MessageBoxState {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT style = MB_OK;
};

class WindowSystem {
public:
    static WindowSystem& instance();

    WindowSystem();
    ~WindowSystem();
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;

    HWND create(WindowClass cls, HWND parent, int id, const std::string& text, DWORD style,
                const CRect& rect);
    // Destroys the window and its children (children first); handles become invalid.
    void destroy(HWND hwnd);
    bool isWindow(HWND hwnd) const { return find(hwnd) != nullptr; }

    // Read-only: records change only through the calls below.
    const WindowRecord* find(HWND hwnd) const;
    HWND childById(HWND parent, int id) const;
    std::vector<HWND> topLevelWindows() const;

    // Mutations that observers see.
    void setText(HWND hwnd, const std::string& text);
    void setEnabled(HWND hwnd, bool enabled);
    void setVisible(HWND hwnd, bool visible);
    void setStyle(HWND hwnd, DWORD style);
    void setRect(HWND hwnd, const CRect& rect);
    void setCheck(HWND hwnd, int check);
    void setTextLimit(HWND hwnd, int limit);
    void setModalState(HWND hwnd, ModalState state);
    void setTabs(HWND hwnd, std::vector<std::string> tabs, int active);
    void setActiveTab(HWND hwnd, int active);
    // Any other change of the record's class state: fn edits it, then observers hear `what`.
    void modify(HWND hwnd, Change what, const std::function<void(WindowRecord&)>& fn);
    void modify(HWND hwnd, const ChangeNotice& notice,
                const std::function<void(WindowRecord&)>& fn);
    void notifyChanged(HWND hwnd, Change what);
    void notifyChanged(HWND hwnd, const ChangeNotice& notice);
    // Off: the window's notices are held from presenters and merged; on again: they hear
    // one notice for all of them (none if nothing changed).
    void setRedraw(HWND hwnd, bool redraw);

    HWND focus() const { return m_focus; }
    void setFocus(HWND hwnd);

    // Messages to the window's target; a window without one answers 0.
    LRESULT send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Queued on the event loop; dropped if the window is gone by then.
    void post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Sends WM_COMMAND (code, id) from the control to its parent.
    void notifyParentCommand(HWND control, UINT code);
    // Sends WM_NOTIFY with hdr (hwndFrom, idFrom filled in here) to the control's parent.
    LRESULT notifyParent(HWND control, NMHDR& hdr);

    // Repeating timers delivering WM_TIMER(id); a new SetTimer with the same id replaces the old.
    UINT_PTR setTimer(HWND hwnd, UINT_PTR id, UINT elapseMs);
    bool killTimer(HWND hwnd, UINT_PTR id);

    // Message boxes currently open, innermost last.
    const std::vector<MessageBoxState>& openMessageBoxes() const { return m_messageBoxes; }
    std::optional<MessageBoxState> currentMessageBox() const;
    void pushMessageBox(MessageBoxState box);
    void popMessageBox();

    int waitCursorDepth() const { return m_waitDepth; }
    int waitCursorsBegun() const { return m_waitBegun; }
    // +1 begins a wait cursor, -1 ends one (never below 0), 0 restores the shape only.
    void changeWaitCursor(int delta);

    void addObserver(WindowObserver* observer);
    void removeObserver(WindowObserver* observer);

    std::size_t windowCount() const { return m_records.size(); }

private:
    friend WindowRecord* writableRecord(HWND hwnd);
    WindowRecord* findWritable(HWND hwnd);
    void forEachObserver(const std::function<void(WindowObserver&)>& fn);
    void killTimersOf(HWND hwnd);

    std::unordered_map<HWND, ChangeNotice> m_held;  // windows with redraw off
    std::unordered_map<HWND, std::unique_ptr<WindowRecord>> m_records;
    std::uintptr_t m_nextHandle = 0x100;
    HWND m_focus = nullptr;
    std::vector<WindowObserver*> m_observers;
    std::vector<MessageBoxState> m_messageBoxes;
    int m_waitDepth = 0;
    int m_waitBegun = 0;
    struct TimerKey {
        HWND hwnd;
        UINT_PTR id;
        bool operator==(const TimerKey&) const = default;
    };
    struct TimerKeyHash {
        std::size_t operator()(const TimerKey& k) const {
            return std::hash<const void*>()(k.hwnd) ^ (std::hash<UINT_PTR>()(k.id) << 1);
        }
    };
    std::unordered_map<TimerKey, std::uint64_t, TimerKeyHash> m_timers;  // -> event loop timer
};

// Free-function shorthands over WindowSystem::instance().
inline WindowSystem& windows() {
    return WindowSystem::instance();
}
inline BOOL IsWindowHandle(HWND hwnd) {
    return windows().isWindow(hwnd);
}

}  // namespace afx

inline BOOL IsWindow(HWND hwnd) {
    return afx::windows().isWindow(hwnd);
}
