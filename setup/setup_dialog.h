// CSetupDialog: what every dialog of the installer shares: its texts come from Setup.txt by
// entry number, and it centres itself on its owner when it opens.
#pragma once

#include "framework.h"

class CSetupDialog : public CDialog {
public:
    explicit CSetupDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

protected:
    // Each shows a Setup.txt entry once the configuration was loaded; before that the
    // template's placeholder texts stay.
    void ShowTitleEntry(int nEntry);
    void ShowEntry(int nIDC, int nEntry);
    // The entry with its "%s" filled in.
    void ShowEntryWith(int nIDC, int nEntry, const CString& strValue);
    // Centres the dialog on its owner, or on the screen when it has none.
    void CenterOnOwner();
    // A control's width from its normal-position rectangle; -1 when the control or its
    // placement is not available.
    int GetItemWidth(int nIDC) const;
};
