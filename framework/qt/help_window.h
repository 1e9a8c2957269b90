#pragma once
// The help window: one browser window that shows the page of the topic asked for, or says
// plainly that the topic has no page. installHelpWindow makes HelpEngine show topics there.

#include <QtWidgets/QTextBrowser>

#include "framework/sw/help_engine.h"

namespace afxqt {

class HelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Stops being HelpEngine's viewer if it is the one installed.
    ~HelpWindow() override;

    // Shows and raises the window.
    void showTopic(const HelpTopicRecord& topic);
};

// A help window, owned by parent (a window of its own), receives every HelpEngine topic
// until it is destroyed or another one is installed.
HelpWindow* installHelpWindow(QWidget* parent);

}  // namespace afxqt
