#include "framework/afx/window.h"

#include <algorithm>

#include "framework/afx/event_loop.h"
#include "framework/afx/record_access.h"

namespace afx {

const char* windowClassName(WindowClass cls) {
    switch (cls) {
        case WindowClass::Plain:
            return "window";
        case WindowClass::Dialog:
            return "dialog";
        case WindowClass::Static:
            return "static";
        case WindowClass::GroupBox:
            return "group box";
        case WindowClass::Edit:
            return "edit";
        case WindowClass::PushButton:
            return "push button";
        case WindowClass::CheckBox:
            return "check box";
        case WindowClass::RadioButton:
            return "radio button";
        case WindowClass::ComboBox:
            return "combo box";
        case WindowClass::ListBox:
            return "list box";
        case WindowClass::ListView:
            return "list view";
        case WindowClass::Icon:
            return "icon";
        case WindowClass::Separator:
            return "separator";
    }
    return "window";
}

const std::string& ListRow::cell(std::size_t i) const {
    static const std::string empty;
    return i < cells.size() ? cells[i] : empty;
}

WindowSystem& WindowSystem::instance() {
    static WindowSystem system;
    return system;
}

WindowSystem::WindowSystem() = default;
WindowSystem::~WindowSystem() {
    // Windows still open at exit own wrapper objects whose destructors look their window
    // up; they must find an empty registry, not one half torn down.
    auto records = std::move(m_records);
    m_records.clear();
    records.clear();
}

HWND WindowSystem::create(WindowClass cls, HWND parent, int id, const std::string& text,
                          DWORD style, const CRect& rect) {
    auto record = std::make_unique<WindowRecord>();
    HWND hwnd = reinterpret_cast<HWND>(m_nextHandle++);
    record->handle = hwnd;
    record->cls = cls;
    record->id = id;
    record->text = text;
    record->style = style;
    record->rect = rect;
    if (WindowRecord* p = findWritable(parent)) {
        record->parent = parent;
        p->children.push_back(hwnd);
    }
    m_records.emplace(hwnd, std::move(record));
    forEachObserver([hwnd](WindowObserver& o) { o.windowCreated(hwnd); });
    return hwnd;
}

void WindowSystem::destroy(HWND hwnd) {
    const WindowRecord* record = find(hwnd);
    if (!record) {
        return;
    }
    const std::vector<HWND> children = record->children;
    for (HWND child : children) {
        destroy(child);
    }
    record = find(hwnd);  // a target's WM_DESTROY handler may have destroyed it already
    if (!record) {
        return;
    }
    if (record->target) {
        record->target->receiveMessage(WM_DESTROY, 0, 0);
    }
    record = find(hwnd);
    if (!record) {
        return;
    }
    forEachObserver([hwnd](WindowObserver& o) { o.windowDestroyed(hwnd); });
    killTimersOf(hwnd);
    m_held.erase(hwnd);
    if (m_focus == hwnd) {
        m_focus = nullptr;
    }
    if (WindowRecord* p = findWritable(record->parent)) {
        auto& siblings = p->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
    }
    // Take the record out before its attachment dies, so the attachment sees an invalid handle.
    auto node = m_records.extract(hwnd);
}

WindowRecord* writableRecord(HWND hwnd) {
    return WindowSystem::instance().findWritable(hwnd);
}

void WindowObserver::recordChanged(HWND hwnd, const ChangeNotice& notice) {
    if (!notice.batched()) {
        windowChanged(hwnd, notice.what);
        return;
    }
    for (unsigned c = 0; c < 32; ++c) {
        if ((notice.kinds & (1u << c)) != 0) {
            windowChanged(hwnd, static_cast<Change>(c));
        }
    }
}

WindowRecord* WindowSystem::findWritable(HWND hwnd) {
    auto it = m_records.find(hwnd);
    return it == m_records.end() ? nullptr : it->second.get();
}

const WindowRecord* WindowSystem::find(HWND hwnd) const {
    auto it = m_records.find(hwnd);
    return it == m_records.end() ? nullptr : it->second.get();
}

HWND WindowSystem::childById(HWND parent, int id) const {
    const WindowRecord* p = find(parent);
    if (!p) {
        return nullptr;
    }
    for (HWND child : p->children) {
        const WindowRecord* c = find(child);
        if (c && c->id == id) {
            return child;
        }
    }
    return nullptr;
}

std::vector<HWND> WindowSystem::topLevelWindows() const {
    std::vector<HWND> result;
    for (const auto& [hwnd, record] : m_records) {
        if (!record->parent) {
            result.push_back(hwnd);
        }
    }
    std::sort(result.begin(), result.end());
    return result;
}

void WindowSystem::setText(HWND hwnd, const std::string& text) {
    WindowRecord* r = findWritable(hwnd);
    if (r && r->text != text) {
        r->text = text;
        notifyChanged(hwnd, Change::Text);
    }
}

void WindowSystem::setEnabled(HWND hwnd, bool enabled) {
    WindowRecord* r = findWritable(hwnd);
    if (r && r->enabled != enabled) {
        r->enabled = enabled;
        notifyChanged(hwnd, Change::Enabled);
    }
}

void WindowSystem::setVisible(HWND hwnd, bool visible) {
    WindowRecord* r = findWritable(hwnd);
    if (r && r->visible != visible) {
        r->visible = visible;
        notifyChanged(hwnd, Change::Visible);
    }
}

void WindowSystem::setStyle(HWND hwnd, DWORD style) {
    WindowRecord* r = findWritable(hwnd);
    if (r && r->style != style) {
        r->style = style;
        notifyChanged(hwnd, Change::Style);
    }
}

void WindowSystem::setRect(HWND hwnd, const CRect& rect) {
    WindowRecord* r = findWritable(hwnd);
    if (r && !(r->rect == rect)) {
        r->rect = rect;
        notifyChanged(hwnd, Change::Rect);
    }
}

void WindowSystem::setCheck(HWND hwnd, int check) {
    WindowRecord* r = findWritable(hwnd);
    if (r && r->check != check) {
        r->check = check;
        notifyChanged(hwnd, Change::Check);
    }
}

void WindowSystem::setTextLimit(HWND hwnd, int limit) {
    WindowRecord* r = findWritable(hwnd);
    if (r && r->textLimit != limit) {
        r->textLimit = limit;
        notifyChanged(hwnd, Change::TextLimit);
    }
}

void WindowSystem::setModalState(HWND hwnd, ModalState state) {
    WindowRecord* r = findWritable(hwnd);
    if (r && r->modal != state) {
        r->modal = state;
        notifyChanged(hwnd, Change::Modal);
    }
}

void WindowSystem::setTabs(HWND hwnd, std::vector<std::string> tabs, int active) {
    WindowRecord* r = findWritable(hwnd);
    if (r && (r->tabs != tabs || r->activeTab != active)) {
        r->tabs = std::move(tabs);
        r->activeTab = active;
        notifyChanged(hwnd, Change::Tabs);
    }
}

void WindowSystem::setActiveTab(HWND hwnd, int active) {
    WindowRecord* r = findWritable(hwnd);
    if (r && r->activeTab != active) {
        r->activeTab = active;
        notifyChanged(hwnd, ChangeNotice::rowsOf(Change::Tabs, RowChange::Changed, active, 1));
    }
}

void WindowSystem::modify(HWND hwnd, Change what, const std::function<void(WindowRecord&)>& fn) {
    modify(hwnd, ChangeNotice::of(what), fn);
}

void WindowSystem::modify(HWND hwnd, const ChangeNotice& notice,
                          const std::function<void(WindowRecord&)>& fn) {
    if (WindowRecord* r = findWritable(hwnd)) {
        fn(*r);
        notifyChanged(hwnd, notice);
    }
}

void WindowSystem::notifyChanged(HWND hwnd, Change what) {
    notifyChanged(hwnd, ChangeNotice::of(what));
}

namespace {

// One notice for two: the kinds of both, and the rows both touched; all rows when the two
// are not one range of one sort.
ChangeNotice merged(const ChangeNotice& held, const ChangeNotice& next) {
    ChangeNotice out = held;
    out.kinds |= 1u << static_cast<unsigned>(next.what);
    const int heldEnd = held.first + held.count;
    const int nextEnd = next.first + next.count;
    if (held.rows != next.rows || held.rows == RowChange::All ||
        (held.rows == RowChange::Inserted && (next.first < held.first || next.first > heldEnd))) {
        out.rows = RowChange::All;
        out.first = 0;
        out.count = 0;
    } else if (held.rows == RowChange::Inserted) {
        out.count = held.count + next.count;  // within or right after the block just added
    } else {
        out.first = std::min(held.first, next.first);
        out.count = std::max(heldEnd, nextEnd) - out.first;
    }
    return out;
}

}  // namespace

void WindowSystem::notifyChanged(HWND hwnd, const ChangeNotice& notice) {
    auto held = m_held.find(hwnd);
    if (held == m_held.end()) {
        forEachObserver([hwnd, &notice](WindowObserver& o) { o.recordChanged(hwnd, notice); });
        return;
    }
    if (held->second.kinds == 0) {
        held->second = notice;
        held->second.kinds = 1u << static_cast<unsigned>(notice.what);
    } else {
        held->second = merged(held->second, notice);
    }
    forEachObserver([hwnd, &notice](WindowObserver& o) {
        if (!o.takesBatches()) {
            o.recordChanged(hwnd, notice);
        }
    });
}

void WindowSystem::setRedraw(HWND hwnd, bool redraw) {
    WindowRecord* r = findWritable(hwnd);
    if (!r || r->redraw == redraw) {
        return;
    }
    r->redraw = redraw;
    if (!redraw) {
        m_held.emplace(hwnd, ChangeNotice{});
        return;
    }
    const auto node = m_held.extract(hwnd);
    if (node.empty() || node.mapped().kinds == 0) {
        return;
    }
    const ChangeNotice& batch = node.mapped();
    forEachObserver([hwnd, &batch](WindowObserver& o) {
        if (o.takesBatches()) {
            o.recordChanged(hwnd, batch);
        }
    });
}

void WindowSystem::setFocus(HWND hwnd) {
    if (hwnd && !isWindow(hwnd)) {
        return;
    }
    if (m_focus == hwnd) {
        return;
    }
    HWND old = m_focus;
    m_focus = hwnd;
    if (old) {
        notifyChanged(old, Change::Focus);
    }
    if (hwnd) {
        notifyChanged(hwnd, Change::Focus);
    }
}

LRESULT WindowSystem::send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const WindowRecord* r = find(hwnd);
    if (!r || !r->target) {
        return 0;
    }
    return r->target->receiveMessage(message, wParam, lParam);
}

