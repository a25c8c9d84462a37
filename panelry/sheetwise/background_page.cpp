#include "background_page.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CBackgroundPage, CPropertyPage)
ON_COMMAND_RANGE(IDC_SOLID_FILL, IDC_CYAN, OnChange)
END_MESSAGE_MAP()

// The main window assigns the members before the sheet runs.
CBackgroundPage::CBackgroundPage()
    : CPropertyPage(IDD_BACKGROUND_PAGE), m_nFillType(0), m_nFillColor(0) {}

void CBackgroundPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_SOLID_FILL, m_nFillType);
    DDX_Radio(pDX, IDC_RED, m_nFillColor);
}

void CBackgroundPage::OnChange(UINT) {
    SetModified(TRUE);
}
