#include "framework/qt/control_binding.h"

#include <QtCore/QSignalBlocker>

namespace afxqt {

namespace {
constexpr std::size_t kMaxRowNotices = 32;
}

void PendingChange::add(const afx::ChangeNotice& notice) {
    if (notice.batched()) {
        kinds |= notice.kinds;
    } else {
        kinds |= bitOf(notice.what);
    }
    const bool rowKind = notice.covers(afx::Change::Rows) || notice.covers(afx::Change::ItemState);
    if (!rowKind || rowsReset) {
        return;
    }
    if (notice.rows == afx::RowChange::All || rowNotices.size() >= kMaxRowNotices) {
        rowsReset = true;
        rowNotices.clear();
        return;
    }
    rowNotices.push_back(notice);
}

QString toQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toStdString(const QString& text) {
    return text.toUtf8().toStdString();
}

ControlBinding::ControlBinding(HWND hwnd, QWidget* widget, BindingHost& host)
    : m_hwnd(hwnd), m_widget(widget), m_host(host) {}

ControlBinding::~ControlBinding() = default;

void ControlBinding::release() {
    if (m_widget) {
        m_widget->hide();
        m_widget->deleteLater();
        m_widget = nullptr;
    }
}

void ControlBinding::sync(const afx::WindowRecord& record, const PendingChange& change) {
    if (!m_widget) {
        return;
    }
    const QSignalBlocker blocker(m_widget.data());
    if (change.has(afx::Change::Enabled)) {
        m_widget->setEnabled(record.enabled);
    }
    if (change.has(afx::Change::Rect)) {
        syncGeometry(record);
    }
    syncState(record, change);
    if (change.has(afx::Change::Visible) && !m_widget->isWindow()) {
        m_widget->setVisible(record.visible);
    }
}

void ControlBinding::syncGeometry(const afx::WindowRecord& record) {
    if (record.rect.IsRectEmpty()) {
        return;
    }
    m_widget->setGeometry(m_host.units().toPixels(record.rect));
}

afx::SelectMode selectModeOf(Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ShiftModifier) {
        return afx::SelectMode::Shift;
    }
    if (modifiers & Qt::ControlModifier) {
        return afx::SelectMode::Ctrl;
    }
    return afx::SelectMode::Plain;
}

}  // namespace afxqt
