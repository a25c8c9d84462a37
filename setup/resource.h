// Resource identifiers of the Setup program: dialog templates, their controls, icons and the
// tree bitmap.
#pragma once

#define IDD_WELCOME 101
#define IDD_CANCEL 102
#define IDD_REPLACE 103
#define IDD_FINISH 104
#define IDD_LOCATION 105
#define IDD_PROGRESS 108
#define IDD_CANCELLED 111
#define IDD_BROWSE 113

#define IDI_COMPUTER 110
#define IDI_REPLACE 112
#define IDB_TREE_IMAGES 114
#define IDI_MAINFRAME 31234

// Controls. The same numbers recur in several templates with one role each.
#define IDC_TEXT 1000
#define IDC_YES_TO_ALL 1001
#define IDC_CHANGE 1002
#define IDC_INSTALL_DIR 1003
#define IDC_REPLACE_NO 1006
#define IDC_SOURCE_NAME 1007
#define IDC_SECOND_TEXT 1008
#define IDC_TARGET_PATH 1009
#define IDC_NEW_SIZE 1010
#define IDC_NEW_DATE 1011
#define IDC_MIDDLE_TEXT 1012
#define IDC_OLD_SIZE 1013
#define IDC_OLD_DATE 1014
#define IDC_NEW_DIR 1015
#define IDC_DIR_TREE 1016

// Roles of the shared numbers in the browse dialog.
#define IDC_CURRENT_DIR_LABEL IDC_TEXT
#define IDC_CURRENT_DIR IDC_SECOND_TEXT
#define IDC_NEW_DIR_LABEL IDC_NEW_SIZE
