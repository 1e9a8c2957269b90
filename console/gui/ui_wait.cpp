#include "console/gui/ui_wait.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QTimer>

namespace gui {

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0) {
            return done();
        }
        // Sleeps in Qt's loop (no spinning), looking again at least every 10 ms.
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(std::min<qint64>(left, 10)), &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void waitFor(int ms) {
    waitUntil([] { return false; }, ms);
}

}  // namespace gui
