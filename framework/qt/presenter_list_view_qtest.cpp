// The list view on screen: selection as the operator makes it, heading clicks left to the
// page, rows dragged out, and a polled thousand-row list refreshed in one model update.

#include <QtCore/QElapsedTimer>
#include <QtCore/QMimeData>
#include <QtGui/QHelpEvent>
#include <QtGui/QIcon>
#include <QtGui/QPixmap>
#include <QtTest/QSignalSpy>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QToolTip>
#include <memory>

#include "framework/qt/list_view_model.h"
#include "framework/qt/list_view_widget.h"
#include "framework/qt/presenter_test_support.h"

using afx::WindowClass;
using namespace afxqt::testing;
using afxqt::ListViewWidget;

namespace {

constexpr int kList = 100;

int listTemplate(DWORD selection) {
    return registerTemplate({0,
                             "Ports",
                             CSize(220, 160),
                             {control(WindowClass::ListView, kList, "", CRect(7, 7, 213, 153),
                                      afx::style::kReport | selection)}});
}

// A list whose rows carry "port <row>" when dragged, except the last one.
class DraggableList : public CListCtrl {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != afx::WM_AFX_BEGIN_DRAG) {
            return CListCtrl::WindowProc(message, wParam, lParam);
        }
        const int row = static_cast<int>(wParam);
        if (row == GetItemCount() - 1) {
            return 0;
        }
        *reinterpret_cast<std::string*>(lParam) = "port " + std::to_string(row);
        return 1;
    }
};

std::vector<int> selectedRowsOf(const CListCtrl& list) {
    std::vector<int> rows;
    for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0;
         i = list.GetNextItem(i, LVNI_SELECTED)) {
        rows.push_back(i);
    }
    return rows;
}

