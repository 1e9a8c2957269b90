#include "frame/torvik_res.h"

#include <strings.h>

#include <algorithm>

#include "frame/module_instance.h"
#include "frame/module_pages.h"
#include "frame/page_factory.h"
#include "framework/afx/app.h"

IMPLEMENT_DYNCREATE(CTorvikRes, CWnd)

BEGIN_MESSAGE_MAP(CTorvikRes, CWnd)
END_MESSAGE_MAP()

namespace {

void TellOperator(const char* format, const char* name) {
    CString message;
    message.Format(format, name ? name : "");
    AfxMessageBox(message, 0);
}

}  // namespace

CTorvikRes::CTorvikRes() {
    DefineResources();
}

CTorvikRes::~CTorvikRes() = default;

void CTorvikRes::DefineResources() {
    const auto pages = torvik::modulePages();
    m_pageCount = 0;
    for (const torvik::ModulePage& page :
         pages.first(std::min<std::size_t>(pages.size(), kPageCount))) {
        m_pages[m_pageCount++] = {page.name, page.dialogId};
    }
}

int CTorvikRes::FindDialogId(const char* name) const {
    if (name == nullptr) {
        return 0;
    }
    for (int i = 0; i < m_pageCount; ++i) {
        if (::strcasecmp(m_pages[i].name, name) == 0) {
            return m_pages[i].dialogId;
        }
    }
    return 0;
}

CSwBasePropPage* CTorvikRes::GetPage(const char* name) {
    const int dialogId = FindDialogId(name);
    if (dialogId == 0) {
        TellOperator("Enet Page <%s> not found", name);
        return nullptr;
    }
    // The page finds its template when it is constructed; the console may restore its own
    // handle afterwards, we leave ours in place.
    AfxSetResourceHandle(TorvikInstanceHandle());
    CSwBasePropPage* page = nullptr;
    switch (NewPageForDialog(dialogId, &page)) {
        case PageFactoryResult::Created:
            return page;
        case PageFactoryResult::NoPageClass:
            TellOperator("Enet Page <%s> not created", name);
            return nullptr;
        case PageFactoryResult::OutOfMemory:
            break;
    }
    return nullptr;
}

CSwBaseDialog* CTorvikRes::GetDialog(const char* name) {
    if (FindDialogId(name) == 0) {
        TellOperator("Enet Dialog <%s> not found", name);
        return nullptr;
    }
    // The dialogs are built by the pages that run them; they find their templates here.
    AfxSetResourceHandle(TorvikInstanceHandle());
    return nullptr;
}

extern "C" CPageRegistry* TorvikCreatePageRegistry() {
    return new CTorvikRes;
}
