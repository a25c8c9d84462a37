// Resource identifiers of Widgetry3.
#pragma once

#define IDR_MAINFRAME 100
#define IDM_OPTIONS_DISABLE 110
#define IDM_OPTIONS_EXIT 111
#define IDC_BITMAPBUTTON 120
#define IDC_BSBITMAP 121
#define IDC_BSICON 122
