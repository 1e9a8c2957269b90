#include "console/gui/gui_icons.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QHash>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtSvg/QSvgRenderer>

#include "framework/sw/default_icons.h"

// The resources of a static library are registered by hand, outside any namespace.
static void registerIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace gui {

namespace {

// Rendered here at the sizes lists and title bars use rather than through an icon engine
// plug-in, which an installation may lack.
// Pixmaps may not outlive the application object: the cache goes with it.
QHash<QString, QIcon>& iconCache() {
    static QHash<QString, QIcon>* cache = nullptr;
    if (cache == nullptr) {
        registerIconResources();
        cache = new QHash<QString, QIcon>;
        QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [] {
            delete cache;
            cache = nullptr;
        });
    }
    return *cache;
}

QIcon renderedIcon(const QString& name) {
    QHash<QString, QIcon>& cache = iconCache();
    if (const auto it = cache.constFind(name); it != cache.constEnd()) {
        return *it;
    }
    QSvgRenderer renderer(iconPath(name));
    QIcon icon;
    if (renderer.isValid()) {
        for (const int size : {16, 24, 32, 48, 64}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            renderer.render(&painter);
            painter.end();
            icon.addPixmap(pixmap);
        }
    }
    cache.insert(name, icon);
    return icon;
}

}  // namespace

QString iconPath(const QString& name) {
    return QStringLiteral(":/icons/") + name + QStringLiteral(".svg");
}

QIcon defaultIcon(int image) {
    const char* name = sw::defaultIconName(image);
    return *name != '\0' ? renderedIcon(QString::fromLatin1(name)) : QIcon();
}

QIcon applicationIcon() {
    return renderedIcon(QStringLiteral("app"));
}

}  // namespace gui
