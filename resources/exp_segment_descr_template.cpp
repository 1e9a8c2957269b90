#include "resources/expander_page_ids.h"
#include "resources/expander_templates.h"
#include "resources/template_controls.h"

namespace torvik {

afx::DialogTemplate expSegmentDescrTemplate() {
    using afx::WindowClass;
    afx::DialogTemplate dialog;
    dialog.id = IDD_EXP_SEGMENT_DESCR;
    dialog.caption = "Modify Segment Description";
    dialog.size = CSize(220, 80);

    auto& controls = dialog.controls;
    controls.push_back(groupBoxAt(IDC_SEGDESCR_GROUP, "Modify Description", CRect(7, 7, 213, 60)));
    controls.push_back(labelAt("Segment:", CRect(16, 20, 64, 30)));
    controls.push_back(valueAt(IDC_SEGDESCR_SEGMENT, CRect(68, 20, 120, 30)));
    controls.push_back(labelAt("Description:", CRect(16, 38, 64, 48)));
    controls.push_back(controlOf(WindowClass::Edit, IDC_SEGDESCR_DESCRIPTION, "",
                                 CRect(68, 36, 206, 48), afx::style::kTabStop));
    return dialog;
}

}  // namespace torvik
