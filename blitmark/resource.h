// Resource identifiers of Blitmark.
#pragma once

#define IDR_MAINFRAME 200
#define IDB_BITMAP 201
#define IDM_OPTIONS_DRAW_OPAQUE 100
#define IDM_OPTIONS_DRAW_TRANSPARENT 101
#define IDM_OPTIONS_EXIT 102
