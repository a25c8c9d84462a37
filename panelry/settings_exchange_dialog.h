// CSettingsExchangeDialog: the settings dialog (template 130) in its declared form, shared by
// Panelry4 (modal) and Panelry5 (modeless): the six settings as members, moved to and from the
// controls by dialog data exchange with the height checked to 8..144, and the "&Defaults"
// button, which sets the members to the banner's defaults and shows them.
#pragma once

#include "framework.h"
#include "settings_dialog_resource.h"

class CSettingsExchangeDialog : public CDialog {
public:
    // Template and parent are given at creation (modeless use).
    CSettingsExchangeDialog() = default;
    // Template 130 with this parent (modal use).
    explicit CSettingsExchangeDialog(CWnd* pParentWnd);

    int m_nFillType;  // radio group 131..132
    int m_nFillColor; // radio group 133..137
    CString m_strText;
    int m_nTextHeight; // points, 8..144
    BOOL m_bBold;
    BOOL m_bItalic;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnDefaults();

    DECLARE_MESSAGE_MAP()
};
