#include "console/gui/gui_app.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <ostream>

#include "console/console_session.h"
#include "console/gui/display_check.h"
#include "console/gui/gui_icons.h"
#include "console/gui/gui_options.h"
#include "console/gui/gui_session.h"
#include "console/gui/main_window.h"
#include "console/gui/screenshot_tour.h"
#include "framework/afx/printable_text.h"
#include "framework/afx/ui_hook.h"
#include "framework/qt/help_window.h"
#include "framework/qt/presenter.h"
#include "framework/qt/qt_event_loop_backend.h"
#include "framework/qt/qt_ui_driver.h"

namespace gui {

int runGui(int argc, char** argv, GuiEnvironment& env) {
    const GuiOptionsResult parsed =
        parseGuiOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.ok) {
        env.err << env.program << ": " << afx::printableText(parsed.error) << "\n"
                << "Try '" << env.program << " --help'.\n";
        return console::kExitUsage;
    }
    const GuiOptions& options = parsed.options;
    if (options.console.help) {
        env.out << guiUsageText(env.program);
        return console::kExitOk;
    }
    if (options.console.version) {
        env.out << console::versionText(env.program);
        return console::kExitOk;
    }
    if (const std::string why = missingDisplay(processDisplayEnvironment()); !why.empty()) {
        env.err << env.program << ": " << why << "\n";
        return console::kExitUsage;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("swconsole-gui");
    QApplication::setWindowIcon(applicationIcon());
    afx::setApplicationName("swconsole-gui");
    afxqt::QtEventLoopBackend backend;
    afxqt::Presenter presenter;
    afxqt::QtUiDriver driver(&presenter);
    presenter.setIconProvider([](int, int image) { return defaultIcon(image); });
    GuiSession session(env.buildModule, env.installedModuleDir);
    MainWindow window(options, session);
    presenter.setMainWindow(&window);
    afxqt::installHelpWindow(&window);

    std::string error;
    const bool connected = window.connectTo(options.console.agent, &error);
    if (!options.screenshotDir.empty()) {
        if (!connected) {
            env.err << env.program << ": " << afx::printableText(error) << "\n";
            return console::kExitStepFailed;
        }
        return renderScreenshots(window, presenter, options.screenshotDir, env.err);
    }
    window.show();
    if (!connected) {
        QMessageBox::warning(&window, QObject::tr("Connect"),
                             QObject::tr("Cannot connect: %1")
                                 .arg(QString::fromStdString(afx::printableText(error))));
    }
    return QApplication::exec();
}

}  // namespace gui
