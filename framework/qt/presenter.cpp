#include "framework/qt/presenter.h"

#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>
#include <algorithm>

#include "framework/afx/control_layout.h"
#include "framework/qt/basic_bindings.h"
#include "framework/qt/binding_factory.h"

namespace afxqt {

namespace {

// What an operator action may have left different between widget and record.
constexpr unsigned kAfterAction = bitOf(afx::Change::Text) | bitOf(afx::Change::Check) |
                                  bitOf(afx::Change::Selection) | bitOf(afx::Change::ItemState) |
                                  bitOf(afx::Change::Tabs);

// Changes of a child that move its siblings in a sheet.
constexpr unsigned kPlacement = bitOf(afx::Change::Visible) | bitOf(afx::Change::Rect);

}  // namespace

Presenter::Presenter(QObject* parent)
    : QObject(parent), m_units(DialogUnits::of(QApplication::font())) {
    qRegisterMetaType<HWND>("HWND");
    afx::windows().addObserver(this);
    for (HWND top : afx::windows().topLevelWindows()) {
        addTree(top);
    }
    if (afx::windows().waitCursorDepth() > 0) {
        waitCursorChanged(afx::windows().waitCursorDepth());
    }
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { operatorFocused(now); });
    scheduleFlush();
}

Presenter::~Presenter() {
    afx::windows().removeObserver(this);
    if (m_waitShown) {
        QGuiApplication::restoreOverrideCursor();
    }
    std::vector<QPointer<QWidget>> windows;
    for (const auto& [hwnd, binding] : m_bindings) {
        if (QWidget* widget = binding->widget(); widget && widget->isWindow()) {
            windows.emplace_back(widget);
        }
    }
    m_handles.clear();
    m_bindings.clear();
    m_retired.clear();
    for (const QPointer<QWidget>& widget : windows) {
        delete widget.data();
    }
    for (const QPointer<QWidget>& widget : m_released) {
        delete widget.data();
    }
}

QWidget* Presenter::widgetOf(HWND hwnd) const {
    const auto it = m_bindings.find(hwnd);
    return it == m_bindings.end() ? nullptr : it->second->widget();
}

HWND Presenter::handleOf(const QWidget* widget) const {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (const auto it = m_handles.find(w); it != m_handles.end()) {
            return it->second;
        }
    }
    return nullptr;
}

void Presenter::setIconProvider(IconProvider provider) {
    m_icons = std::move(provider);
    for (const auto& [hwnd, binding] : m_bindings) {
        m_pending[hwnd].kinds |= bitOf(afx::Change::ImageList);
    }
    scheduleFlush();
}

QIcon Presenter::iconOf(int imageList, int image) const {
    return m_icons ? m_icons(imageList, image) : QIcon();
}

void Presenter::setMainWindow(QWidget* main) {
    m_main = main;
    for (const auto& [hwnd, binding] : m_bindings) {
        const afx::WindowRecord* r = afx::windows().find(hwnd);
        QWidget* widget = binding->widget();
        if (!r || !widget || !widget->isWindow() || r->cls != afx::WindowClass::Dialog ||
            ownerWidgetOf(*r) != main) {
            continue;
        }
        const bool shown = widget->isVisible();
        widget->setParent(main, main ? Qt::Dialog : Qt::Window);
        widget->setVisible(shown);
    }
}

void Presenter::scheduleFlush() {
    if (m_flushQueued) {
        return;
    }
    m_flushQueued = true;
    QMetaObject::invokeMethod(this, &Presenter::flush, Qt::QueuedConnection);
}

void Presenter::addTree(HWND hwnd) {
    const afx::WindowRecord* r = afx::windows().find(hwnd);
    if (!r) {
        return;
    }
    m_toCreate.insert(hwnd);
    for (HWND child : r->children) {
        addTree(child);
    }
}

void Presenter::windowCreated(HWND hwnd) {
    m_toCreate.insert(hwnd);
    scheduleFlush();
}

void Presenter::windowDestroyed(HWND hwnd) {
    m_toCreate.erase(hwnd);
    m_pending.erase(hwnd);
    m_layouts.erase(hwnd);
    const auto it = m_bindings.find(hwnd);
    if (it == m_bindings.end()) {
        return;
    }
    const afx::WindowRecord* r = afx::windows().find(hwnd);
    if (r && r->parent && m_bindings.count(r->parent) != 0) {
        m_pending[r->parent].kinds |= kChildrenChanged;
        m_layouts.insert(r->parent);
    }
    QWidget* widget = it->second->widget();
    const bool window = widget && widget->isWindow();
    m_handles.erase(widget);
    if (widget) {
        m_released.emplace_back(widget);
    }
    it->second->release();
    // Its widget may be emitting the signal that destroyed the record: keep it for this turn.
    m_retired.push_back(std::move(it->second));
    m_bindings.erase(it);
    if (m_shownFocus == hwnd) {
        m_shownFocus = nullptr;
    }
    scheduleFlush();
    if (window && r && r->cls == afx::WindowClass::Dialog && isTopLevelRecord(*r)) {
        emit windowClosed(hwnd);
    }
}

