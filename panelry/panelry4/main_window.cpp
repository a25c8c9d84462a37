// The settings command of Panelry4's banner window: the modal dialog with data exchange.
#include "main_window.h"

#include "modal_settings.h"
#include "settings_dialog.h"

void CMainWindow::OnOptionsSettings() {
    EditSettingsModally<CSettingsDialog>(this);
}
