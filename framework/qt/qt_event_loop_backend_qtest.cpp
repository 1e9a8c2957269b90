// afx's event loop driven by Qt's: posted work, timers and watched descriptors all run from
// QEventLoop turns, never from inside the back-end calls.

#include <sys/socket.h>
#include <unistd.h>

#include <QtCore/QElapsedTimer>
#include <QtTest/QTest>

#include "framework/qt/qt_event_loop_backend.h"

class QtEventLoopBackendTest : public QObject {
    Q_OBJECT

private slots:
    void postedWorkAndTimersRunFromQtsLoop() {
        afx::EventLoop loop;
        afxqt::QtEventLoopBackend backend(loop);
        int posted = 0;
        loop.post([&] { ++posted; });
        loop.post([&] { ++posted; });
        QCOMPARE(posted, 0);  // scheduled, not run inside post()
        QTRY_COMPARE(posted, 2);

        std::vector<int> fired;
        QElapsedTimer clock;
        clock.start();
        loop.addTimer(60, [&] { fired.push_back(60); });
        loop.addTimer(20, [&] { fired.push_back(20); });
        const auto cancelled = loop.addTimer(40, [&] { fired.push_back(40); });
        loop.cancelTimer(cancelled);
        QTRY_COMPARE(fired.size(), std::size_t{2});
        QCOMPARE(fired, (std::vector<int>{20, 60}));
        // The loop's clock counts whole milliseconds: its 60 ms may start up to 1 ms early.
        QVERIFY(clock.elapsed() >= 59);
    }

    void virtualClockFollowsQtsTimers() {
        afx::EventLoop loop;
        loop.useVirtualClock(true);
        afxqt::QtEventLoopBackend backend(loop);
        const std::int64_t start = loop.now();
        std::int64_t firedAt = -1;
        loop.addTimer(30, [&] { firedAt = loop.now(); });
        QTRY_VERIFY(firedAt >= 0);
        QVERIFY(firedAt - start >= 30);

        // Between timers the virtual clock keeps up with real time too.
        const std::int64_t before = loop.now();
        QTest::qWait(40);
        loop.post([] {});
        QTRY_VERIFY(loop.now() - before >= 40);
    }

    void watchedDescriptorIsReadFromQtsLoop() {
        afx::EventLoop loop;
        afxqt::QtEventLoopBackend backend(loop);
        int fds[2];
        QCOMPARE(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
        std::string received;
        afx::EventLoop::WatchId watch = 0;
        watch = loop.watchFd(fds[0], [&] {
            char buffer[16];
            const ssize_t n = read(fds[0], buffer, sizeof buffer);
            received.append(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
            loop.unwatchFd(watch);  // from inside its own notification
        });
        QCOMPARE(write(fds[1], "ping", 4), ssize_t{4});
        QTRY_COMPARE(received, std::string("ping"));

        // Unwatched: further data stays unread.
        QCOMPARE(write(fds[1], "more", 4), ssize_t{4});
        QTest::qWait(30);
        QCOMPARE(received, std::string("ping"));
        close(fds[0]);
        close(fds[1]);
    }

    void previousBackendComesBack() {
        afx::EventLoop loop;
        {
            afxqt::QtEventLoopBackend outer(loop);
            {
                afxqt::QtEventLoopBackend inner(loop);
                QCOMPARE(loop.backend(), &inner);
            }
            QCOMPARE(loop.backend(), &outer);
        }
        QCOMPARE(loop.backend(), nullptr);
    }
};

QTEST_MAIN(QtEventLoopBackendTest)
#include "qt_event_loop_backend_qtest.moc"
