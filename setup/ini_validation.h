// The start-up checks of Setup.ini: which entries look wrong, with the warning texts shown for
// them, and the copy modes that entries 7 and 8 select.
#pragma once

#include "config_line.h"

#include <vector>

struct CIniCheck {
    std::vector<CString> messages; // in the order they are shown; empty when all is well
    BOOL bCompressed = FALSE;
    BOOL bUnderscores = FALSE;
};

CIniCheck CheckIniEntries(const CConfigLineArray& lines);

// Checks g_iniLines, shows each warning through pfnShowStopMessage (a message box with the
// stop icon in the program) and sets g_bCompressed and g_bUnderscores. Never stops start-up.
void ValidateIni(void (*pfnShowStopMessage)(LPCSTR lpszText));

// Setup.ini entry 6 as the C library's decimal conversion reads it: leading white space and a
// sign, then leading digits; 0 if there are none. Out-of-range values saturate.
long long ParseSizeEntry(LPCSTR lpszEntry);

constexpr long long kMinInstallSize = 60000;
constexpr long long kMaxInstallSize = 620000000;