std::vector<int> selectedRowsOf(const ListViewWidget& view) {
    std::vector<int> rows;
    for (const QModelIndex& index : view.selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace

Q_DECLARE_METATYPE(std::vector<int>)

class PresenterListViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Front> m_front;
    std::unique_ptr<RecordingDialog> m_dialog;
    DraggableList m_list;
    ListViewWidget* m_view = nullptr;

    void open(DWORD selection, int rows) {
        m_dialog = std::make_unique<RecordingDialog>(listTemplate(selection));
        QVERIFY(m_dialog->Create(m_dialog->templateId()));
        QVERIFY(m_list.SubclassDlgItem(kList, m_dialog.get()));
        m_list.InsertColumn(0, "Port", LVCFMT_LEFT, 60);
        m_list.InsertColumn(1, "Packets", LVCFMT_RIGHT, 90);
        for (int i = 0; i < rows; ++i) {
            m_list.InsertItem(i, ("1/" + std::to_string(i + 1)).c_str());
            m_list.SetItemText(i, 1, std::to_string(i * 10).c_str());
        }
        m_view = m_front->widget<ListViewWidget>(*m_dialog, kList);
        QVERIFY(m_view);
        QVERIFY(QTest::qWaitForWindowExposed(m_view->window()));
    }

    QPoint pointOf(int row) const {
        return m_view->visualRect(m_view->model()->index(row, 0)).center();
    }

    QString shownText(int row, int column) const {
        return m_view->model()->index(row, column).data().toString();
    }

private slots:
    void init() { m_front = std::make_unique<Front>(); }

    void cleanup() {
        m_list.Detach();
        m_dialog.reset();
        m_front.reset();
        m_view = nullptr;
    }

    void clicksSelectRowsAsTheRecordDoes_data() {
        QTest::addColumn<bool>("single");
        QTest::addColumn<std::vector<int>>("expected");
        QTest::newRow("multi: click, shift-click, ctrl-click")
            << false << std::vector<int>{1, 3, 4};
        QTest::newRow("single: the last click wins") << true << std::vector<int>{2};
    }

    void clicksSelectRowsAsTheRecordDoes() {
        QFETCH(bool, single);
        QFETCH(std::vector<int>, expected);
        open(single ? afx::style::kSingleSelect : afx::style::kMultiSelect, 6);
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, pointOf(1));
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::ShiftModifier, pointOf(4));
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::ControlModifier, pointOf(2));
        m_front->presenter.flush();
        QCOMPARE(selectedRowsOf(m_list), expected);
        QCOMPARE(selectedRowsOf(*m_view), expected);
        QCOMPARE(std::count(m_dialog->notices.begin(), m_dialog->notices.end(),
                            std::make_pair(kList, static_cast<UINT>(NM_CLICK))),
                 3);

        // Code selects: the view shows it.
        m_list.SetItemState(-1, 0, LVIS_SELECTED);
        m_list.SetItemState(5, LVIS_SELECTED, LVIS_SELECTED);
        m_front->presenter.flush();
        QCOMPARE(selectedRowsOf(*m_view), std::vector<int>{5});
    }

    void keysMoveTheSelectionThroughTheRecord() {
        open(afx::style::kMultiSelect, 6);
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, pointOf(1));
        m_front->presenter.flush();
        QTest::keyClick(m_view, Qt::Key_Down);
        m_front->presenter.flush();
        QTest::keyClick(m_view, Qt::Key_Down, Qt::ShiftModifier);
        m_front->presenter.flush();
        QCOMPARE(selectedRowsOf(m_list), (std::vector<int>{2, 3}));
        QCOMPARE(selectedRowsOf(*m_view), (std::vector<int>{2, 3}));
        // Select-all and typing are not the view's own business.
        QTest::keyClick(m_view, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(m_view, "1/5");
        m_front->presenter.flush();
        QCOMPARE(selectedRowsOf(*m_view), (std::vector<int>{2, 3}));
        QTest::keyClick(m_view, Qt::Key_End);
        m_front->presenter.flush();
        QCOMPARE(selectedRowsOf(m_list), std::vector<int>{5});

        QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, pointOf(0));
        QCOMPARE(selectedRowsOf(m_list), std::vector<int>{0});
        QCOMPARE(m_dialog->notices.back(), std::make_pair(kList, static_cast<UINT>(NM_DBLCLK)));
    }

    void headingClickLeavesTheOrderToThePage() {
        open(afx::style::kSingleSelect, 4);
        int clicked = -1;
        m_dialog->onNotify = [&](NMHDR* header) {
            if (header->code != LVN_COLUMNCLICK) {
                return;
            }
            clicked = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
            // The page sorts: descending packets.
            for (int i = 0; i < 4; ++i) {
                m_list.SetItemText(i, 0, ("1/" + std::to_string(4 - i)).c_str());
                m_list.SetItemText(i, 1, std::to_string((3 - i) * 10).c_str());
            }
        };
        QHeaderView* header = m_view->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 10, header->height() / 2));
        QCOMPARE(clicked, 1);
        m_front->presenter.flush();
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(shownText(i, 0), QString::fromStdString(m_list.GetItemText(i, 0).str()));
            QCOMPARE(shownText(i, 1), QString::number((3 - i) * 10));
        }
        QCOMPARE(m_view->model()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("Packets"));
    }

    void rowIconsComeFromTheProvider() {
        open(afx::style::kSingleSelect, 2);
        CImageList images;
        images.Create(16, 16, 0, 2, 0);
        images.SetImageCount(2);
        m_list.SetImageList(&images, LVSIL_SMALL);
        LVITEM item{};
        item.mask = LVIF_IMAGE;
        item.iItem = 1;
        item.iImage = 1;
        m_list.SetItem(&item);
        std::vector<std::pair<int, int>> asked;
        m_front->presenter.setIconProvider([&](int list, int image) {
            asked.emplace_back(list, image);
            QPixmap pixmap(16, 16);
            pixmap.fill(Qt::green);
            return QIcon(pixmap);
        });
        m_front->presenter.flush();
        QVERIFY(m_view->model()->index(0, 0).data(Qt::DecorationRole).isNull());
        QVERIFY(!m_view->model()->index(1, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(m_view->model()->index(1, 1).data(Qt::DecorationRole).isNull());
        QVERIFY(std::count(asked.begin(), asked.end(), std::make_pair(images.id(), 1)) > 0);
    }

    void aCutCellShowsItsWholeTextAsATooltip() {
        open(afx::style::kSingleSelect, 2);
        const QString whole = QStringLiteral("1/1 uplink to the core switch in rack four");
        m_list.SetItemText(0, 0, whole.toStdString().c_str());
        m_front->presenter.flush();
        const QModelIndex cut = m_view->model()->index(0, 0);
        QVERIFY(m_view->cellIsCut(cut));
        QVERIFY(!m_view->cellIsCut(m_view->model()->index(1, 0)));

        const QPoint at = m_view->visualRect(cut).center();
        QHelpEvent help(QEvent::ToolTip, at, m_view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(m_view->viewport(), &help);
        QCOMPARE(QToolTip::text(), whole);
        QToolTip::hideText();
    }

    void draggedRowCarriesTheListsText() {
        open(afx::style::kSingleSelect, 3);
        QStringList carried;
        m_view->setDragRunner([&](QMimeData* data) {
            carried << data->text();
            delete data;
        });
        const auto drag = [this](int row) {
            QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, pointOf(row));
            QMouseEvent move(QEvent::MouseMove, pointOf(row) + QPoint(30, 0),
                             m_view->viewport()->mapToGlobal(pointOf(row) + QPoint(30, 0)),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(m_view->viewport(), &move);
            QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, pointOf(row));
        };
        drag(1);
        drag(2);  // not draggable: no drag starts
        QCOMPARE(carried, QStringList{QStringLiteral("port 1")});
    }

    void thousandRowFillIsOneModelReset() {
        open(afx::style::kMultiSelect, 0);
        QSignalSpy resets(m_view->model(), &QAbstractItemModel::modelReset);
        QSignalSpy inserts(m_view->model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy changes(m_view->model(), &QAbstractItemModel::dataChanged);

        // Batched, as a polled table page fills: one notice.
        m_list.SetRedraw(FALSE);
        m_list.DeleteAllItems();
        for (int i = 0; i < 1000; ++i) {
            m_list.InsertItem(i, std::to_string(i).c_str());
            m_list.SetItemText(i, 1, std::to_string(i * 7).c_str());
        }
        m_list.SetRedraw(TRUE);
        QCoreApplication::processEvents();
        QCOMPARE(resets.size(), 1);
        QCOMPARE(m_view->model()->rowCount(), 1000);

        // Unbatched but within one turn: still one update.
        resets.clear();
        for (int i = 0; i < 1000; ++i) {
            m_list.SetItemText(i, 1, std::to_string(i * 11).c_str());
        }
        QCoreApplication::processEvents();
        QCOMPARE(resets.size(), 1);
        QCOMPARE(shownText(999, 1), QStringLiteral("10989"));

        // One cell: that row only, no reset.
        resets.clear();
        changes.clear();
        m_list.SetItemText(500, 1, "x");
        m_list.InsertItem(1000, "new");
        QCoreApplication::processEvents();
        QCOMPARE(resets.size(), 0);
        QCOMPARE(inserts.size(), 1);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.at(0).at(0).value<QModelIndex>().row(), 500);
        QCOMPARE(shownText(500, 1), QStringLiteral("x"));
        QCOMPARE(m_view->model()->rowCount(), 1001);
    }

    void thousandRowChangeIsAppliedAndPaintedQuickly_data() {
        QTest::addColumn<bool>("refill");
        QTest::newRow("cells changed in place") << false;
        QTest::newRow("rows deleted and inserted again") << true;
    }

    // Prints the figure: the time from a polled 1,000-row change arriving to the list painted.
    void thousandRowChangeIsAppliedAndPaintedQuickly() {
        QFETCH(bool, refill);
        open(afx::style::kMultiSelect, 1000);
        m_view->window()->setFixedSize(900, 700);
        m_view->setGeometry(0, 0, 880, 680);
        QElapsedTimer timer;
        qint64 worst = 0;
        for (int round = 1; round <= 10; ++round) {
            m_list.SetRedraw(FALSE);
            if (refill) {
                m_list.DeleteAllItems();
            }
            for (int i = 0; i < 1000; ++i) {
                if (refill) {
                    m_list.InsertItem(i, std::to_string(i).c_str());
                }
                m_list.SetItemText(i, 1, std::to_string(i * round).c_str());
            }
            m_list.SetRedraw(TRUE);
            timer.start();
            m_front->presenter.flush();
            m_view->viewport()->repaint();
            worst = std::max(worst, timer.nsecsElapsed());
        }
        qInfo("1,000-row list (%s), applied and painted: worst of 10 rounds %.2f ms",
              refill ? "refilled" : "changed in place", static_cast<double>(worst) / 1e6);
        QCOMPARE(shownText(999, 1), QString::number(999 * 10));
        QVERIFY(worst < 200'000'000);
    }
};

QTEST_MAIN(PresenterListViewTest)
#include "presenter_list_view_qtest.moc"
