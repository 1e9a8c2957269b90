#pragma once
// The description of one MIB table view: which variables a request reads and how they are
// shown, as list columns (table view) or as item rows (item view). The arrays run in
// parallel; entry i of each describes column i.

#include "framework/afx/collections.h"

class CListData : public CObject {
    DECLARE_DYNAMIC(CListData)
public:
    CListData();
    ~CListData() override;

    // Appends one column. justification: 'L' left, 'R' right, 'c' a hidden zero-width column.
    void Add(LPCTSTR heading, int width, char justification, LPCTSTR variable, LPCTSTR itemLabel);

    void SetRequestID(int id) { m_requestId = id; }
    int GetRequestID() const { return m_requestId; }
    void SetFresh(int fresh) { m_fresh = fresh; }
    int IsFresh() const { return m_fresh; }
    void SetTableName(const char* name) { m_tableName = name; }
    CString GetTableName() const { return m_tableName; }
    int GetSize() const { return m_varNames.GetSize(); }
    int GetVarCount() const { return m_varNames.GetSize(); }
    int GetColumnCount() const { return m_columnHdgs.GetSize(); }
    CString GetAtColumnHdg(int i) const { return m_columnHdgs.GetAt(i); }
    CString GetAtVarName(int i) const { return m_varNames.GetAt(i); }
    CString GetAtItemString(int i) const { return m_itemStrings.GetAt(i); }
    UINT GetAtColumnWidth(int i) const { return m_columnWidths.GetAt(i); }
    UINT GetAtColumnJustify(int i) const { return m_columnJustify.GetAt(i); }
    CStringArray* GetColumnHdgs() { return &m_columnHdgs; }
    CUIntArray* GetColumnWidths() { return &m_columnWidths; }
    CUIntArray* GetColumnJustify() { return &m_columnJustify; }
    CStringArray* GetVarList() { return &m_varNames; }
    CStringArray* GetItemStrings() { return &m_itemStrings; }

protected:
    int m_requestId;
    int m_fresh;
    CString m_tableName;
    CStringArray m_columnHdgs;
    CUIntArray m_columnWidths;
    CUIntArray m_columnJustify;  // the justification characters as given to Add
    CStringArray m_varNames;
    CStringArray m_itemStrings;
};
