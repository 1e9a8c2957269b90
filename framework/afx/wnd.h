#pragma once
// CCmdTarget (handler tables) and CWnd, a thin handle to a window record of the window
// system, as the toolkit's objects wrap an HWND.

#include <memory>

#include "framework/afx/collections.h"
#include "framework/afx/cstring.h"
#include "framework/afx/message_map.h"
#include "framework/afx/window.h"

class CDataExchange;

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Runs the handler for (message, code, id) from this object's table chain; false if none.
    bool dispatchFromMap(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam,
                         LRESULT* result);

    // Wait cursors for the whole application, counted (see afx::WindowSystem).
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

protected:
    static const afx::MessageMap* GetThisMessageMap();
    virtual const afx::MessageMap* GetMessageMap() const;
};

class CWnd : public CCmdTarget, public afx::MessageTarget, public afx::RecordAttachment {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }  // NOLINT
    const afx::WindowRecord* record() const;

    // The object that receives the window's messages, else a wrapper of the window's class
    // (CEdit, CComboBox, ...) owned by the record. nullptr for an invalid handle.
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd);

    // This object becomes the window's receiver without owning it, then PreSubclassWindow.
    BOOL Attach(HWND hwnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hwnd) { return Attach(hwnd); }
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    // A plain child (or top-level) window owned by this object; className is informational.
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const CRect& rect,
                        CWnd* parent, UINT id);
    virtual BOOL DestroyWindow();

    // A control the window's dialog template lacks is a fault (afx::fault).
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    CWnd* GetParent() const;
    CWnd* GetOwner() const { return GetParent(); }

    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    void SetWindowText(LPCTSTR text);
    void GetWindowText(CString& text) const;
    int GetWindowText(LPTSTR buffer, int maxCount) const;
    int GetWindowTextLength() const;
    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    void GetWindowRect(CRect* rect) const;
    void GetClientRect(CRect* rect) const;
    void MoveWindow(const CRect& rect, BOOL repaint = TRUE);
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void Invalidate(BOOL erase = TRUE) { (void)erase; }
    void UpdateWindow() {}
    void RedrawWindow() {}
    // FALSE holds the window's change notices; TRUE sends them as one.
    void SetRedraw(BOOL redraw = TRUE) { afx::windows().setRedraw(m_hWnd, redraw != FALSE); }

    CWnd* SetFocus();
    static CWnd* GetFocus();

    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    int GetCheckedRadioButton(int firstId, int lastId) const;

    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, void* unusedTimerProc = nullptr);
    BOOL KillTimer(UINT_PTR id);

    // Controls <-> members through DoDataExchange; FALSE when validation failed.
    virtual BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // afx::MessageTarget
    LRESULT receiveMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    virtual void DoDataExchange(CDataExchange* dx);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called when this object has just become the receiver of an existing window (Attach,
    // SubclassDlgItem, DDX_Control): the place for a wrapper to give the window its behaviour.
    virtual void PreSubclassWindow() {}
    // A WM_COMMAND or WM_NOTIFY this window sent to its parent comes here before the parent's
    // table. TRUE: handled, the parent returns *result. Default: this class's reflected entries
    // (ON_NOTIFY_REFLECT, ON_CONTROL_REFLECT, ...).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Called after the window is gone; a self-owning object may delete itself here.
    virtual void PostNcDestroy() {}

    void OnTimer(UINT_PTR id) { (void)id; }
    void OnDestroy() {}
    void OnClose() { DestroyWindow(); }

    // Template id of this window's dialog template, for fault messages; 0 if none.
    int templateIdForFaults() const;
    // Becomes the receiver of hwnd and, when owns is set, destroys it with this object.
    void attachWindow(HWND hwnd, bool owns);

    bool m_ownsWindow = false;

    DECLARE_MESSAGE_MAP()
};

namespace afx {
// A wrapper of the class that fits the window class (CEdit for an edit, ...); see controls.cpp.
std::unique_ptr<CWnd> makeWrapperFor(WindowClass cls);
}  // namespace afx
