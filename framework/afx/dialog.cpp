#include "framework/afx/dialog.h"

#include <string>

#include "framework/afx/event_loop.h"
#include "framework/afx/fault.h"
#include "framework/afx/record_access.h"
#include "framework/afx/ui_hook.h"

// ---- CDialog

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_templateId(templateId),
      m_templateModule(afx::findDialogTemplateModule(static_cast<int>(templateId))),
      m_pParentWnd(parent) {}

CDialog::~CDialog() {
    if (afx::WindowRecord* r = afx::writableRecord(m_hWnd); r && r->target == this) {
        r->target = nullptr;  // no virtual calls into a half-destroyed object
        afx::windows().destroy(m_hWnd);
    }
    m_hWnd = nullptr;
}

BOOL CDialog::createFromTemplate(HWND parent) {
    const int id = static_cast<int>(m_templateId);
    const afx::DialogTemplate* dialog = afx::findDialogTemplateIn(m_templateModule, id);
    if (!dialog) {
        dialog = afx::findDialogTemplate(id);
    }
    if (!dialog) {
        afx::fault("no dialog template " + std::to_string(m_templateId));
        return FALSE;
    }
    auto& ws = afx::windows();
    HWND hwnd = ws.create(afx::WindowClass::Dialog, parent, static_cast<int>(m_templateId),
                          dialog->caption, isChildDialog() ? afx::style::kChild : 0,
                          CRect(0, 0, dialog->size.cx, dialog->size.cy));
    afx::writableRecord(hwnd)->templateId = static_cast<int>(m_templateId);
    for (const auto& control : dialog->controls) {
        HWND child = ws.create(control.cls, hwnd, control.id, control.text,
                               control.style | afx::style::kChild, control.rect);
        (void)child;
    }
    attachWindow(hwnd, true);
    return TRUE;
}

