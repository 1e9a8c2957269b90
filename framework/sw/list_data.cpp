#include "framework/sw/list_data.h"

IMPLEMENT_DYNAMIC(CListData, CObject)

CListData::CListData() : m_requestId(0), m_fresh(0) {}

CListData::~CListData() = default;

void CListData::Add(LPCTSTR heading, int width, char justification, LPCTSTR variable,
                    LPCTSTR itemLabel) {
    m_columnHdgs.Add(heading);
    m_columnWidths.Add(static_cast<UINT>(width < 0 ? 0 : width));
    m_columnJustify.Add(static_cast<UINT>(static_cast<unsigned char>(justification)));
    m_varNames.Add(variable);
    m_itemStrings.Add(itemLabel);
}
