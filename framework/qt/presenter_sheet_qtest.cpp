// Sheets, modal dialogs, message boxes and help on screen.

#include <QtCore/QElapsedTimer>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtTest/QSignalSpy>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTextBrowser>
#include <fstream>
#include <memory>

#include "framework/qt/help_window.h"
#include "framework/qt/presenter_test_support.h"

using afx::WindowClass;
using namespace afxqt::testing;

namespace {

constexpr int kDescription = 100;

int pageTemplate(const char* caption, int height) {
    return registerTemplate(
        {0,
         caption,
         CSize(200, height),
         {{IDC_STATIC, WindowClass::Static, "Description:", CRect(7, 9, 60, 19), 0},
          control(WindowClass::Edit, kDescription, "", CRect(65, 7, 190, 19))}});
}

class StubbornPage : public RecordingPage {
public:
    using RecordingPage::RecordingPage;
    bool stay = false;
    BOOL OnKillActive() override { return stay ? FALSE : RecordingPage::OnKillActive(); }
};

int modalTemplate() {
    return registerTemplate(
        {0,
         "Confirm",
         CSize(120, 50),
         {control(WindowClass::PushButton, IDOK, "OK", CRect(7, 29, 57, 43),
                  afx::style::kDefaultButton),
          control(WindowClass::PushButton, IDCANCEL, "Cancel", CRect(63, 29, 113, 43))}});
}

// Runs from the modal loop's first turns: clicks the button with that text in the modal window.
void clickInModalWindow(const QString& text) {
    QTimer::singleShot(0, [text] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        for (auto* button : modal->findChildren<QPushButton*>()) {
            if (button->text().remove('&') == text) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        QFAIL("no such button in the modal window");
    });
}

}  // namespace

class PresenterSheetTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Front> m_front;

