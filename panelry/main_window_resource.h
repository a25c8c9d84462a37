// Resource identifiers shared by the configurable banner programs. Usable from resource scripts.
#pragma once

#define IDR_MAINFRAME 100
#define IDM_OPTIONS_SETTINGS 110
#define IDM_OPTIONS_EXIT 111
#define IDM_OPTIONS_ABOUT 112
#define IDD_ABOUTDLG 120
#define IDC_ICONRECT 121
