// Resource identifiers of the framework tests' resources.
#pragma once

#define IDR_TESTMENU 100
#define IDM_HANDLED 110
#define IDM_UNHANDLED 111
#define IDM_CHECKED 112
#define IDM_RENAMED 113
#define IDM_APP_HANDLED 114
#define IDD_TESTDLG 200
#define IDC_TESTBUTTON 201
#define IDC_TESTLABEL 202
#define IDI_TESTICON 31234
#define IDS_TEST_STRING 57345
#define IDS_MISSING_STRING 9999
