// CEntryDialog: the modal "Add/Edit Entry" dialog with a name and a phone field, each at most
// 32 characters, and bitmap OK and Cancel buttons. OK is disabled while the name is empty.
#pragma once

#include "phone_edit.h"

class CEntryDialog : public CDialog {
public:
    explicit CEntryDialog(CWnd* pParent = nullptr);

    CString m_strName;
    CString m_strPhone;

    // The longest name and phone number the dialog accepts.
    static const int kMaxChars = 32;

protected:
    CBitmapButton m_okButton;
    CBitmapButton m_cancelButton;
    CPhoneEdit m_phoneEdit;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnNameChanged();

    DECLARE_MESSAGE_MAP()
};
