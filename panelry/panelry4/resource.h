// Resource identifiers of Panelry4: the banner window's, the settings dialog's and the icon.
#pragma once

#include "../main_window_resource.h"
#include "../settings_dialog_resource.h"

#define IDI_MAINFRAME 31234
