// Controls on screen: what the operator does reaches the dialog as with the operator driver,
// what code does shows on screen and notifies nobody.

#include <QtGui/QGuiApplication>
#include <QtGui/QHelpEvent>
#include <QtTest/QSignalSpy>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolTip>
#include <memory>

#include "framework/afx/control_layout.h"
#include "framework/qt/basic_bindings.h"
#include "framework/qt/presenter_test_support.h"

using afx::WindowClass;
using namespace afxqt::testing;

namespace {

constexpr int kApply = 100;
constexpr int kAuto = 101;
constexpr int kCount = 102;
constexpr int kName = 103;
constexpr int kMode = 104;
constexpr int kPorts = 105;
constexpr int kNote = 106;
constexpr const char* kLongNote =
    "10/100 Mb/s Ethernet, twisted pair (RJ-45), speed and duplex by auto-negotiation";

int formTemplate() {
    namespace style = afx::style;
    return registerTemplate(
        {0,
         "Port",
         CSize(200, 120),
         {
             {IDC_STATIC, WindowClass::Static, "&Count:", CRect(7, 9, 50, 19), 0},
             control(WindowClass::Edit, kCount, "", CRect(55, 7, 120, 19), style::kDigitsOnly),
             {IDC_STATIC, WindowClass::Static, "Name:", CRect(7, 27, 50, 37), 0},
             control(WindowClass::Edit, kName, "", CRect(55, 25, 190, 37)),
             control(WindowClass::CheckBox, kAuto, "&Auto", CRect(7, 45, 100, 55)),
             control(WindowClass::ComboBox, kMode, "", CRect(55, 60, 150, 72),
                     style::kDropDownList),
             control(WindowClass::ListBox, kPorts, "", CRect(7, 78, 100, 113), style::kMultiSelect),
             control(WindowClass::PushButton, kApply, "&Apply", CRect(140, 95, 190, 109)),
             control(WindowClass::Static, kNote, kLongNote, CRect(110, 78, 190, 88)),
         }});
}

}  // namespace

class PresenterControlsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Front> m_front;
    std::unique_ptr<RecordingDialog> m_dialog;

