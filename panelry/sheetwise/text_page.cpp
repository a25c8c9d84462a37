#include "text_page.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CTextPage, CPropertyPage)
ON_EN_CHANGE(IDC_TEXT, OnChange)
ON_EN_CHANGE(IDC_TEXT_HEIGHT, OnChange)
ON_BN_CLICKED(IDC_BOLD, OnChange)
ON_BN_CLICKED(IDC_ITALIC, OnChange)
END_MESSAGE_MAP()

// The main window assigns the members before the sheet runs.
CTextPage::CTextPage()
    : CPropertyPage(IDD_TEXT_PAGE), m_nTextHeight(0), m_bBold(FALSE), m_bItalic(FALSE) {}

void CTextPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TEXT, m_strText);
    DDX_Text(pDX, IDC_TEXT_HEIGHT, m_nTextHeight);
    DDV_MinMaxInt(pDX, m_nTextHeight, 8, 144);
    DDX_Check(pDX, IDC_BOLD, m_bBold);
    DDX_Check(pDX, IDC_ITALIC, m_bItalic);
}

void CTextPage::OnChange() {
    SetModified(TRUE);
}
