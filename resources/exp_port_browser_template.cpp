#include "resources/expander_page_ids.h"
#include "resources/expander_templates.h"
#include "resources/resource_ids.h"
#include "resources/template_controls.h"

namespace torvik {

afx::DialogTemplate expPortBrowserTemplate() {
    using afx::WindowClass;
    namespace style = afx::style;
    constexpr DWORD kList = style::kReport | style::kSingleSelect | style::kTabStop;
    afx::DialogTemplate dialog;
    dialog.id = IDD_EXP_PORT_BROWSER;
    dialog.caption = "Browser";
    dialog.size = CSize(252, 220);

    auto& controls = dialog.controls;
    controls.push_back(controlOf(WindowClass::Static, IDC_EXPBROWSER_SEGMENTS_LABEL,
                                 "Available Segments", CRect(7, 7, 180, 15)));
    controls.push_back(controlOf(WindowClass::ListView, IDC_EXPBROWSER_SEGMENT_LIST, "",
                                 CRect(7, 17, 245, 82), kList));
    controls.push_back(controlOf(WindowClass::PushButton, IDC_EXPBROWSER_MODIFY, "Modify...",
                                 CRect(185, 86, 245, 100), style::kTabStop));
    controls.push_back(controlOf(WindowClass::Static, IDC_EXPBROWSER_PORTS_LABEL, "Attached Ports",
                                 CRect(7, 104, 180, 112)));
    controls.push_back(controlOf(WindowClass::ListView, IDC_EXPBROWSER_PORT_LIST, "",
                                 CRect(7, 114, 245, 213), kList));
    return dialog;
}

}  // namespace torvik