BOOL CDialog::createWindow(UINT templateId, CWnd* parent) {
    if (templateId != 0 && templateId != m_templateId) {
        m_templateId = templateId;
        m_templateModule = nullptr;
    }
    if (parent) {
        m_pParentWnd = parent;
    }
    return createFromTemplate(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    if (!createWindow(templateId, parent)) {
        return FALSE;
    }
    if (OnInitDialog()) {
        // The first control that takes input gets the focus, as the desktop does.
        if (const afx::WindowRecord* r = record()) {
            for (HWND child : r->children) {
                const afx::WindowRecord* c = afx::windows().find(child);
                if (c->enabled && c->cls != afx::WindowClass::Static &&
                    c->cls != afx::WindowClass::GroupBox && c->cls != afx::WindowClass::Icon &&
                    c->cls != afx::WindowClass::Separator) {
                    afx::windows().setFocus(child);
                    break;
                }
            }
        }
    }
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    m_modal.reset(-1);
    if (!Create(m_templateId, m_pParentWnd)) {
        return -1;
    }
    if (m_modal.ended()) {
        DestroyWindow();
        return m_modal.result();  // ended from OnInitDialog
    }
    const std::string what = "dialog " + std::to_string(m_templateId);
    return m_modal.run(m_hWnd, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, IDCANCEL,
                       what.c_str());
}

void CDialog::EndDialog(int result) {
    if (!m_modal.end(result)) {
        DestroyWindow();  // modeless, or ended before the loop started (DoModal destroys)
    }
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (control) {
        afx::windows().setFocus(control->m_hWnd);
    }
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

// ---- CPropertyPage

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT templateId, UINT /*captionId*/) : CDialog(templateId, nullptr) {
    if (const afx::DialogTemplate* t = afx::findDialogTemplate(static_cast<int>(templateId))) {
        m_caption = t->caption.c_str();
    }
}

BOOL CPropertyPage::OnSetActive() {
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply() {
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() {
    OnCancel();
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

void CPropertyPage::SetModified(BOOL changed) {
    m_modified = changed ? TRUE : FALSE;
    if (m_pSheet) {
        m_pSheet->pageModifiedChanged();
    }
}

void CPropertyPage::CancelToClose() {
    if (m_pSheet) {
        m_pSheet->cancelToClose();
    }
}

// ---- CPropertySheet

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
ON_COMMAND(IDOK, &CPropertySheet::OnOK)
ON_COMMAND(IDCANCEL, &CPropertySheet::OnCancel)
ON_COMMAND(ID_APPLY_NOW, &CPropertySheet::OnApplyNow)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet(LPCTSTR caption, CWnd* parent, UINT selectPage)
    : m_initialPage(static_cast<int>(selectPage)), m_caption(caption), m_pParentWnd(parent) {}

CPropertySheet::~CPropertySheet() {
    for (CPropertyPage* page : m_pages) {
        if (page->m_pSheet == this) {
            page->m_pSheet = nullptr;
        }
    }
    if (afx::WindowRecord* r = afx::writableRecord(m_hWnd); r && r->target == this) {
        r->target = nullptr;
        afx::windows().destroy(m_hWnd);
    }
    m_hWnd = nullptr;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    if (!page) {
        return;
    }
    page->m_pSheet = this;
    m_pages.push_back(page);
    m_created.push_back(false);
    syncTabs();
}

void CPropertySheet::syncTabs() {
    if (!afx::windows().isWindow(m_hWnd)) {
        return;
    }
    std::vector<std::string> captions;
    for (const CPropertyPage* page : m_pages) {
        captions.push_back(page->m_caption.str());
    }
    afx::windows().setTabs(m_hWnd, std::move(captions), m_active);
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == afx::WM_AFX_ACTIVATE_TAB) {
        return SetActivePage(static_cast<int>(wParam)) ? 1 : 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CPropertySheet::RemovePage(CPropertyPage* page) {
    const int index = GetPageIndex(page);
    if (index < 0) {
        return;
    }
    if (afx::windows().isWindow(page->m_hWnd)) {
        page->DestroyWindow();
    }
    page->m_pSheet = nullptr;
    m_pages.erase(m_pages.begin() + index);
    m_created.erase(m_created.begin() + index);
    if (m_active == index) {
        m_active = -1;
        if (!m_pages.empty() && m_hWnd) {
            SetActivePage(0);
        }
    } else if (m_active > index) {
        --m_active;
    }
    syncTabs();
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<std::size_t>(index)]
                                                : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages[static_cast<std::size_t>(i)] == page) {
            return i;
        }
    }
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    return GetPage(m_active);
}

BOOL CPropertySheet::SetActivePage(int index) {
    CPropertyPage* next = GetPage(index);
    if (!next) {
        return FALSE;
    }
    if (!afx::windows().isWindow(m_hWnd)) {
        m_initialPage = index;  // before Create: the page shown first
        return TRUE;
    }
    if (index == m_active) {
        return TRUE;
    }
    if (CPropertyPage* current = GetActivePage()) {
        if (!current->OnKillActive()) {
            return FALSE;
        }
        current->ShowWindow(SW_HIDE);
    }
    const auto slot = static_cast<std::size_t>(index);
    if (!m_created[slot]) {
        if (!next->Create(0, this)) {
            return FALSE;
        }
        m_created[slot] = true;
    }
    m_active = index;
    afx::windows().setActiveTab(m_hWnd, index);
    next->ShowWindow(SW_SHOW);
    next->OnSetActive();
    return TRUE;
}

HWND CPropertySheet::addButton(int id, const char* text) {
    return afx::windows().create(afx::WindowClass::PushButton, m_hWnd, id, text,
                                 afx::style::kChild | afx::style::kTabStop, CRect());
}

void CPropertySheet::createButtons() {
    addButton(IDOK, "OK");
    addButton(IDCANCEL, "Cancel");
    HWND apply = addButton(ID_APPLY_NOW, "&Apply");
    afx::windows().setEnabled(apply, false);
}

HWND CPropertySheet::buttonHandle(int id) const {
    return afx::windows().childById(m_hWnd, id);
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD /*style*/, DWORD /*exStyle*/) {
    if (parent) {
        m_pParentWnd = parent;
    }
    HWND hwnd = afx::windows().create(afx::WindowClass::Dialog,
                                      m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, 0,
                                      m_caption.str(), 0, CRect());
    attachWindow(hwnd, true);
    createButtons();
    m_active = -1;
    std::fill(m_created.begin(), m_created.end(), false);
    syncTabs();
    if (!m_pages.empty()) {
        const int first = m_initialPage >= 0 && m_initialPage < GetPageCount() ? m_initialPage : 0;
        SetActivePage(first);
    }
    return TRUE;
}

INT_PTR CPropertySheet::DoModal() {
    m_modal.reset(IDCANCEL);
    if (!Create(m_pParentWnd)) {
        return -1;
    }
    return m_modal.run(m_hWnd, nullptr, IDCANCEL, "property sheet");
}

void CPropertySheet::EndDialog(int result) {
    closeSheet(result);
}

void CPropertySheet::closeSheet(int result) {
    if (!m_modal.end(result)) {
        DestroyWindow();
    }
}

BOOL CPropertySheet::ApplyAllPages() {
    CPropertyPage* active = GetActivePage();
    if (active && !active->OnKillActive()) {
        return FALSE;
    }
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_created[i] && !m_pages[i]->OnApply()) {
            SetActivePage(static_cast<int>(i));
            return FALSE;
        }
    }
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_created[i]) {
            m_pages[i]->SetModified(FALSE);
        }
    }
    return TRUE;
}

void CPropertySheet::OnOK() {
    if (ApplyAllPages()) {
        closeSheet(IDOK);
    }
}

bool CPropertySheet::resetAllPages() {
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_created[i] && !m_pages[i]->OnQueryCancel()) {
            return false;
        }
    }
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_created[i]) {
            m_pages[i]->OnReset();
        }
    }
    return true;
}

void CPropertySheet::OnCancel() {
    if (resetAllPages()) {
        closeSheet(IDCANCEL);
    }
}

void CPropertySheet::OnApplyNow() {
    if (ApplyAllPages()) {
        if (CPropertyPage* active = GetActivePage()) {
            active->OnSetActive();
        }
    }
}

void CPropertySheet::pageModifiedChanged() {
    bool any = false;
    for (const CPropertyPage* page : m_pages) {
        any = any || page->IsModified();
    }
    afx::windows().setEnabled(buttonHandle(ID_APPLY_NOW), any);
}

void CPropertySheet::cancelToClose() {
    afx::windows().setText(buttonHandle(IDOK), "Close");
    afx::windows().setEnabled(buttonHandle(IDCANCEL), false);
}
