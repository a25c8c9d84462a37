// Resource identifiers of Panelry1.
#pragma once

#define IDR_MAINFRAME 100
#define IDM_OPTIONS_EXIT 110
#define IDM_OPTIONS_ABOUT 111
#define IDD_ABOUTDLG 120
#define IDC_ICONRECT 121
#define IDI_MAINFRAME 31234