void WindowSystem::post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    EventLoop::instance().post(
        [this, hwnd, message, wParam, lParam] { send(hwnd, message, wParam, lParam); });
}

void WindowSystem::notifyParentCommand(HWND control, UINT code) {
    const WindowRecord* r = find(control);
    if (!r || !r->parent) {
        return;
    }
    send(r->parent, WM_COMMAND, MAKEWPARAM(static_cast<DWORD>(r->id), code),
         reinterpret_cast<LPARAM>(control));
}

LRESULT WindowSystem::notifyParent(HWND control, NMHDR& hdr) {
    const WindowRecord* r = find(control);
    if (!r || !r->parent) {
        return 0;
    }
    hdr.hwndFrom = control;
    hdr.idFrom = static_cast<UINT_PTR>(r->id);
    return send(r->parent, WM_NOTIFY, static_cast<WPARAM>(r->id), reinterpret_cast<LPARAM>(&hdr));
}

UINT_PTR WindowSystem::setTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) {
    if (!isWindow(hwnd)) {
        return 0;
    }
    killTimer(hwnd, id);
    const TimerKey key{hwnd, id};
    // Re-armed before delivery, so OnTimer may kill or replace its own timer.
    auto arm = std::make_shared<std::function<void()>>();
    *arm = [this, key, elapseMs, arm_weak = std::weak_ptr<std::function<void()>>(arm)] {
        auto self = arm_weak.lock();
        if (!self) {
            return;
        }
        m_timers[key] = EventLoop::instance().addTimer(elapseMs, [self] { (*self)(); });
        send(key.hwnd, WM_TIMER, key.id, 0);
    };
    m_timers[key] = EventLoop::instance().addTimer(elapseMs, [arm] { (*arm)(); });
    return id == 0 ? 1 : id;
}

