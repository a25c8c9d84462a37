// Resource identifiers of Widgetry1.
#pragma once

#define IDR_MAINFRAME 100
#define IDM_FILE_NEW 110
#define IDM_FILE_EXIT 111
#define IDM_EDIT_UNDO 120
#define IDM_EDIT_CUT 121
#define IDM_EDIT_COPY 122
#define IDM_EDIT_PASTE 123
#define IDM_EDIT_DELETE 124
#define IDC_EDIT 130
