// Resource identifiers of Sheetwise: the banner window's, the two property pages' and the icon.
#pragma once

#include "../main_window_resource.h"

#define IDD_BACKGROUND_PAGE 130
#define IDC_SOLID_FILL 131
#define IDC_GRADIENT_FILL 132
#define IDC_RED 133
#define IDC_GREEN 134
#define IDC_BLUE 135
#define IDC_MAGENTA 136
#define IDC_CYAN 137
#define IDD_TEXT_PAGE 140
#define IDC_TEXT 141
#define IDC_TEXT_HEIGHT 142
#define IDC_BOLD 143
#define IDC_ITALIC 144
#define IDI_MAINFRAME 31234
