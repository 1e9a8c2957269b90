#pragma once
// The row a navigation key moves to in a list (list boxes and list views): the list selects
// it through the window system, never by itself.

class QKeyEvent;

namespace afxqt {

// -1 when the key does not move in a list of `rows` rows, `page` rows high, from `current`.
int navigationTarget(const QKeyEvent& event, int current, int rows, int page);

}  // namespace afxqt
