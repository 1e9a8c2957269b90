#include "framework/qt/binding_factory.h"

#include "framework/qt/basic_bindings.h"
#include "framework/qt/button_bindings.h"
#include "framework/qt/choice_bindings.h"
#include "framework/qt/edit_binding.h"
#include "framework/qt/list_view_widget.h"
#include "framework/qt/sheet_widget.h"

namespace afxqt {

bool isTopLevelRecord(const afx::WindowRecord& record) {
    return record.parent == nullptr ||
           (record.cls == afx::WindowClass::Dialog && !record.is(afx::style::kChild));
}

std::unique_ptr<ControlBinding> makeBinding(const afx::WindowRecord& record, QWidget* parent,
                                            BindingHost& host) {
    const HWND hwnd = record.handle;
    using afx::WindowClass;
    switch (record.cls) {
        case WindowClass::Dialog:
            return std::make_unique<DialogBinding>(hwnd, parent, host, isTopLevelRecord(record));
        case WindowClass::Static:
            return std::make_unique<StaticBinding>(hwnd, parent, host);
        case WindowClass::GroupBox:
            return std::make_unique<GroupBoxBinding>(hwnd, parent, host);
        case WindowClass::Edit:
            return std::make_unique<EditBinding>(hwnd, parent, host,
                                                 record.is(afx::style::kMultiLine));
        case WindowClass::PushButton:
        case WindowClass::CheckBox:
        case WindowClass::RadioButton:
            return std::make_unique<ButtonBinding>(hwnd, parent, host, record.cls);
        case WindowClass::ComboBox:
            return std::make_unique<ComboBoxBinding>(hwnd, parent, host,
                                                     record.is(afx::style::kDropDownList));
        case WindowClass::ListBox:
            return std::make_unique<ListBoxBinding>(hwnd, parent, host);
        case WindowClass::ListView:
            return std::make_unique<ListViewBinding>(hwnd, parent, host);
        case WindowClass::Icon:
            return std::make_unique<IconBinding>(hwnd, parent, host);
        case WindowClass::Separator:
            return std::make_unique<SeparatorBinding>(hwnd, parent, host);
        case WindowClass::Plain:
            break;
    }
    return std::make_unique<PlainBinding>(hwnd, parent, host);
}

}  // namespace afxqt
