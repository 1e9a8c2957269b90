#include "framework/afx/app.h"

#include "framework/afx/ui_hook.h"

namespace {
CWinApp*& appSlot() {
    static CWinApp* app = nullptr;
    return app;
}
}  // namespace

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

CWinApp::CWinApp(LPCTSTR appName) : m_pszAppName(nullptr) {
    if (appName) {
        afx::setApplicationName(appName);
    }
    m_appName = afx::applicationName().c_str();
    m_pszAppName = m_appName;
    if (!appSlot()) {
        appSlot() = this;
    }
}

CWinApp::~CWinApp() {
    if (appSlot() == this) {
        appSlot() = nullptr;
    }
}

void CWinApp::DoWaitCursor(int code) {
    afx::windows().changeWaitCursor(code);
}

CWinApp* AfxGetApp() {
    if (!appSlot()) {
        static CWinApp builtIn;
        appSlot() = &builtIn;
    }
    return appSlot();
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT /*helpId*/) {
    return afx::showMessageBox(nullptr, text ? text : "", afx::applicationName(), type);
}

CWaitCursor::CWaitCursor() {
    AfxGetApp()->DoWaitCursor(1);
}
CWaitCursor::~CWaitCursor() {
    AfxGetApp()->DoWaitCursor(-1);
}
void CWaitCursor::Restore() {
    AfxGetApp()->DoWaitCursor(0);
}
