#include "settings_dialog.h"

#include "resource.h"

#include <cstdlib>

BEGIN_MESSAGE_MAP(CSettingsDialog, CDialog)
ON_BN_CLICKED(IDC_DEFAULTS, OnDefaults)
END_MESSAGE_MAP()

CSettingsDialog::CSettingsDialog(CWnd* pParentWnd) : CDialog(IDD_SETTINGS, pParentWnd) {}

BOOL CSettingsDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CheckRadioButton(IDC_SOLID_FILL, IDC_GRADIENT_FILL, IDC_SOLID_FILL + m_nFillType);
    CheckRadioButton(IDC_RED, IDC_CYAN, IDC_RED + m_nFillColor);
    SetDlgItemText(IDC_TEXT, m_strText);
    SendDlgItemMessage(IDC_TEXT, EM_LIMITTEXT, 32);
    // Formatted into a string of its own size: the height's range is the editors' promise,
    // and a fixed 4-byte buffer would overflow on any value outside it.
    CString strHeight;
    strHeight.Format("%d", m_nTextHeight);
    SetDlgItemText(IDC_TEXT_HEIGHT, strHeight);
    SendDlgItemMessage(IDC_TEXT_HEIGHT, EM_LIMITTEXT, 3);
    CheckDlgButton(IDC_BOLD, m_bBold ? 1 : 0);
    CheckDlgButton(IDC_ITALIC, m_bItalic ? 1 : 0);
    return TRUE;
}

int CSettingsDialog::GetCheckedRadio(int nIDFirst, int nIDLast) {
    for (int i = 0; i <= nIDLast - nIDFirst; ++i)
        if (IsDlgButtonChecked(nIDFirst + i))
            return i;
    return -1;
}

void CSettingsDialog::OnOK() {
    m_nFillType = GetCheckedRadio(IDC_SOLID_FILL, IDC_GRADIENT_FILL);
    m_nFillColor = GetCheckedRadio(IDC_RED, IDC_CYAN);
    GetDlgItemText(IDC_TEXT, m_strText);

    // At most three characters, as the field's limit allows; atoi takes leading blanks and a
    // sign and stops at the first character that is no digit.
    char szHeight[4];
    ::GetDlgItemTextA(m_hWnd, IDC_TEXT_HEIGHT, szHeight, sizeof szHeight);
    m_nTextHeight = std::atoi(szHeight);
    if (m_nTextHeight < 8 || m_nTextHeight > 144) {
        MessageBox("Text height must be an integer from 8 through 144");
        GotoDlgCtrl(GetDlgItem(IDC_TEXT_HEIGHT));
        SendDlgItemMessage(IDC_TEXT_HEIGHT, EM_SETSEL, 0, -1);
        return;
    }

    m_bBold = IsDlgButtonChecked(IDC_BOLD) == 1 ? TRUE : FALSE;
    m_bItalic = IsDlgButtonChecked(IDC_ITALIC) == 1 ? TRUE : FALSE;
    CDialog::OnOK();
}

void CSettingsDialog::OnDefaults() {
    CheckRadioButton(IDC_SOLID_FILL, IDC_GRADIENT_FILL, IDC_GRADIENT_FILL);
    CheckRadioButton(IDC_RED, IDC_CYAN, IDC_BLUE);
    SetDlgItemText(IDC_TEXT, "Hello, MFC");
    SetDlgItemText(IDC_TEXT_HEIGHT, "72");
    CheckDlgButton(IDC_BOLD, 1);
    CheckDlgButton(IDC_ITALIC, 1);
}
