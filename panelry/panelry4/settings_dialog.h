// CSettingsDialog of Panelry4: the settings dialog in its declared form, run modally.
#pragma once

#include "settings_exchange_dialog.h"

class CSettingsDialog : public CSettingsExchangeDialog {
public:
    explicit CSettingsDialog(CWnd* pParentWnd) : CSettingsExchangeDialog(pParentWnd) {}
};