private slots:
    void init() { m_front = std::make_unique<Front>(); }
    void cleanup() { m_front.reset(); }

    void sheetShowsTabsPagesAndButtons() {
        StubbornPage status(pageTemplate("Status", 120));
        StubbornPage speed(pageTemplate("Speed", 160));
        CPropertySheet sheet("Ethernet Slot:1 Port:1");
        sheet.AddPage(&status);
        sheet.AddPage(&speed);
        QVERIFY(sheet.Create());
        QWidget* window = m_front->window(sheet);
        QVERIFY(window && window->isWindow());
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->windowTitle(), QStringLiteral("Ethernet Slot:1 Port:1"));
        auto* tabs = window->findChild<QTabBar*>();
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(1), QStringLiteral("Speed"));

        // The buttons sit in one row below the pages, at the right, in the sheet's order.
        auto* ok = m_front->widget<QPushButton>(sheet, IDOK);
        auto* cancel = m_front->widget<QPushButton>(sheet, IDCANCEL);
        auto* apply = m_front->widget<QPushButton>(sheet, ID_APPLY_NOW);
        QVERIFY(ok && cancel && apply);
        QCOMPARE(ok->y(), apply->y());
        QVERIFY(ok->x() < cancel->x() && cancel->x() < apply->x());
        QVERIFY(!apply->isEnabled());
        QWidget* statusPage = m_front->window(status);
        QVERIFY(statusPage->geometry().bottom() < ok->y());
        QVERIFY(apply->geometry().right() <= window->width());

        // A tab click activates the page; a page that will not let go keeps its tab.
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        m_front->presenter.flush();
        QCOMPARE(sheet.GetActiveIndex(), 1);
        QWidget* speedPage = m_front->window(speed);
        QVERIFY(speedPage && speedPage->isVisible() && !statusPage->isVisible());
        // The sheet grew to its tallest page.
        QVERIFY(speedPage->geometry().bottom() < ok->y());

        speed.stay = true;
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        m_front->presenter.flush();
        QCOMPARE(sheet.GetActiveIndex(), 1);
        QCOMPARE(tabs->currentIndex(), 1);
        QVERIFY(speedPage->isVisible());
        speed.stay = false;

        // The keyboard picks tabs too.
        QTest::keyClick(tabs, Qt::Key_Left);
        m_front->presenter.flush();
        QCOMPARE(sheet.GetActiveIndex(), 0);
        QVERIFY(statusPage->isVisible() && !speedPage->isVisible());

        // Ctrl+Tab from inside a page, forward and back round the ends; a stubborn page stays.
        QTest::keyClick(statusPage, Qt::Key_Tab, Qt::ControlModifier);
        m_front->presenter.flush();
        QCOMPARE(sheet.GetActiveIndex(), 1);
        QTest::keyClick(speedPage, Qt::Key_Tab, Qt::ControlModifier);
        m_front->presenter.flush();
        QCOMPARE(sheet.GetActiveIndex(), 0);
        QTest::keyClick(statusPage, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        m_front->presenter.flush();
        QCOMPARE(sheet.GetActiveIndex(), 1);
        speed.stay = true;
        QTest::keyClick(speedPage, Qt::Key_PageUp, Qt::ControlModifier);
        m_front->presenter.flush();
        QCOMPARE(sheet.GetActiveIndex(), 1);
        QCOMPARE(tabs->currentIndex(), 1);
        speed.stay = false;
    }

    void buttonRowFitsANarrowSheet() {
        StubbornPage narrow(pageTemplate("Status", 60));
        CPropertySheet sheet("Narrow");
        sheet.AddPage(&narrow);
        QVERIFY(sheet.Create());
        // Derived sheets add buttons of their own (Refresh, Help).
        for (int id : {300, 301, 302}) {
            afx::windows().create(WindowClass::PushButton, sheet.m_hWnd, id, "More",
                                  afx::style::kChild, CRect());
        }
        QWidget* window = m_front->window(sheet);
        QVERIFY(window);
        const auto* ok = m_front->widget<QPushButton>(sheet, IDOK);
        const auto* last = m_front->widget<QPushButton>(sheet, 302);
        QVERIFY(ok->x() > 0);
        QVERIFY(last->geometry().right() < window->width());
        QCOMPARE(ok->y(), last->y());
    }

    void windowIsShownAndHiddenWithItsRecord() {
        RecordingDialog dialog(modalTemplate());
        QVERIFY(dialog.Create(dialog.templateId()));
        QWidget* window = m_front->window(dialog);
        QVERIFY(window && window->isVisible());
        dialog.ShowWindow(SW_HIDE);
        m_front->presenter.flush();
        QVERIFY(!window->isVisible());
        dialog.ShowWindow(SW_SHOW);
        m_front->presenter.flush();
        QVERIFY(window->isVisible());
    }

    void titleBarCloseActsAsCancel() {
        RecordingDialog dialog(modalTemplate());
        QVERIFY(dialog.Create(dialog.templateId()));
        QWidget* window = m_front->window(dialog);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const HWND hwnd = dialog.m_hWnd;
        QSignalSpy closed(&m_front->presenter, &afxqt::Presenter::windowClosed);
        window->close();
        QCOMPARE(dialog.commandCount(IDCANCEL, BN_CLICKED), 1);
        QVERIFY(!afx::windows().isWindow(hwnd));
        QCOMPARE(closed.size(), 1);
    }

    void modalDialogRunsUntilItsOkIsClicked() {
        RecordingDialog dialog(modalTemplate());
        bool wasModal = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            wasModal = modal && m_front->presenter.handleOf(modal) == dialog.m_hWnd;
        });
        clickInModalWindow(QStringLiteral("OK"));
        QCOMPARE(dialog.DoModal(), static_cast<INT_PTR>(IDOK));
        QVERIFY(wasModal);
        QCOMPARE(dialog.commandCount(IDOK, BN_CLICKED), 1);
    }

    void modalDialogEndedFromTheEventLoop() {
        // As a page ends its dialog when an agent's answer arrives.
        RecordingDialog dialog(modalTemplate());
        afx::EventLoop::instance().addTimer(20, [&] { dialog.EndDialog(IDRETRY); });
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(dialog.DoModal(), static_cast<INT_PTR>(IDRETRY));
        // The loop's clock counts whole milliseconds: its 20 ms may start up to 1 ms early.
        QVERIFY(clock.elapsed() >= 19);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void keysEndAModalDialog_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("enter: the default button") << int(Qt::Key_Return) << IDOK;
        QTest::newRow("escape: cancel") << int(Qt::Key_Escape) << IDCANCEL;
    }

    void keysEndAModalDialog() {
        QFETCH(int, key);
        QFETCH(int, result);
        RecordingDialog dialog(modalTemplate());
        QTimer::singleShot(0, [key] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            QTest::keyClick(modal, static_cast<Qt::Key>(key));
        });
        QCOMPARE(dialog.DoModal(), static_cast<INT_PTR>(result));
    }

    void messageBoxIsAnswered_data() {
        QTest::addColumn<uint>("style");
        QTest::addColumn<QString>("click");  // empty: Escape
        QTest::addColumn<int>("answer");
        QTest::newRow("yes/no, no") << uint(MB_YESNO | MB_ICONQUESTION) << "No" << IDNO;
        QTest::newRow("ok/cancel, ok") << uint(MB_OKCANCEL | MB_ICONWARNING) << "OK" << IDOK;
        QTest::newRow("ok/cancel, escape") << uint(MB_OKCANCEL) << "" << IDCANCEL;
        QTest::newRow("yes/no/cancel, escape") << uint(MB_YESNOCANCEL) << "" << IDCANCEL;
        QTest::newRow("retry/cancel, retry") << uint(MB_RETRYCANCEL) << "Retry" << IDRETRY;
    }

    void messageBoxIsAnswered() {
        QFETCH(uint, style);
        QFETCH(QString, click);
        QFETCH(int, answer);
        QString title;
        QString text;
        bool plain = false;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            plain = box->textFormat() == Qt::PlainText;
            icon = box->icon();
            if (click.isEmpty()) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton* button : box->buttons()) {
                if (button->text().remove('&') == click) {
                    QTest::mouseClick(button, Qt::LeftButton);
                }
            }
        });
        QCOMPARE(afx::showMessageBox(nullptr, "Set failed: <noAccess>", "Ethernet", style), answer);
        QCOMPARE(title, QStringLiteral("Ethernet"));
        QCOMPARE(text, QStringLiteral("Set failed: <noAccess>"));
        QVERIFY(plain);
        const uint iconBits = style & MB_ICONMASK;
        QCOMPARE(icon, iconBits == MB_ICONQUESTION  ? QMessageBox::Question
                       : iconBits == MB_ICONWARNING ? QMessageBox::Warning
                                                    : QMessageBox::NoIcon);
        QVERIFY(!afx::windows().currentMessageBox());
    }

    void helpWindowShowsThePageOrSaysThereIsNone() {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("Ports")));
        std::ofstream(QDir(root.path()).filePath(QStringLiteral("Ports/status.html")).toStdString())
            << "<html><head><title>Status</title></head><body><p>Port status.</p></body></html>";
        qputenv("SW_HELP_ROOT", root.path().toUtf8());
        QWidget owner;
        afxqt::HelpWindow* help = afxqt::installHelpWindow(&owner);

        QVERIFY(HelpEngine("Ports\\status"));
        QVERIFY(help->isVisible());
        QVERIFY(help->toPlainText().contains(QStringLiteral("Port status.")));
        QVERIFY(!HelpEngine("Ports\\missing"));
        QVERIFY(help->toPlainText().contains(QStringLiteral("no help page")));
        QVERIFY(help->toPlainText().contains(QStringLiteral("Ports\\missing")));

        // A second window takes over; the first going leaves it installed.
        afxqt::HelpWindow* second = afxqt::installHelpWindow(&owner);
        delete help;
        QVERIFY(HelpEngine("Ports\\status"));
        QVERIFY(second->isVisible());
        delete second;
        qunsetenv("SW_HELP_ROOT");
        // Uninstalled with the window: topics no longer reach it.
        QVERIFY(!HelpEngine("Ports\\missing"));
    }
};

QTEST_MAIN(PresenterSheetTest)
#include "presenter_sheet_qtest.moc"
