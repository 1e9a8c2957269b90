#include "framework/qt/list_view_widget.h"

#include <QtCore/QMimeData>
#include <QtGui/QDrag>
#include <QtGui/QHelpEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QToolTip>

#include "framework/qt/item_navigation.h"
#include "framework/qt/list_view_model.h"

namespace afxqt {

ListViewWidget::ListViewWidget(QWidget* parent) : QTableView(parent) {
    setSortingEnabled(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setAlternatingRowColors(true);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    // Fixed row heights keep a thousand rows cheap to lay out.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicatorShown(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    m_dragRunner = [this](QMimeData* data) {
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    };
}

void ListViewWidget::runDrag(const QString& text) {
    auto* data = new QMimeData;
    data->setText(text);
    if (m_dragRunner) {
        m_dragRunner(data);
    } else {
        delete data;
    }
}

bool ListViewWidget::cellIsCut(const QModelIndex& index) const {
    if (!index.isValid() || index.data().toString().isEmpty()) {
        return false;
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QSize wanted = itemDelegateForIndex(index)->sizeHint(option, index);
    return wanted.width() > visualRect(index).width();
}

bool ListViewWidget::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QTableView::viewportEvent(event);
    }
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    if (cellIsCut(index)) {
        QToolTip::showText(help->globalPos(), index.data().toString(), viewport(),
                           visualRect(index));
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

void ListViewWidget::mousePressEvent(QMouseEvent* event) {
    m_pressRow = -1;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()) {
        m_pressRow = index.row();
        m_pressPos = event->position().toPoint();
        emit rowPressed(index.row(), event->modifiers());
    }
    event->accept();
}

void ListViewWidget::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressRow >= 0 && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - m_pressPos).manhattanLength() >=
            QApplication::startDragDistance()) {
        const int row = m_pressRow;
        m_pressRow = -1;
        emit rowDragStarted(row);
    }
    event->accept();
}

void ListViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    m_pressRow = -1;
    event->accept();
}

void ListViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()) {
        emit rowDoubleClicked(index.row());
    }
    event->accept();
}

void ListViewWidget::keyPressEvent(QKeyEvent* event) {
    const int rows = model() ? model()->rowCount() : 0;
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    const int page = viewport()->height() / std::max(1, rowHeight(0)) - 1;
    const int target = navigationTarget(*event, current, rows, page);
    if (target < 0) {
        // Selection keys (Space, Ctrl+A, typing) are not the view's to act on; Enter and
        // Escape go on to the dialog.
        event->ignore();
        return;
    }
    // Arrows with Ctrl only move the focus in a desktop list; here they select, as a click.
    emit rowPressed(target, event->modifiers() & Qt::ShiftModifier);
    event->accept();
}

ListViewBinding::ListViewBinding(HWND hwnd, QWidget* parent, BindingHost& host)
    : ControlBinding(hwnd, new ListViewWidget(parent), host),
      m_view(static_cast<ListViewWidget*>(m_widget.data())),
      m_model(new ListViewModel(hwnd, host, m_view)) {
    m_view->setModel(m_model);
    QObject::connect(
        m_view, &ListViewWidget::rowPressed, &m_guard,
        [this](int row, Qt::KeyboardModifiers modifiers) {
            act([&] { afx::operatorSelectRows(m_hwnd, {row}, selectModeOf(modifiers)); });
        });
    QObject::connect(m_view, &ListViewWidget::rowDoubleClicked, &m_guard,
                     [this](int row) { act([&] { afx::operatorDoubleClick(m_hwnd, row); }); });
    QObject::connect(
        m_view->horizontalHeader(), &QHeaderView::sectionClicked, &m_guard,
        [this](int column) { act([&] { afx::operatorClickColumn(m_hwnd, column); }); });
    QObject::connect(m_view, &ListViewWidget::rowDragStarted, &m_guard,
                     [this](int row) { dragRow(row); });
}

void ListViewBinding::dragRow(int row) {
    afx::ActionResult result;
    QPointer<ListViewWidget> view = m_view;
    act([&] { result = afx::operatorDragRow(m_hwnd, row); });
    if (result && view) {
        view->runDrag(toQString(result.text));
    }
}

void ListViewBinding::syncState(const afx::WindowRecord& record, const PendingChange& change) {
    if (change.has(afx::Change::Style)) {
        m_view->setSelectionMode(record.is(afx::style::kSingleSelect)
                                     ? QAbstractItemView::SingleSelection
                                     : QAbstractItemView::ExtendedSelection);
        m_view->horizontalHeader()->setVisible(record.is(afx::style::kReport));
    }
    const bool rowsTouched = change.has(afx::Change::Rows) || change.has(afx::Change::Columns) ||
                             change.has(afx::Change::ImageList);
    if (rowsTouched) {
        m_model->apply(record, change);
    }
    if (change.has(afx::Change::Columns)) {
        syncColumns(record);
    }
    // After every operator action too: the view must not keep a selection the record refused.
    syncSelection(record);
}

void ListViewBinding::syncColumns(const afx::WindowRecord& record) {
    QHeaderView* header = m_view->horizontalHeader();
    for (std::size_t i = 0; i < record.columns.size(); ++i) {
        if (record.columns[i].width > 0) {
            header->resizeSection(static_cast<int>(i), record.columns[i].width);
        }
    }
}

void ListViewBinding::syncSelection(const afx::WindowRecord& record) {
    QItemSelectionModel* selection = m_view->selectionModel();
    const int rows = std::min(m_model->rowCount(), static_cast<int>(record.rows.size()));
    const int lastColumn = std::max(0, m_model->columnCount() - 1);
    QItemSelection wanted;
    int focused = -1;
    for (int i = 0; i < rows;) {
        const auto& row = record.rows[static_cast<std::size_t>(i)];
        if (row.state & LVIS_FOCUSED) {
            focused = i;
        }
        if (!(row.state & LVIS_SELECTED)) {
            ++i;
            continue;
        }
        int end = i;
        while (end + 1 < rows &&
               (record.rows[static_cast<std::size_t>(end + 1)].state & LVIS_SELECTED)) {
            ++end;
            if (record.rows[static_cast<std::size_t>(end)].state & LVIS_FOCUSED) {
                focused = end;
            }
        }
        wanted.select(m_model->index(i, 0), m_model->index(end, lastColumn));
        i = end + 1;
    }
    if (selection->selection() != wanted) {
        selection->select(wanted, QItemSelectionModel::ClearAndSelect);
    }
    if (focused >= 0 && selection->currentIndex().row() != focused) {
        selection->setCurrentIndex(m_model->index(focused, 0), QItemSelectionModel::NoUpdate);
        m_view->scrollTo(m_model->index(focused, 0));
    }
}

}  // namespace afxqt
