// Command identifiers of the width and colour commands shared by the line-drawing programs.
// Plain definitions only: the programs' resource scripts include this header.
#pragma once

#define ID_WIDTH_VTHIN 120
#define ID_WIDTH_THIN 121
#define ID_WIDTH_MEDIUM 122
#define ID_WIDTH_THICK 123
#define ID_WIDTH_VTHICK 124

#define ID_COLOR_BLACK 130
#define ID_COLOR_BLUE 131
#define ID_COLOR_GREEN 132
#define ID_COLOR_CYAN 133
#define ID_COLOR_RED 134
#define ID_COLOR_MAGENTA 135
#define ID_COLOR_YELLOW 136
#define ID_COLOR_WHITE 137
