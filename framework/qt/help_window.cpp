#include "framework/qt/help_window.h"

#include <QtCore/QUrl>

#include "framework/qt/control_binding.h"

namespace afxqt {

namespace {
HelpWindow* g_installed = nullptr;
}

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
    setWindowFlags(Qt::Window);
    setWindowTitle(QStringLiteral("Help"));
    setOpenExternalLinks(false);
    resize(640, 480);
}

HelpWindow::~HelpWindow() {
    if (g_installed == this) {
        sw::setHelpViewer({});
        g_installed = nullptr;
    }
}

void HelpWindow::showTopic(const HelpTopicRecord& topic) {
    if (topic.exists) {
        clearHistory();
        setSource(QUrl::fromLocalFile(toQString(topic.path)));
        setWindowTitle(QStringLiteral("Help - ") + documentTitle());
    } else {
        setPlainText(QStringLiteral("There is no help page for the topic \"%1\".")
                         .arg(toQString(topic.topic)));
        setWindowTitle(QStringLiteral("Help"));
    }
    show();
    raise();
    activateWindow();
}

HelpWindow* installHelpWindow(QWidget* parent) {
    auto* window = new HelpWindow(parent);
    sw::setHelpViewer([window](const HelpTopicRecord& topic) { window->showTopic(topic); });
    g_installed = window;
    return window;
}

}  // namespace afxqt
