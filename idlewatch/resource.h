// Resource identifiers of Idlewatch.
#pragma once

#define IDR_MAINFRAME 100
#define IDM_OPTIONS_EXIT 101
#define IDI_MAINFRAME 31234
