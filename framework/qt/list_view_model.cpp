#include "framework/qt/list_view_model.h"

namespace afxqt {

namespace {

Qt::Alignment alignmentOf(int format) {
    switch (format & LVCFMT_JUSTIFYMASK) {
        case LVCFMT_RIGHT:
            return Qt::AlignRight | Qt::AlignVCenter;
        case LVCFMT_CENTER:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

ListViewModel::ListViewModel(HWND hwnd, const BindingHost& host, QObject* parent)
    : QAbstractTableModel(parent), m_hwnd(hwnd), m_host(host) {}

const afx::WindowRecord* ListViewModel::record() const {
    return afx::windows().find(m_hwnd);
}

int ListViewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int ListViewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant ListViewModel::data(const QModelIndex& index, int role) const {
    const afx::WindowRecord* r = record();
    // Between a record change and the next turn the views may still ask for old rows.
    if (!r || !index.isValid() || static_cast<std::size_t>(index.row()) >= r->rows.size()) {
        return {};
    }
    const afx::ListRow& row = r->rows[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<std::size_t>(index.column());
    switch (role) {
        case Qt::DisplayRole:
            return toQString(row.cell(column));
        case Qt::TextAlignmentRole:
            return column < r->columns.size()
                       ? QVariant(static_cast<int>(alignmentOf(r->columns[column].format)))
                       : QVariant();
        case Qt::DecorationRole:
            if (column == 0 && r->imageList != 0 && row.image >= 0) {
                const QIcon icon = m_host.iconOf(r->imageList, row.image);
                return icon.isNull() ? QVariant() : QVariant(icon);
            }
            return {};
        default:
            return {};
    }
}

QVariant ListViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const afx::WindowRecord* r = record();
    if (!r || orientation != Qt::Horizontal || section < 0 ||
        static_cast<std::size_t>(section) >= r->columns.size()) {
        return {};
    }
    const afx::ListColumn& column = r->columns[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) {
        return toQString(column.heading);
    }
    if (role == Qt::TextAlignmentRole) {
        return static_cast<int>(alignmentOf(column.format));
    }
    return {};
}

void ListViewModel::apply(const afx::WindowRecord& record, const PendingChange& change) {
    const int columns = static_cast<int>(record.columns.size());
    if (change.rowsReset || change.has(afx::Change::Columns) || columns != m_columns) {
        reset(record);
        return;
    }
    for (const afx::ChangeNotice& notice : change.rowNotices) {
        if (!applyNotice(notice)) {
            reset(record);
            return;
        }
    }
    if (static_cast<std::size_t>(m_rows) != record.rows.size()) {
        reset(record);
        return;
    }
    if (change.has(afx::Change::ImageList) && m_rows > 0 && m_columns > 0) {
        emit dataChanged(index(0, 0), index(m_rows - 1, 0), {Qt::DecorationRole});
    }
}

bool ListViewModel::applyNotice(const afx::ChangeNotice& notice) {
    if (notice.count <= 0) {
        return true;
    }
    const int first = notice.first;
    const int last = notice.first + notice.count - 1;
    switch (notice.rows) {
        case afx::RowChange::Inserted:
            if (first < 0 || first > m_rows) {
                return false;
            }
            beginInsertRows({}, first, last);
            m_rows += notice.count;
            endInsertRows();
            return true;
        case afx::RowChange::Removed:
            if (first < 0 || last >= m_rows) {
                return false;
            }
            beginRemoveRows({}, first, last);
            m_rows -= notice.count;
            endRemoveRows();
            return true;
        case afx::RowChange::Changed:
            if (first < 0 || last >= m_rows) {
                return false;
            }
            // Item state alone is the selection, which the view mirrors itself.
            if (notice.covers(afx::Change::Rows) && m_columns > 0) {
                emit dataChanged(index(first, 0), index(last, m_columns - 1));
            }
            return true;
        default:
            return false;
    }
}

void ListViewModel::reset(const afx::WindowRecord& record) {
    beginResetModel();
    m_rows = static_cast<int>(record.rows.size());
    m_columns = static_cast<int>(record.columns.size());
    endResetModel();
}

}  // namespace afxqt
