#include "entry_dialog.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CEntryDialog, CDialog)
ON_EN_CHANGE(IDC_NAME, OnNameChanged)
END_MESSAGE_MAP()

CEntryDialog::CEntryDialog(CWnd* pParent) : CDialog(IDD_ENTRY, pParent) {}

void CEntryDialog::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, kMaxChars);
    DDX_Text(pDX, IDC_PHONE, m_strPhone);
    DDV_MaxChars(pDX, m_strPhone, kMaxChars);
}

BOOL CEntryDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_okButton.AutoLoad(IDOK, this);
    m_cancelButton.AutoLoad(IDCANCEL, this);
    m_phoneEdit.SubclassDlgItem(IDC_PHONE, this);
    OnNameChanged();
    return TRUE;
}

// OK is enabled exactly while the name field holds text. The whole text counts: a change can
// leave part of the name selected (Undo selects the text it restores), and the selected
// characters are still part of the name.
void CEntryDialog::OnNameChanged() {
    // Filling the fields from the members reports a change before the buttons are attached.
    if (!m_okButton.m_hWnd)
        return;
    const CWnd* pName = GetDlgItem(IDC_NAME);
    m_okButton.EnableWindow(pName && pName->GetWindowTextLength() > 0);
}
