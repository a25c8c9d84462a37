#include "settings_exchange_dialog.h"

#include "banner_painting.h"

BEGIN_MESSAGE_MAP(CSettingsExchangeDialog, CDialog)
ON_BN_CLICKED(IDC_DEFAULTS, OnDefaults)
END_MESSAGE_MAP()

CSettingsExchangeDialog::CSettingsExchangeDialog(CWnd* pParentWnd)
    : CDialog(IDD_SETTINGS, pParentWnd) {}

void CSettingsExchangeDialog::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_SOLID_FILL, m_nFillType);
    DDX_Radio(pDX, IDC_RED, m_nFillColor);
    DDX_Text(pDX, IDC_TEXT, m_strText);
    DDX_Text(pDX, IDC_TEXT_HEIGHT, m_nTextHeight);
    DDV_MinMaxInt(pDX, m_nTextHeight, 8, 144);
    DDX_Check(pDX, IDC_BOLD, m_bBold);
    DDX_Check(pDX, IDC_ITALIC, m_bItalic);
}

void CSettingsExchangeDialog::OnDefaults() {
    m_nFillType = 1;
    m_nFillColor = BANNER_BLUE;
    m_strText = "Hello, MFC";
    m_nTextHeight = 72;
    m_bBold = TRUE;
    m_bItalic = TRUE;
    UpdateData(FALSE);
}
