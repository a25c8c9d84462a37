// Resource identifiers of the settings dialog (template 130) of Panelry3, Panelry4 and Panelry5.
// Usable from resource scripts.
#pragma once

#define IDD_SETTINGS 130
#define IDC_SOLID_FILL 131
#define IDC_GRADIENT_FILL 132
#define IDC_RED 133
#define IDC_GREEN 134
#define IDC_BLUE 135
#define IDC_MAGENTA 136
#define IDC_CYAN 137
#define IDC_TEXT 138
#define IDC_TEXT_HEIGHT 139
#define IDC_BOLD 140
#define IDC_ITALIC 141
#define IDC_DEFAULTS 142
