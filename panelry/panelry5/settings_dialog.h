// CSettingsDialog of Panelry5: the settings dialog in its declared form, modeless. "Apply"
// (OK, Enter) sends the values to the main window and leaves the dialog open; "Close"
// (Cancel, Esc, the close box) destroys it without applying. The object lives on the heap,
// is remembered by the main window, and deletes itself once its window is gone.
#pragma once

#include "settings_exchange_dialog.h"

class CSettingsDialog : public CSettingsExchangeDialog {
public:
    void OnOK() override;
    void OnCancel() override;

protected:
    void PostNcDestroy() override;
};
