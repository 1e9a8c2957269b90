#include "framework/qt/sheet_widget.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QFrame>
#include <QtWidgets/QTabBar>
#include <algorithm>

#include "framework/afx/control_layout.h"

namespace afxqt {

namespace {

// Where a sheet puts its parts, in dialog units.
constexpr int kMargin = 7;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;
const CSize kEmptySheetPage(212, 120);

bool isSheet(const afx::WindowRecord& record) {
    return record.cls == afx::WindowClass::Dialog && !record.tabs.empty();
}

}  // namespace

SheetWidget::SheetWidget(QWidget* parent) : QWidget(parent) {}

QTabBar* SheetWidget::tabBar() {
    if (!m_tabBar) {
        m_tabBar = new QTabBar(this);
        m_tabBar->setDrawBase(false);
        m_tabBar->setExpanding(false);
        // Clicks, keys and the wheel alike; the presenter changes it with signals blocked.
        connect(m_tabBar, &QTabBar::currentChanged, this, &SheetWidget::tabChosen);
        m_tabBar->show();
    }
    return m_tabBar;
}

QFrame* SheetWidget::pane() {
    if (!m_pane) {
        m_pane = new QFrame(this);
        m_pane->setFrameShape(QFrame::StyledPanel);
        m_pane->lower();
        m_pane->show();
    }
    return m_pane;
}

void SheetWidget::closeEvent(QCloseEvent* event) {
    // The record decides whether the window goes; it is destroyed through it.
    event->ignore();
    emit closeRequested();
}

// Ctrl+Tab and Ctrl+PgDn go to the next tab, Ctrl+Shift+Tab and Ctrl+PgUp to the one before,
// round the ends, as a tab click: a page that will not let go keeps its tab.
static int tabStep(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    if (!(mods & Qt::ControlModifier) || (mods & ~(Qt::ControlModifier | Qt::ShiftModifier))) {
        return 0;
    }
    const bool shift = mods & Qt::ShiftModifier;
    switch (event.key()) {
        case Qt::Key_Tab:
            return shift ? -1 : 1;
        case Qt::Key_Backtab:
            return -1;
        case Qt::Key_PageDown:
            return shift ? 0 : 1;
        case Qt::Key_PageUp:
            return shift ? 0 : -1;
        default:
            return 0;
    }
}

void SheetWidget::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (const int step = tabStep(*event);
        step != 0 && m_tabBar && m_tabBar->isVisible() && m_tabBar->count() > 1) {
        const int count = m_tabBar->count();
        m_tabBar->setCurrentIndex((m_tabBar->currentIndex() + step + count) % count);
        event->accept();
        return;
    }
    if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)) {
        bool handled = false;
        emit keyCommand(key, &handled);
        if (handled) {
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

DialogBinding::DialogBinding(HWND hwnd, QWidget* parent, BindingHost& host, bool topLevel)
    : ControlBinding(hwnd, new SheetWidget(parent), host),
      m_sheet(static_cast<SheetWidget*>(m_widget.data())),
      m_topLevel(topLevel) {
    if (topLevel) {
        m_sheet->setWindowFlags(parent ? Qt::Dialog : Qt::Window);
        m_sheet->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    QObject::connect(m_sheet, &SheetWidget::tabChosen, &m_guard,
                     [this](int index) { act([&] { afx::operatorActivateTab(m_hwnd, index); }); });
    QObject::connect(m_sheet, &SheetWidget::closeRequested, &m_guard, [this] { cancel(); });
    QObject::connect(m_sheet, &SheetWidget::keyCommand, &m_guard,
                     [this](int key, bool* handled) { *handled = keyCommand(key); });
}

bool DialogBinding::keyCommand(int key) {
    if (key == Qt::Key_Escape) {
        if (m_topLevel) {
            cancel();
        }
        return m_topLevel;
    }
    const afx::WindowRecord* r = afx::windows().find(m_hwnd);
    if (!r) {
        return false;
    }
    HWND target = nullptr;
    for (HWND child : r->children) {
        const afx::WindowRecord* c = afx::windows().find(child);
        if (c && c->cls == afx::WindowClass::PushButton && c->is(afx::style::kDefaultButton)) {
            target = child;
            break;
        }
    }
    if (!target && m_topLevel) {
        target = afx::windows().childById(m_hwnd, IDOK);
    }
    if (!target) {
        return false;
    }
    act([target] { afx::operatorClick(target); });
    return true;
}

void DialogBinding::cancel() {
    act([this] {
        const HWND button = afx::windows().childById(m_hwnd, IDCANCEL);
        if (button && afx::operatorClick(button)) {
            return;
        }
        afx::windows().send(m_hwnd, WM_COMMAND, static_cast<WPARAM>(IDCANCEL), 0);
    });
}

void DialogBinding::syncGeometry(const afx::WindowRecord& record) {
    if (record.rect.IsRectEmpty() || isSheet(record)) {
        return;  // a sheet takes the size of its pages
    }
    const QRect rect = m_host.units().toPixels(record.rect);
    if (m_topLevel) {
        m_sheet->setFixedSize(rect.size());
        return;
    }
    const afx::WindowRecord* parent = afx::windows().find(record.parent);
    if (parent && isSheet(*parent)) {
        m_sheet->resize(rect.size());  // the sheet places its pages
    } else {
        m_sheet->setGeometry(rect);
    }
}

void DialogBinding::syncState(const afx::WindowRecord& record, const PendingChange& change) {
    if (change.has(afx::Change::Text)) {
        m_sheet->setWindowTitle(toQString(afx::stripMnemonic(record.text)));
    }
    if (change.has(afx::Change::Tabs)) {
        syncTabs(record);
    }
    // After an operator's tab click too: a refused change puts the tab bar back.
    if (QTabBar* bar = m_sheet->existingTabBar(); bar && bar->currentIndex() != record.activeTab) {
        const QSignalBlocker blocker(bar);
        bar->setCurrentIndex(record.activeTab);
    }
    if (change.has(afx::Change::Modal)) {
        syncModality(record);
    }
}

void DialogBinding::syncTabs(const afx::WindowRecord& record) {
    if (record.tabs.empty() && !m_sheet->existingTabBar()) {
        return;
    }
    QTabBar* bar = m_sheet->tabBar();
    const QSignalBlocker blocker(bar);
    while (bar->count() > static_cast<int>(record.tabs.size())) {
        bar->removeTab(bar->count() - 1);
    }
    for (std::size_t i = 0; i < record.tabs.size(); ++i) {
        const int index = static_cast<int>(i);
        if (index < bar->count()) {
            bar->setTabText(index, toQString(record.tabs[i]));
        } else {
            bar->addTab(toQString(record.tabs[i]));
        }
    }
    bar->setCurrentIndex(record.activeTab);
    bar->setVisible(!record.tabs.empty());
}

void DialogBinding::syncModality(const afx::WindowRecord& record) {
    if (!m_topLevel) {
        return;
    }
    const Qt::WindowModality wanted =
        record.modal == afx::ModalState::Running ? Qt::ApplicationModal : Qt::NonModal;
    if (m_sheet->windowModality() == wanted) {
        return;
    }
    // Modality takes effect when a window is shown.
    const bool shown = m_sheet->isVisible();
    if (shown) {
        m_sheet->hide();
    }
    m_sheet->setWindowModality(wanted);
    if (shown) {
        m_sheet->show();
    }
}

void DialogBinding::layoutChildren(const afx::WindowRecord& record) {
    if (!m_widget) {
        return;
    }
    if (isSheet(record)) {
        const DialogUnits& units = m_host.units();
        const int mx = units.x(kMargin);
        const int my = units.y(kMargin);
        QSize content;
        std::vector<QWidget*> buttons;
        for (HWND child : record.children) {
            const afx::WindowRecord* c = afx::windows().find(child);
            QWidget* widget = m_host.widgetOf(child);
            if (!c || !widget) {
                continue;
            }
            if (c->cls == afx::WindowClass::Dialog) {
                content = content.expandedTo(units.toPixels(c->rect.Size()));
            } else if (c->cls == afx::WindowClass::PushButton && c->rect.IsRectEmpty() &&
                       c->visible) {
                buttons.push_back(widget);
            }
        }
        if (content.isEmpty()) {
            content = units.toPixels(kEmptySheetPage);
        }
        // The button row never sticks out of the window.
        const int buttonWidth = units.x(kButtonWidth);
        const int buttonGap = units.x(kButtonGap);
        const int rowWidth =
            static_cast<int>(buttons.size()) * (buttonWidth + buttonGap) - buttonGap;
        content.setWidth(std::max(content.width(), rowWidth));
        QTabBar* bar = m_sheet->tabBar();
        const int tabHeight = bar->sizeHint().height();
        bar->setGeometry(mx, my, content.width(), tabHeight);
        const QPoint pageOrigin(mx, my + tabHeight);
        m_sheet->pane()->setGeometry(QRect(pageOrigin, content).adjusted(-1, -1, 1, 1));
        for (HWND child : record.children) {
            const afx::WindowRecord* c = afx::windows().find(child);
            if (QWidget* widget = m_host.widgetOf(child);
                widget && c && c->cls == afx::WindowClass::Dialog) {
                widget->move(pageOrigin);
            }
        }
        const int buttonHeight = units.y(kButtonHeight);
        const int buttonTop = pageOrigin.y() + content.height() + my;
        int right = mx + content.width();
        for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) {
            (*it)->setGeometry(right - buttonWidth, buttonTop, buttonWidth, buttonHeight);
            right -= buttonWidth + buttonGap;
        }
        const QSize size(content.width() + 2 * mx, buttonTop + buttonHeight + my);
        if (m_topLevel) {
            m_sheet->setFixedSize(size);
        } else {
            m_sheet->resize(size);
        }
    }
    if (m_topLevel && m_sheet->isVisible() != record.visible) {
        m_sheet->setVisible(record.visible);
    }
}

}  // namespace afxqt
