#include "framework/qt/dialog_units.h"

#include <QtGui/QFontMetrics>
#include <algorithm>

namespace afxqt {

DialogUnits::DialogUnits(int charWidth, int charHeight)
    : m_cx(std::max(1, charWidth)), m_cy(std::max(1, charHeight)) {}

DialogUnits DialogUnits::of(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average over the letters, rounded, as dialog templates were laid out with; the
    // font's own average width is often narrower, and labels would be cut.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, metrics.height()};
}

QRect DialogUnits::toPixels(const CRect& rect) const {
    const int left = x(rect.left);
    const int top = y(rect.top);
    return {left, top, x(rect.right) - left, y(rect.bottom) - top};
}

}  // namespace afxqt
