#include "framework/qt/choice_bindings.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <algorithm>
#include <functional>

#include "framework/qt/item_navigation.h"

namespace afxqt {

namespace {

// Clicks go to the window system; the selection shown is the record's.
class OperatedListWidget : public QListWidget {
public:
    using QListWidget::QListWidget;
    std::function<void(int, Qt::KeyboardModifiers)> onPress;
    std::function<void(int)> onDoubleClick;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid() && event->button() == Qt::LeftButton && onPress) {
            onPress(index.row(), event->modifiers());
        }
        event->accept();
    }
    void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid() && onDoubleClick) {
            onDoubleClick(index.row());
        }
        event->accept();
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int current = currentRow();
        const int page = viewport()->height() / std::max(1, sizeHintForRow(0)) - 1;
        const int target = navigationTarget(*event, current, count(), page);
        if (target < 0 || !onPress) {
            event->ignore();  // Enter and Escape go on to the dialog
            return;
        }
        onPress(target, event->modifiers() & Qt::ShiftModifier);
        event->accept();
    }
    void keyboardSearch(const QString&) override {}
};

QStringList textsOf(const std::vector<afx::ListItem>& items) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (const auto& item : items) {
        texts.push_back(toQString(item.text));
    }
    return texts;
}

}  // namespace

ComboBoxBinding::ComboBoxBinding(HWND hwnd, QWidget* parent, BindingHost& host, bool dropDownList)
    : ControlBinding(hwnd, new QComboBox(parent), host),
      m_combo(static_cast<QComboBox*>(m_widget.data())) {
    if (!dropDownList) {
        // Operators choose entries; typing into a combo is not an operator action here.
        m_combo->setEditable(true);
        m_combo->lineEdit()->setReadOnly(true);
    }
    QObject::connect(m_combo, &QComboBox::activated, &m_guard,
                     [this](int index) { act([&] { afx::operatorChoose(m_hwnd, index); }); });
}

void ComboBoxBinding::syncGeometry(const afx::WindowRecord& record) {
    if (record.rect.IsRectEmpty()) {
        return;
    }
    const QRect rect = m_host.units().toPixels(record.rect);
    m_combo->setGeometry(rect.x(), rect.y(), rect.width(),
                         std::max(rect.height(), m_combo->sizeHint().height()));
}

void ComboBoxBinding::syncState(const afx::WindowRecord& record, const PendingChange& change) {
    if (change.has(afx::Change::Items)) {
        m_combo->clear();
        m_combo->addItems(textsOf(record.items));
    }
    // The operator may have picked an entry that the record refused.
    m_combo->setCurrentIndex(record.curSel < m_combo->count() ? record.curSel : -1);
    if (m_combo->isEditable()) {
        m_combo->setEditText(toQString(record.text));
    }
}

ListBoxBinding::ListBoxBinding(HWND hwnd, QWidget* parent, BindingHost& host)
    : ControlBinding(hwnd, new OperatedListWidget(parent), host),
      m_list(static_cast<QListWidget*>(m_widget.data())) {
    auto* list = static_cast<OperatedListWidget*>(m_list.data());
    list->onPress = [this](int row, Qt::KeyboardModifiers modifiers) {
        act([&] { afx::operatorSelectListBox(m_hwnd, row, selectModeOf(modifiers)); });
    };
    list->onDoubleClick = [this](int row) { act([&] { afx::operatorDoubleClick(m_hwnd, row); }); };
}

ListBoxBinding::~ListBoxBinding() {
    // A released widget may outlive its binding until its deferred deletion.
    if (auto* list = static_cast<OperatedListWidget*>(m_list.data())) {
        list->onPress = nullptr;
        list->onDoubleClick = nullptr;
    }
}

void ListBoxBinding::syncState(const afx::WindowRecord& record, const PendingChange& change) {
    const bool multi = record.is(afx::style::kMultiSelect);
    m_list->setSelectionMode(multi ? QAbstractItemView::ExtendedSelection
                                   : QAbstractItemView::SingleSelection);
    if (change.has(afx::Change::Items)) {
        m_list->clear();
        m_list->addItems(textsOf(record.items));
    }
    for (int i = 0; i < m_list->count(); ++i) {
        const auto index = static_cast<std::size_t>(i);
        const bool selected = index < record.items.size() &&
                              (multi ? record.items[index].selected : i == record.curSel);
        m_list->item(i)->setSelected(selected);
    }
    const int current = multi ? record.caretIndex : record.curSel;
    if (current >= 0 && current < m_list->count()) {
        m_list->setCurrentRow(current, QItemSelectionModel::NoUpdate);
        m_list->scrollToItem(m_list->item(current));
    }
}

}  // namespace afxqt