void Presenter::recordChanged(HWND hwnd, const afx::ChangeNotice& notice) {
    if (m_bindings.count(hwnd) == 0 && m_toCreate.count(hwnd) == 0) {
        return;
    }
    m_pending[hwnd].add(notice);
    const unsigned kinds = notice.batched() ? notice.kinds : bitOf(notice.what);
    // A window shows or hides, and a sheet places its tabs, when it is laid out.
    if (kinds & (kPlacement | bitOf(afx::Change::Tabs))) {
        m_layouts.insert(hwnd);
    }
    // A child moves its siblings in a sheet.
    if (kinds & kPlacement) {
        if (const afx::WindowRecord* r = afx::windows().find(hwnd); r && r->parent) {
            m_layouts.insert(r->parent);
        }
    }
    scheduleFlush();
}

void Presenter::actionDone(HWND hwnd) {
    if (m_bindings.count(hwnd) != 0) {
        m_pending[hwnd].kinds |= kAfterAction;
    }
    scheduleFlush();
}

void Presenter::waitCursorChanged(int depth) {
    if (depth > 0 && !m_waitShown) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_waitShown = true;
    } else if (depth <= 0 && m_waitShown) {
        QGuiApplication::restoreOverrideCursor();
        m_waitShown = false;
    }
}

QWidget* Presenter::ownerWidgetOf(const afx::WindowRecord& record) const {
    if (const afx::WindowRecord* owner = afx::windows().find(record.parent);
        owner && owner->cls == afx::WindowClass::Dialog) {
        if (QWidget* widget = widgetOf(owner->handle)) {
            return widget->window();
        }
    }
    return m_main.data();
}

std::vector<HWND> Presenter::createPending() {
    std::vector<HWND> windows;
    const std::set<HWND> toCreate = std::move(m_toCreate);
    m_toCreate.clear();
    // Handles grow with creation, so parents come before their children.
    for (HWND hwnd : toCreate) {
        const afx::WindowRecord* r = afx::windows().find(hwnd);
        if (!r || m_bindings.count(hwnd) != 0) {
            continue;
        }
        const bool topLevel = isTopLevelRecord(*r);
        QWidget* parent = topLevel ? nullptr : widgetOf(r->parent);
        if (!topLevel && !parent) {
            continue;  // its parent is gone
        }
        if (topLevel && r->cls == afx::WindowClass::Dialog) {
            parent = ownerWidgetOf(*r);
        }
        std::unique_ptr<ControlBinding> binding = makeBinding(*r, parent, *this);
        m_handles[binding->widget()] = hwnd;
        m_bindings[hwnd] = std::move(binding);
        m_pending[hwnd].kinds = kEverything;
        m_layouts.insert(hwnd);
        if (r->parent && !topLevel) {
            m_layouts.insert(r->parent);
            m_pending[r->parent].kinds |= kChildrenChanged;
        }
        if (topLevel && r->cls == afx::WindowClass::Dialog) {
            windows.push_back(hwnd);
        }
    }
    return windows;
}

void Presenter::flush() {
    m_flushQueued = false;
    m_retired.clear();
    m_released.erase(std::remove_if(m_released.begin(), m_released.end(),
                                    [](const QPointer<QWidget>& widget) { return !widget; }),
                     m_released.end());
    const std::vector<HWND> newWindows = createPending();
    const std::map<HWND, PendingChange> pending = std::move(m_pending);
    m_pending.clear();
    const std::set<HWND> layouts = std::move(m_layouts);
    m_layouts.clear();

    m_mirroring = true;
    for (const auto& [hwnd, change] : pending) {
        const auto it = m_bindings.find(hwnd);
        const afx::WindowRecord* r = afx::windows().find(hwnd);
        if (it != m_bindings.end() && r) {
            it->second->sync(*r, change);
        }
    }
    for (HWND hwnd : layouts) {
        const auto it = m_bindings.find(hwnd);
        const afx::WindowRecord* r = afx::windows().find(hwnd);
        if (it == m_bindings.end() || !r) {
            continue;
        }
        it->second->layoutChildren(*r);
        if (r->cls == afx::WindowClass::Dialog && pending.count(hwnd) != 0 &&
            (pending.at(hwnd).kinds & (kChildrenChanged | bitOf(afx::Change::Text)))) {
            setLabelBuddies(hwnd);
        }
    }
    mirrorFocus();
    m_mirroring = false;

    for (HWND hwnd : newWindows) {
        if (QWidget* widget = widgetOf(hwnd)) {
            emit windowShown(hwnd, widget);
        }
    }
}

void Presenter::setLabelBuddies(HWND dialog) {
    const afx::ControlLayout layout(dialog);
    for (HWND control : layout.visibleChildren()) {
        const HWND label = layout.labelOf(control);
        const auto it = m_bindings.find(label);
        if (it == m_bindings.end()) {
            continue;
        }
        if (auto* binding = dynamic_cast<StaticBinding*>(it->second.get())) {
            binding->setBuddy(widgetOf(control));
        }
    }
}

void Presenter::mirrorFocus() {
    const HWND focus = afx::windows().focus();
    if (focus == m_shownFocus) {
        return;
    }
    m_shownFocus = focus;
    if (QWidget* widget = widgetOf(focus); widget && widget->isVisible()) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void Presenter::operatorFocused(QWidget* now) {
    if (m_mirroring || !now) {
        return;
    }
    const HWND hwnd = handleOf(now);
    const afx::WindowRecord* r = afx::windows().find(hwnd);
    if (!r || r->cls == afx::WindowClass::Dialog || hwnd == afx::windows().focus()) {
        return;
    }
    m_shownFocus = hwnd;
    afx::operatorSetFocus(hwnd);
    actionDone(hwnd);
}

}  // namespace afxqt
