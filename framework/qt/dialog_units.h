#pragma once
// Templates are laid out in dialog units: a quarter of the font's average character width
// (over the letters) across, an eighth of its height down.

#include <QtCore/QRect>
#include <QtGui/QFont>

#include "framework/afx/win_types.h"

namespace afxqt {

class DialogUnits {
public:
    DialogUnits(int charWidth, int charHeight);
    static DialogUnits of(const QFont& font);

    int x(int du) const { return du * m_cx / 4; }
    int y(int du) const { return du * m_cy / 8; }
    QRect toPixels(const CRect& rect) const;
    QSize toPixels(const CSize& size) const { return {x(size.cx), y(size.cy)}; }

private:
    int m_cx;
    int m_cy;
};

}  // namespace afxqt
