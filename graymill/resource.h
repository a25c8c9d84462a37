// Resource identifiers of Graymill.
#pragma once

#define IDR_MAINFRAME 100
#define IDM_EFFECTS_GRAYSCALE 110
