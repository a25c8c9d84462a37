// The framework's standard command, window and string identifiers. Usable from resource
// scripts.
#pragma once

#define ID_FILE_NEW 0xE100       // 57600
#define ID_FILE_OPEN 0xE101      // 57601
#define ID_FILE_CLOSE 0xE102     // 57602
#define ID_FILE_SAVE 0xE103      // 57603
#define ID_FILE_SAVE_AS 0xE104   // 57604
#define ID_FILE_SEND_MAIL 0xE10C // 57612
#define ID_FILE_MRU_FILE1 0xE110 // 57616, the first entry of the recent-file list
#define ID_FILE_MRU_FILE2 0xE111
#define ID_FILE_MRU_FILE3 0xE112
#define ID_FILE_MRU_FILE4 0xE113
#define ID_FILE_MRU_FILE16 0xE11F // the last entry a recent-file list can have
#define ID_FILE_MRU_FIRST ID_FILE_MRU_FILE1
#define ID_FILE_MRU_LAST ID_FILE_MRU_FILE16
#define ID_WINDOW_NEW 0xE130       // 57648
#define ID_WINDOW_ARRANGE 0xE131   // 57649
#define ID_WINDOW_CASCADE 0xE132   // 57650
#define ID_WINDOW_TILE_HORZ 0xE133 // 57651
#define ID_APP_ABOUT 0xE140        // 57664
#define ID_APP_EXIT 0xE141         // 57665
#define ID_VIEW_STATUS_BAR 0xE801  // 59393, also the status bar's window identifier
#define IDW_STATUS_BAR ID_VIEW_STATUS_BAR
#define IDS_IDLE_MESSAGE 0xE001  // 57345, "Ready"
#define IDR_MAINFRAME_ICON 31234 // the frame window's icon
