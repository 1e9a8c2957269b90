#pragma once
// The project's icons as Qt icons: the pages' shared image list by index, and the
// application's own. Drawn as SVG in resources/icons and built into the program.

#include <QtCore/QString>
#include <QtGui/QIcon>

namespace gui {

// The image at index of the pages' shared list (sw::DefaultIcon); a null icon outside it.
QIcon defaultIcon(int image);
// The window's icon: a small chassis.
QIcon applicationIcon();
// The resource path of a named icon (":/icons/port-on.svg").
QString iconPath(const QString& name);

}  // namespace gui
