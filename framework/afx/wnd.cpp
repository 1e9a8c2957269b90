#include "framework/afx/wnd.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/afx/app.h"
#include "framework/afx/ddx.h"
#include "framework/afx/fault.h"
#include "framework/afx/record_access.h"
#include "framework/afx/ui_hook.h"

namespace afx {

const MessageMapEntry* findMessageEntry(const MessageMap* map, UINT message, UINT code, UINT id) {
    for (; map != nullptr; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* e = map->entries; e && e->message != 0; ++e) {
            if (e->message != message) {
                continue;
            }
            const bool idMessage = message == WM_COMMAND || message == WM_NOTIFY;
            const bool reflected =
                message == WM_REFLECT_BASE + WM_COMMAND || message == WM_REFLECT_BASE + WM_NOTIFY;
            if (reflected
                    ? e->code == code
                    : !idMessage || (e->code == code && id >= e->firstId && id <= e->lastId)) {
                return e;
            }
        }
    }
    return nullptr;
}

}  // namespace afx

// ---- CCmdTarget

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const afx::MessageMap* CCmdTarget::GetThisMessageMap() {
    static const afx::MessageMapEntry entries[] = {{0, 0, 0, 0, nullptr}};
    static const afx::MessageMap map{nullptr, &entries[0]};
    return &map;
}

const afx::MessageMap* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

bool CCmdTarget::dispatchFromMap(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam,
                                 LRESULT* result) {
    const afx::MessageMapEntry* entry = afx::findMessageEntry(GetMessageMap(), message, code, id);
    if (!entry) {
        return false;
    }
    LRESULT r = entry->handler(this, wParam, lParam);
    if (result) {
        *result = r;
    }
    return true;
}

void CCmdTarget::BeginWaitCursor() {
    AfxGetApp()->DoWaitCursor(1);
}
void CCmdTarget::EndWaitCursor() {
    AfxGetApp()->DoWaitCursor(-1);
}
void CCmdTarget::RestoreWaitCursor() {
    AfxGetApp()->DoWaitCursor(0);
}

// ---- CWnd

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() = default;

CWnd::~CWnd() {
    afx::WindowRecord* r = afx::writableRecord(m_hWnd);
    if (!r || r->target != this) {
        return;
    }
    if (m_ownsWindow) {
        // No virtual calls from here on: the derived parts are gone.
        r->target = nullptr;
        afx::windows().destroy(m_hWnd);
    } else {
        r->target = nullptr;
    }
    m_hWnd = nullptr;
}

const afx::WindowRecord* CWnd::record() const {
    return afx::windows().find(m_hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    const afx::WindowRecord* r = afx::windows().find(hwnd);
    return r ? dynamic_cast<CWnd*>(r->target) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    afx::WindowRecord* r = afx::writableRecord(hwnd);
    if (!r) {
        return nullptr;
    }
    if (CWnd* permanent = dynamic_cast<CWnd*>(r->target)) {
        return permanent;
    }
    if (auto* wrapper = dynamic_cast<CWnd*>(r->attachment.get())) {
        return wrapper;
    }
    auto wrapper = afx::makeWrapperFor(r->cls);
    wrapper->m_hWnd = hwnd;
    CWnd* result = wrapper.get();
    r->attachment = std::move(wrapper);
    return result;
}

void CWnd::attachWindow(HWND hwnd, bool owns) {
    m_hWnd = hwnd;
    m_ownsWindow = owns;
    if (afx::WindowRecord* r = afx::writableRecord(hwnd)) {
        r->target = this;
    }
}

BOOL CWnd::Attach(HWND hwnd) {
    if (!afx::windows().isWindow(hwnd)) {
        return FALSE;
    }
    attachWindow(hwnd, false);
    PreSubclassWindow();
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (afx::WindowRecord* r = afx::writableRecord(m_hWnd); r && r->target == this) {
        r->target = nullptr;
    }
    m_hWnd = nullptr;
    m_ownsWindow = false;
    return hwnd;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!parent) {
        return FALSE;
    }
    CWnd* item = parent->GetDlgItem(static_cast<int>(id));
    return item ? Attach(item->m_hWnd) : FALSE;
}

