#pragma once
// The module's page registry: maps a page name to a dialog template of this module and
// creates the page object for it.

#include "frame/page_registry.h"
#include "framework/afx/wnd.h"

class CTorvikRes : public CWnd, public CPageRegistry {
    DECLARE_DYNCREATE(CTorvikRes)
public:
    CTorvikRes();
    ~CTorvikRes() override;

    CSwBasePropPage* GetPage(const char* name) override;
    CSwBaseDialog* GetDialog(const char* name) override;

    static constexpr int kPageCount = 12;

protected:
    void DefineResources();

    struct PageResource {
        const char* name;
        int dialogId;
    };
    PageResource m_pages[kPageCount];
    int m_pageCount;

private:
    // The dialog id of the page name (case ignored), 0 if the table lacks it.
    int FindDialogId(const char* name) const;

    DECLARE_MESSAGE_MAP()
};
