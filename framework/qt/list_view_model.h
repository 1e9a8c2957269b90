#pragma once
// The rows of a list-view record as a Qt model. It reads the record itself and tells views
// only what the record's notices said: a ranged change updates those rows, inserts and
// removals move them, anything else (or too many notices in one turn) is one reset.

#include <QtCore/QAbstractTableModel>

#include "framework/qt/control_binding.h"

namespace afxqt {

class ListViewModel : public QAbstractTableModel {
public:
    ListViewModel(HWND hwnd, const BindingHost& host, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Brings the views up to the record after the changes gathered in change.
    void apply(const afx::WindowRecord& record, const PendingChange& change);

private:
    void reset(const afx::WindowRecord& record);
    // False when the notice does not fit what the views were told.
    bool applyNotice(const afx::ChangeNotice& notice);
    const afx::WindowRecord* record() const;

    HWND m_hwnd;
    const BindingHost& m_host;
    int m_rows = 0;  // what the views were told
    int m_columns = 0;
};

}  // namespace afxqt