BOOL CWnd::Create(LPCTSTR /*className*/, LPCTSTR windowName, DWORD style, const CRect& rect,
                  CWnd* parent, UINT id) {
    HWND hwnd =
        afx::windows().create(afx::WindowClass::Plain, parent ? parent->m_hWnd : nullptr,
                              static_cast<int>(id), windowName ? windowName : "", style, rect);
    attachWindow(hwnd, true);
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (!afx::windows().isWindow(m_hWnd)) {
        return FALSE;
    }
    afx::windows().destroy(m_hWnd);
    return TRUE;
}

int CWnd::templateIdForFaults() const {
    const afx::WindowRecord* r = record();
    return r ? r->templateId : 0;
}

CWnd* CWnd::GetDlgItem(int id) const {
    HWND child = afx::windows().childById(m_hWnd, id);
    if (!child) {
        if (templateIdForFaults() != 0) {
            afx::fault("dialog " + std::to_string(templateIdForFaults()) + " has no control " +
                       std::to_string(id));
        }
        return nullptr;
    }
    return FromHandle(child);
}

int CWnd::GetDlgCtrlID() const {
    const afx::WindowRecord* r = record();
    return r ? r->id : 0;
}

CWnd* CWnd::GetParent() const {
    const afx::WindowRecord* r = record();
    return r ? FromHandle(r->parent) : nullptr;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    const afx::WindowRecord* r = record();
    const BOOL wasDisabled = r ? !r->enabled : FALSE;
    afx::windows().setEnabled(m_hWnd, enable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    const afx::WindowRecord* r = record();
    return r && r->enabled;
}

BOOL CWnd::ShowWindow(int command) {
    const afx::WindowRecord* r = record();
    const BOOL wasVisible = r && r->visible;
    afx::windows().setVisible(m_hWnd, command != SW_HIDE);
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const {
    // Visible only if every ancestor is, as on the desktop.
    for (const afx::WindowRecord* r = record(); r; r = afx::windows().find(r->parent)) {
        if (!r->visible) {
            return FALSE;
        }
        if (!r->parent || (r->cls == afx::WindowClass::Dialog && !r->is(afx::style::kChild))) {
            return TRUE;
        }
    }
    return FALSE;
}

void CWnd::SetWindowText(LPCTSTR text) {
    afx::windows().setText(m_hWnd, text ? text : "");
}

void CWnd::GetWindowText(CString& text) const {
    const afx::WindowRecord* r = record();
    text = r ? r->text.c_str() : "";
}

int CWnd::GetWindowText(LPTSTR buffer, int maxCount) const {
    if (!buffer || maxCount <= 0) {
        return 0;
    }
    const afx::WindowRecord* r = record();
    const std::string text = r ? r->text : std::string();
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(maxCount - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

int CWnd::GetWindowTextLength() const {
    const afx::WindowRecord* r = record();
    return r ? static_cast<int>(r->text.size()) : 0;
}

DWORD CWnd::GetStyle() const {
    const afx::WindowRecord* r = record();
    return r ? r->style : 0;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT /*flags*/) {
    const afx::WindowRecord* r = record();
    if (!r) {
        return FALSE;
    }
    afx::windows().setStyle(m_hWnd, (r->style & ~remove) | add);
    return TRUE;
}

void CWnd::GetWindowRect(CRect* rect) const {
    const afx::WindowRecord* r = record();
    if (rect) {
        *rect = r ? r->rect : CRect();
    }
}

void CWnd::GetClientRect(CRect* rect) const {
    const afx::WindowRecord* r = record();
    if (rect) {
        *rect = r ? CRect(0, 0, r->rect.Width(), r->rect.Height()) : CRect();
    }
}

void CWnd::MoveWindow(const CRect& rect, BOOL /*repaint*/) {
    afx::windows().setRect(m_hWnd, rect);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    MoveWindow(CRect(x, y, x + width, y + height), repaint);
}

CWnd* CWnd::SetFocus() {
    CWnd* previous = GetFocus();
    afx::windows().setFocus(m_hWnd);
    return previous;
}

CWnd* CWnd::GetFocus() {
    return FromHandle(afx::windows().focus());
}

void CWnd::SetDlgItemText(int id, LPCTSTR text) {
    if (CWnd* item = GetDlgItem(id)) {
        item->SetWindowText(text);
    }
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    text.Empty();
    if (CWnd* item = GetDlgItem(id)) {
        item->GetWindowText(text);
    }
    return text.GetLength();
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    CString text;
    if (isSigned) {
        text.Format("%d", static_cast<int>(value));
    } else {
        text.Format("%u", value);
    }
    SetDlgItemText(id, text);
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
    CString text;
    GetDlgItemText(id, text);
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    const bool ok = end != text.GetString() && (isSigned || value >= 0);
    if (translated) {
        *translated = ok;
    }
    return ok ? static_cast<UINT>(value) : 0;
}

void CWnd::CheckDlgButton(int id, UINT check) {
    if (CWnd* item = GetDlgItem(id)) {
        afx::windows().setCheck(item->m_hWnd, static_cast<int>(check));
    }
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    CWnd* item = GetDlgItem(id);
    const afx::WindowRecord* r = item ? item->record() : nullptr;
    return r ? static_cast<UINT>(r->check) : 0;
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) {
    for (int id = firstId; id <= lastId; ++id) {
        if (HWND child = afx::windows().childById(m_hWnd, id)) {
            afx::windows().setCheck(child, id == checkId ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId) const {
    for (int id = firstId; id <= lastId; ++id) {
        const afx::WindowRecord* r = afx::windows().find(afx::windows().childById(m_hWnd, id));
        if (r && r->check == BST_CHECKED) {
            return id;
        }
    }
    return 0;
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
    return afx::showMessageBox(m_hWnd, text ? text : "", caption ? caption : afx::applicationName(),
                               type);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return afx::windows().send(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!afx::windows().isWindow(m_hWnd)) {
        return FALSE;
    }
    afx::windows().post(m_hWnd, message, wParam, lParam);
    return TRUE;
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, void* /*unusedTimerProc*/) {
    return afx::windows().setTimer(m_hWnd, id, elapseMs);
}

BOOL CWnd::KillTimer(UINT_PTR id) {
    return afx::windows().killTimer(m_hWnd, id);
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return dx.succeeded();
}

void CWnd::DoDataExchange(CDataExchange* /*dx*/) {}

LRESULT CWnd::receiveMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = WindowProc(message, wParam, lParam);
    if (message == WM_DESTROY) {
        // The window is going: forget it, then let a self-owning object go too.
        if (afx::WindowRecord* r = afx::writableRecord(m_hWnd); r && r->target == this) {
            r->target = nullptr;
        }
        m_hWnd = nullptr;
        m_ownsWindow = false;
        PostNcDestroy();
    }
    return result;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const UINT code = message == WM_NOTIFY ? reinterpret_cast<const NMHDR*>(lParam)->code
                                           : static_cast<UINT>(HIWORD(wParam));
    afx::ReflectedMessage reflected{wParam, lParam};
    LRESULT handled = FALSE;
    if (!dispatchFromMap(WM_REFLECT_BASE + message, code, 0, 0,
                         reinterpret_cast<LPARAM>(&reflected), &handled) ||
        !handled) {
        return FALSE;
    }
    if (result) {
        *result = reflected.result;
    }
    return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    UINT code = 0;
    UINT id = 0;
    HWND from = nullptr;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
        from = reinterpret_cast<HWND>(lParam);
    } else if (message == WM_NOTIFY) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        code = hdr->code;
        id = static_cast<UINT>(hdr->idFrom);
        from = hdr->hwndFrom;
    }
    // The control that sent it may handle it first (reflection), as the toolkit does.
    if (CWnd* child = from ? FromHandlePermanent(from) : nullptr; child && child != this) {
        if (child->OnChildNotify(message, wParam, lParam, &result)) {
            return result;
        }
    }
    if (dispatchFromMap(message, code, id, wParam, lParam, &result)) {
        return result;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    if (message == WM_CLOSE) {
        DestroyWindow();
    }
    return 0;
}
