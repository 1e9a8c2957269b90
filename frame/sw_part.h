#pragma once
// A drawn part of the console's chassis picture (a module, a port, a lamp).

#include "framework/afx/collections.h"

class CSwPart : public CObject {
public:
    CSwPart() = default;
    CSwPart(int left, int top, int right, int bottom)
        : m_left(left), m_top(top), m_right(right), m_bottom(bottom) {}
    ~CSwPart() override = default;

    virtual CRect GetRect() const { return CRect(m_left, m_top, m_right, m_bottom); }

protected:
    int m_left = 0;
    int m_top = 0;
    int m_right = 0;
    int m_bottom = 0;
};