private slots:
    void init() {
        m_front = std::make_unique<Front>();
        m_dialog = std::make_unique<RecordingDialog>(formTemplate());
        QVERIFY(m_dialog->Create(m_dialog->templateId()));
        QWidget* window = m_front->window(*m_dialog);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }

    void cleanup() {
        m_dialog.reset();
        m_front.reset();
    }

    void operatorInputNotifiesAndCodeDoesNot() {
        auto* apply = m_front->widget<QPushButton>(*m_dialog, kApply);
        auto* autoBox = m_front->widget<QCheckBox>(*m_dialog, kAuto);
        auto* name = m_front->widget<QLineEdit>(*m_dialog, kName);
        QVERIFY(apply && autoBox && name);

        QTest::mouseClick(apply, Qt::LeftButton);
        QCOMPARE(m_dialog->commandCount(kApply, BN_CLICKED), 1);
        // On its box: a check box takes clicks on its box and text, not on the blank after them.
        QTest::mouseClick(autoBox, Qt::LeftButton, {}, QPoint(6, autoBox->height() / 2));
        QCOMPARE(m_dialog->commandCount(kAuto, BN_CLICKED), 1);
        QCOMPARE(static_cast<CButton*>(m_dialog->GetDlgItem(kAuto))->GetCheck(), BST_CHECKED);

        m_dialog->commands.clear();
        m_dialog->GetDlgItem(kName)->SetWindowText("eth0");
        static_cast<CButton*>(m_dialog->GetDlgItem(kAuto))->SetCheck(BST_UNCHECKED);
        m_front->presenter.flush();
        QCoreApplication::processEvents();
        QCOMPARE(name->text(), QStringLiteral("eth0"));
        QCOMPARE(autoBox->checkState(), Qt::Unchecked);
        QVERIFY(m_dialog->commands.empty());
    }

    void disabledControlRefusesTheClick() {
        auto* apply = m_front->widget<QPushButton>(*m_dialog, kApply);
        m_dialog->GetDlgItem(kApply)->EnableWindow(FALSE);
        m_front->presenter.flush();
        QVERIFY(!apply->isEnabled());
        QTest::mouseClick(apply, Qt::LeftButton);
        QCOMPARE(m_dialog->commandCount(kApply, BN_CLICKED), 0);
    }

    void typedTextEndsAsTheRecordHoldsIt_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("kept");
        QTest::newRow("digits") << "1200" << 0 << "1200";
        QTest::newRow("letters dropped") << "1a2b" << 0 << "12";
        QTest::newRow("past the limit") << "123456" << 4 << "1234";
    }

    void typedTextEndsAsTheRecordHoldsIt() {
        QFETCH(QString, typed);
        QFETCH(int, limit);
        QFETCH(QString, kept);
        static_cast<CEdit*>(m_dialog->GetDlgItem(kCount))->LimitText(limit);
        auto* count = m_front->widget<QLineEdit>(*m_dialog, kCount);
        QTest::keyClicks(count, typed);
        m_front->presenter.flush();
        QCOMPARE(
            QString::fromStdString(
                afx::windows().find(count ? m_dialog->GetDlgItem(kCount)->m_hWnd : nullptr)->text),
            kept);
        QCOMPARE(count->text(), kept);
        QCOMPARE(m_dialog->commandCount(kCount, EN_CHANGE), static_cast<int>(kept.size()));
    }

    void editShowsWhatTheDialogMadeOfTheInput() {
        // A page that rewrites what is typed: the screen follows the record, not the keys.
        m_dialog->onCommand = [this](int id, UINT code) {
            if (id == kName && code == EN_CHANGE) {
                CString text;
                m_dialog->GetDlgItem(kName)->GetWindowText(text);
                m_dialog->GetDlgItem(kName)->SetWindowText(CString((text.str() + "!").c_str()));
            }
        };
        auto* name = m_front->widget<QLineEdit>(*m_dialog, kName);
        QTest::keyClick(name, Qt::Key_X);
        m_front->presenter.flush();
        QCOMPARE(name->text(), QStringLiteral("x!"));
        QCOMPARE(m_dialog->commandCount(kName, EN_CHANGE), 1);
    }

    void choosingInACombo() {
        auto* mode = static_cast<CComboBox*>(m_dialog->GetDlgItem(kMode));
        for (const char* text : {"auto", "100 full", "10 half"}) {
            mode->AddString(text);
        }
        mode->SetCurSel(0);
        auto* combo = m_front->widget<QComboBox>(*m_dialog, kMode);
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->currentIndex(), 0);
        QVERIFY(m_dialog->commands.empty());

        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(mode->GetCurSel(), 1);
        QCOMPARE(m_dialog->commandCount(kMode, CBN_SELCHANGE), 1);

        // The choice was refused (the page put the old one back): the combo shows that.
        m_dialog->onCommand = [mode](int id, UINT code) {
            if (id == kMode && code == CBN_SELCHANGE) {
                mode->SetCurSel(1);
            }
        };
        QTest::keyClick(combo, Qt::Key_Down);
        m_front->presenter.flush();
        QCOMPARE(combo->currentIndex(), 1);
    }

    void listBoxExtendsTheSelectionWithCtrlAndShift() {
        auto* ports = static_cast<CListBox*>(m_dialog->GetDlgItem(kPorts));
        for (const char* text : {"1/1", "1/2", "1/3", "1/4"}) {
            ports->AddString(text);
        }
        auto* list = m_front->widget<QListWidget>(*m_dialog, kPorts);
        const auto click = [list](int row, Qt::KeyboardModifiers modifiers) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                              list->visualItemRect(list->item(row)).center());
        };
        click(0, Qt::NoModifier);
        click(2, Qt::ShiftModifier);
        click(1, Qt::ControlModifier);
        m_front->presenter.flush();
        QCOMPARE(ports->GetSelCount(), 2);
        QVERIFY(ports->GetSel(0) && ports->GetSel(2));
        QCOMPARE(list->selectedItems().size(), 2);
        QVERIFY(list->item(0)->isSelected() && !list->item(1)->isSelected());
        QCOMPARE(m_dialog->commandCount(kPorts, LBN_SELCHANGE), 3);
    }

    void labelMnemonicMovesToItsControl() {
        auto* label = qobject_cast<QLabel*>(m_front->presenter.widgetOf(
            afx::ControlLayout(m_dialog->m_hWnd).labelOf(m_dialog->GetDlgItem(kCount)->m_hWnd)));
        QVERIFY(label);
        QCOMPARE(label->buddy(), m_front->widget<QLineEdit>(*m_dialog, kCount));
        // A label without a buddy shows no stray '&'.
        QVERIFY(!label->text().isEmpty());
    }

    void aStaticTooSmallForItsTextShowsItWholeAsATooltip() {
        auto* note = m_front->widget<QLabel>(*m_dialog, kNote);
        QVERIFY(note);
        QVERIFY(afxqt::labelIsCut(*note));
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), note->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(note, &help);
        QCOMPARE(QToolTip::text(), QString(kLongNote));
        QToolTip::hideText();

        // A label that fits keeps its text to itself.
        m_dialog->GetDlgItem(kNote)->SetWindowText("Fits");
        m_front->presenter.flush();
        QVERIFY(!afxqt::labelIsCut(*note));
    }

    void controlsComeAndGoWithTheirRecords() {
        const HWND name = m_dialog->GetDlgItem(kName)->m_hWnd;
        QPointer<QWidget> widget = m_front->presenter.widgetOf(name);
        QVERIFY(widget);
        QCOMPARE(m_front->presenter.handleOf(widget), name);
        afx::windows().destroy(name);
        m_front->presenter.flush();
        QVERIFY(!m_front->presenter.widgetOf(name));
        QTRY_VERIFY(!widget);

        const HWND added =
            afx::windows().create(WindowClass::PushButton, m_dialog->m_hWnd, 300, "More",
                                  afx::style::kChild, CRect(7, 100, 50, 112));
        QCoreApplication::processEvents();  // no explicit flush: the next turn shows it
        auto* more = qobject_cast<QPushButton*>(m_front->presenter.widgetOf(added));
        QVERIFY(more);
        QCOMPARE(more->text(), QStringLiteral("More"));
        QCOMPARE(more->parentWidget(), m_front->window(*m_dialog));
    }

    void laterPresenterShowsWindowsThatExistUnderTheMainWindow() {
        QWidget main;
        afxqt::Presenter later;
        later.setMainWindow(&main);
        QSignalSpy shown(&later, &afxqt::Presenter::windowShown);
        QCOMPARE(later.widgetOf(m_dialog->m_hWnd), nullptr);  // not before the next turn
        QTRY_COMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).at(0).value<HWND>(), m_dialog->m_hWnd);
        QWidget* window = later.widgetOf(m_dialog->m_hWnd);
        QCOMPARE(shown.at(0).at(1).value<QWidget*>(), window);
        QVERIFY(window->isWindow());
        QCOMPARE(window->parentWidget(), &main);
        QVERIFY(later.widgetOf(m_dialog->GetDlgItem(kApply)->m_hWnd));
    }

    void waitCursorShowsWhileBusy() {
        QVERIFY(!QGuiApplication::overrideCursor());
        afx::windows().changeWaitCursor(+1);
        afx::windows().changeWaitCursor(+1);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        afx::windows().changeWaitCursor(-1);
        QVERIFY(QGuiApplication::overrideCursor());
        afx::windows().changeWaitCursor(-1);
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(PresenterControlsTest)
#include "presenter_controls_qtest.moc"
