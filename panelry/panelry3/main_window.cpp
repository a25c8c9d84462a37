// The settings command of Panelry3's banner window: the hand-written modal dialog.
#include "main_window.h"

#include "modal_settings.h"
#include "settings_dialog.h"

void CMainWindow::OnOptionsSettings() {
    EditSettingsModally<CSettingsDialog>(this);
}
