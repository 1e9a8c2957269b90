#pragma once
// The list view: a table over ListViewModel that never selects or sorts by itself. Clicks,
// keys, heading clicks, double clicks and drags become signals; ListViewBinding turns them
// into operator actions and mirrors the record's selection back.

#include <QtCore/QPointer>
#include <QtWidgets/QTableView>
#include <functional>

#include "framework/qt/control_binding.h"

class QMimeData;

namespace afxqt {

class ListViewModel;

class ListViewWidget : public QTableView {
    Q_OBJECT
public:
    explicit ListViewWidget(QWidget* parent = nullptr);

    // Runs a drag carrying data (a QDrag by default); tests replace it.
    using DragRunner = std::function<void(QMimeData* data)>;
    void setDragRunner(DragRunner runner) { m_dragRunner = std::move(runner); }
    void runDrag(const QString& text);
    // Whether a cell shows less than its whole text at its column's present width.
    bool cellIsCut(const QModelIndex& index) const;

signals:
    void rowPressed(int row, Qt::KeyboardModifiers modifiers);
    void rowDoubleClicked(int row);
    void rowDragStarted(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString&) override {}
    // A cut cell (a long counter in a narrow column) shows its whole text as a tooltip.
    bool viewportEvent(QEvent* event) override;

private:
    DragRunner m_dragRunner;
    QPoint m_pressPos;
    int m_pressRow = -1;
};

class ListViewBinding : public ControlBinding {
public:
    ListViewBinding(HWND hwnd, QWidget* parent, BindingHost& host);

    ListViewModel* model() const { return m_model; }

protected:
    void syncState(const afx::WindowRecord& record, const PendingChange& change) override;

private:
    void syncColumns(const afx::WindowRecord& record);
    void syncSelection(const afx::WindowRecord& record);
    void dragRow(int row);

    ListViewWidget* m_view;
    ListViewModel* m_model;  // owned by the view
};

}  // namespace afxqt
