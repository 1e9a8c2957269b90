#pragma once
// Dialogs made from templates: modeless (Create) or modal (DoModal, a nested event loop
// until EndDialog), property pages created at their first activation, and a basic property
// sheet with OK, Cancel and Apply.

#include <functional>
#include <vector>

#include "framework/afx/controls.h"
#include "framework/afx/modal_session.h"
#include "framework/afx/resources.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Modeless: the window from the template, then OnInitDialog. FALSE if no template.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Runs until EndDialog; returns its result, or -1 if the template is missing.
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    void GotoDlgCtrl(CWnd* control);
    bool isModalRunning() const { return m_modal.running(); }
    // EndDialog was called during the current (or last) modal run; its loop may not have
    // returned yet, so whoever acts inside the dialog should stop.
    bool isModalEnded() const { return m_modal.ended(); }
    UINT templateId() const { return m_templateId; }

    virtual BOOL OnInitDialog();

protected:
    // Pages live inside their sheet; other dialogs are owned windows of their own.
    virtual bool isChildDialog() const { return false; }
    virtual void OnOK();
    virtual void OnCancel();
    // The dialog's window, made from its template as a child (or top level) of parent.
    BOOL createFromTemplate(HWND parent);
    // Create without OnInitDialog: a new template (its id not 0) and parent if given, then
    // the window; derived dialogs add their own controls before initialising.
    BOOL createWindow(UINT templateId, CWnd* parent);

    UINT m_templateId = 0;
    // Where the template was found when the object was made (the resource handle then).
    HINSTANCE m_templateModule = nullptr;
    CWnd* m_pParentWnd = nullptr;
    afx::ModalSession m_modal;

    DECLARE_MESSAGE_MAP()
};

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    explicit CPropertyPage(UINT templateId = 0, UINT captionId = 0);

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();  // FALSE keeps the page active
    virtual BOOL OnApply();       // default: OnOK, TRUE
    virtual void OnReset();       // default: OnCancel
    void OnOK() override;
    void OnCancel() override;
    virtual BOOL OnQueryCancel() { return TRUE; }

    void SetModified(BOOL changed = TRUE);
    BOOL IsModified() const { return m_modified; }
    void CancelToClose();

    CPropertySheet* m_pSheet = nullptr;
    CString m_caption;  // the tab's text: the template's caption

protected:
    bool isChildDialog() const override { return true; }

private:
    BOOL m_modified = FALSE;
};

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    explicit CPropertySheet(LPCTSTR caption = nullptr, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* page);
    void RemovePage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return m_active; }
    // Deactivates the current page (it may refuse), creates the new one if needed, activates it.
    virtual BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }
    void SetTitle(LPCTSTR title) { m_caption = title ? title : ""; }

    // Modeless sheet; DoModal runs until a button ends it and returns IDOK or IDCANCEL.
    virtual BOOL Create(CWnd* parent = nullptr, DWORD style = 0, DWORD exStyle = 0);
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    bool isModalRunning() const { return m_modal.running(); }
    // A button or EndDialog ended the current (or last) modal run; see CDialog.
    bool isModalEnded() const { return m_modal.ended(); }

    // Button handlers, overridable by derived sheets that add buttons.
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnApplyNow();
    // Kill-active of the current page, then OnApply of every page created so far; FALSE if
    // any refused.
    virtual BOOL ApplyAllPages();
    // Apply is enabled while any page is modified.
    virtual void pageModifiedChanged();
    void cancelToClose();

    HWND buttonHandle(int id) const;

protected:
    // Adds a push button to the sheet's window (derived sheets add theirs after the base's).
    HWND addButton(int id, const char* text);
    virtual void createButtons();
    // Cancel of every page created so far: false if one refuses, else all are reset.
    bool resetAllPages();
    // Closes the window; a modal sheet's loop ends with result.
    void closeSheet(int result);
    // The record's tabs follow the pages (the operator picks a page by its tab).
    void syncTabs();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::vector<CPropertyPage*> m_pages;
    std::vector<bool> m_created;
    int m_active = -1;
    int m_initialPage = 0;
    CString m_caption;
    CWnd* m_pParentWnd = nullptr;
    afx::ModalSession m_modal;

    DECLARE_MESSAGE_MAP()
};
