#pragma once
// Dialog data exchange: members <-> controls. A failed validation shows its message, puts
// the focus on the offending control and makes every later exchange of the same pass a
// no-op, so UpdateData(TRUE) returns FALSE without exceptions.

#include "framework/afx/cstring.h"
#include "framework/afx/win_types.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_idLastControl = nullptr;  // the control last prepared, for DDV and focus
    BOOL m_bEditLastControl = FALSE;

    // The child with that id (a fault if the template lacks it), remembered as the last control.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Ends the exchange as failed; the last prepared control gets the focus.
    void Fail();

    bool failed() const { return m_failed; }
    BOOL succeeded() const { return m_failed ? FALSE : TRUE; }

private:
    bool m_failed = false;
};

void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// Index of the checked button in the group that starts at id; -1 for none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
// Attaches control (a member wrapper) to the child with that id, once.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
// In: refuses a longer text with the standard message. Out: limits the last edit's text.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);

namespace afx {
// The number an operator typed: its leading decimal digits (after blanks and a sign), 0 if none.
long leadingNumber(const char* text);
}  // namespace afx
