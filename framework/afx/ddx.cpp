#include "framework/afx/ddx.h"

#include <cctype>
#include <climits>
#include <cstdlib>

#include "framework/afx/app.h"
#include "framework/afx/controls.h"
#include "framework/afx/fault.h"

namespace afx {

long leadingNumber(const char* text) {
    if (!text) {
        return 0;
    }
    while (std::isspace(static_cast<unsigned char>(*text))) {
        ++text;
    }
    bool negative = false;
    if (*text == '-' || *text == '+') {
        negative = *text == '-';
        ++text;
    }
    long value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)); ++text) {
        const int digit = *text - '0';
        value = value > (LONG_MAX - digit) / 10 ? LONG_MAX : value * 10 + digit;
    }
    return negative ? -value : value;
}

}  // namespace afx

namespace {

const afx::WindowRecord* recordOf(HWND hwnd) {
    return afx::windows().find(hwnd);
}

std::string controlText(HWND hwnd) {
    const afx::WindowRecord* r = recordOf(hwnd);
    return r ? r->text : std::string();
}

// Members of the radio group that starts at first (up to the next group start).
std::vector<HWND> radioGroup(HWND first) {
    std::vector<HWND> group;
    const afx::WindowRecord* r = recordOf(first);
    const afx::WindowRecord* parent = r ? recordOf(r->parent) : nullptr;
    if (!parent) {
        return group;
    }
    bool inGroup = false;
    for (HWND child : parent->children) {
        const afx::WindowRecord* c = recordOf(child);
        if (child == first) {
            inGroup = true;
        } else if (inGroup && c->is(afx::style::kGroup)) {
            break;
        }
        if (inGroup && c->cls == afx::WindowClass::RadioButton) {
            group.push_back(child);
        }
    }
    return group;
}

}  // namespace

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

HWND CDataExchange::PrepareCtrl(int id) {
    HWND hwnd = afx::windows().childById(m_pDlgWnd ? m_pDlgWnd->m_hWnd : nullptr, id);
    if (!hwnd) {
        const afx::WindowRecord* dialog = m_pDlgWnd ? m_pDlgWnd->record() : nullptr;
        afx::fault("data exchange: dialog " + std::to_string(dialog ? dialog->templateId : 0) +
                   " has no control " + std::to_string(id));
        m_failed = true;
        return nullptr;
    }
    m_idLastControl = hwnd;
    m_bEditLastControl = FALSE;
    return hwnd;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    HWND hwnd = PrepareCtrl(id);
    m_bEditLastControl = hwnd != nullptr;
    return hwnd;
}

void CDataExchange::Fail() {
    m_failed = true;
    if (m_idLastControl) {
        afx::windows().setFocus(m_idLastControl);
    }
}

namespace {

// The control to exchange with; null once the pass has failed, or when the template lacks it
// (a fault that fails the pass).
HWND preparedControl(CDataExchange* dx, int id, bool edit = false) {
    if (dx->failed()) {
        return nullptr;
    }
    return edit ? dx->PrepareEditCtrl(id) : dx->PrepareCtrl(id);
}

// The prepared control's wrapper, when it is a Control.
template <class Control>
Control* preparedWrapper(CDataExchange* dx, int id) {
    HWND hwnd = preparedControl(dx, id);
    return hwnd ? dynamic_cast<Control*>(CWnd::FromHandle(hwnd)) : nullptr;
}

// The edit's text goes to the member through fromText, or comes from it through toText.
template <class FromText, class ToText>
void exchangeText(CDataExchange* dx, int id, FromText fromText, ToText toText) {
    HWND hwnd = preparedControl(dx, id, true);
    if (!hwnd) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        fromText(controlText(hwnd));
    } else {
        afx::windows().setText(hwnd, toText());
    }
}

template <class Number>
std::string formatted(const char* format, Number value) {
    CString text;
    text.Format(format, value);
    return text.str();
}

}  // namespace

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    exchangeText(
        dx, id, [&](const std::string& text) { value = text.c_str(); },
        [&] { return value.str(); });
}
void DDX_Text(CDataExchange* dx, int id, int& value) {
    exchangeText(
        dx, id,
        [&](const std::string& text) {
            value = static_cast<int>(afx::leadingNumber(text.c_str()));
        },
        [&] { return formatted("%d", value); });
}
void DDX_Text(CDataExchange* dx, int id, UINT& value) {
    exchangeText(
        dx, id,
        [&](const std::string& text) {
            // A typed sign makes no unsigned number: only leading digits count.
            const long typed = afx::leadingNumber(text.c_str());
            value = typed < 0 ? 0 : static_cast<UINT>(typed);
        },
        [&] { return formatted("%u", value); });
}
void DDX_Text(CDataExchange* dx, int id, long& value) {
    exchangeText(
        dx, id, [&](const std::string& text) { value = afx::leadingNumber(text.c_str()); },
        [&] { return formatted("%ld", value); });
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND hwnd = preparedControl(dx, id);
    if (!hwnd) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        value = recordOf(hwnd)->check;
    } else {
        afx::windows().setCheck(hwnd, value);
    }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    HWND hwnd = preparedControl(dx, id);
    if (!hwnd) {
        return;
    }
    const std::vector<HWND> group = radioGroup(hwnd);
    if (dx->m_bSaveAndValidate) {
        value = -1;
        for (std::size_t i = 0; i < group.size(); ++i) {
            if (recordOf(group[i])->check == BST_CHECKED) {
                value = static_cast<int>(i);
                break;
            }
        }
    } else {
        for (std::size_t i = 0; i < group.size(); ++i) {
            afx::windows().setCheck(group[i],
                                    static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd != nullptr) {
        return;
    }
    if (HWND hwnd = preparedControl(dx, id)) {
        control.Attach(hwnd);
    }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
    CComboBox* combo = preparedWrapper<CComboBox>(dx, id);
    if (!combo) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        index = combo->GetCurSel();
    } else {
        combo->SetCurSel(index);
    }
}

void DDX_CBString(CDataExchange* dx, int id, CString& value) {
    CComboBox* combo = preparedWrapper<CComboBox>(dx, id);
    if (!combo) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        value = controlText(combo->m_hWnd).c_str();
    } else if (combo->SelectString(-1, value) == CB_ERR) {
        afx::windows().setText(combo->m_hWnd, value.str());
    }
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index) {
    CListBox* list = preparedWrapper<CListBox>(dx, id);
    if (!list) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        index = list->GetCurSel();
    } else {
        list->SetCurSel(index);
    }
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
    if (dx->failed()) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        if (value.GetLength() > maxChars) {
            CString message;
            message.Format("Please enter no more than %d characters.", maxChars);
            AfxMessageBox(message, MB_ICONEXCLAMATION);
            dx->Fail();
        }
    } else if (dx->m_idLastControl && dx->m_bEditLastControl) {
        afx::windows().setTextLimit(dx->m_idLastControl, maxChars);
    }
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
    if (dx->failed() || !dx->m_bSaveAndValidate) {
        return;
    }
    if (value < minValue || value > maxValue) {
        CString message;
        message.Format("Please enter an integer between %d and %d.", minValue, maxValue);
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        dx->Fail();
    }
}
