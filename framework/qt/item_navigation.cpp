#include "framework/qt/item_navigation.h"

#include <QtGui/QKeyEvent>
#include <algorithm>

namespace afxqt {

int navigationTarget(const QKeyEvent& event, int current, int rows, int page) {
    if (rows <= 0) {
        return -1;
    }
    page = std::max(1, page);
    int target = -1;
    switch (event.key()) {
        case Qt::Key_Up:
            target = current - 1;
            break;
        case Qt::Key_Down:
            target = current + 1;
            break;
        case Qt::Key_PageUp:
            target = current - page;
            break;
        case Qt::Key_PageDown:
            target = current + page;
            break;
        case Qt::Key_Home:
            return 0;
        case Qt::Key_End:
            return rows - 1;
        default:
            return -1;
    }
    if (current < 0) {
        return 0;  // no current row yet: the first one
    }
    return std::clamp(target, 0, rows - 1);
}

}  // namespace afxqt
