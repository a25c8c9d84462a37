// Resource identifiers of Dialbook.
#pragma once

#define IDR_MAINFRAME 100
#define IDM_OPTIONS_NEW 110
#define IDM_OPTIONS_EXIT 111
#define IDD_ENTRY 120
#define IDC_NAME 121
#define IDC_PHONE 122
#define IDC_PHONE_LIST 130