bool WindowSystem::killTimer(HWND hwnd, UINT_PTR id) {
    auto it = m_timers.find(TimerKey{hwnd, id});
    if (it == m_timers.end()) {
        return false;
    }
    EventLoop::instance().cancelTimer(it->second);
    m_timers.erase(it);
    return true;
}

void WindowSystem::killTimersOf(HWND hwnd) {
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (it->first.hwnd == hwnd) {
            EventLoop::instance().cancelTimer(it->second);
            it = m_timers.erase(it);
        } else {
            ++it;
        }
    }
}

std::optional<MessageBoxState> WindowSystem::currentMessageBox() const {
    if (m_messageBoxes.empty()) {
        return std::nullopt;
    }
    return m_messageBoxes.back();
}

void WindowSystem::pushMessageBox(MessageBoxState box) {
    m_messageBoxes.push_back(std::move(box));
    forEachObserver([](WindowObserver& o) { o.messageBoxChanged(); });
}

void WindowSystem::popMessageBox() {
    if (!m_messageBoxes.empty()) {
        m_messageBoxes.pop_back();
        forEachObserver([](WindowObserver& o) { o.messageBoxChanged(); });
    }
}

void WindowSystem::changeWaitCursor(int delta) {
    if (delta > 0) {
        ++m_waitDepth;
        ++m_waitBegun;
    } else if (delta < 0 && m_waitDepth > 0) {
        --m_waitDepth;
    } else {
        return;
    }
    const int depth = m_waitDepth;
    forEachObserver([depth](WindowObserver& o) { o.waitCursorChanged(depth); });
}

void WindowSystem::addObserver(WindowObserver* observer) {
    if (observer &&
        std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
        m_observers.push_back(observer);
    }
}

void WindowSystem::removeObserver(WindowObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer),
                      m_observers.end());
}

void WindowSystem::forEachObserver(const std::function<void(WindowObserver&)>& fn) {
    // Copy: an observer may unsubscribe while being told.
    const auto observers = m_observers;
    for (WindowObserver* o : observers) {
        if (std::find(m_observers.begin(), m_observers.end(), o) != m_observers.end()) {
            fn(*o);
        }
    }
}

}  // namespace afx
