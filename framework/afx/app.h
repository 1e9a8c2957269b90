#pragma once
// The application object, application-captioned message boxes and wait cursors.

#include "framework/afx/wnd.h"

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    LPCTSTR m_pszAppName;
    CWnd* m_pMainWnd = nullptr;

    // +1 begins a wait cursor, -1 ends one, 0 restores it.
    virtual void DoWaitCursor(int code);
    virtual BOOL InitInstance() { return TRUE; }

private:
    CString m_appName;
};

// The constructed application object, or a built-in one if the host made none.
CWinApp* AfxGetApp();

// Message box captioned with the application name.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};
