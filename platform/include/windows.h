// The Win32 subset that the programs and the framework are written against.
#pragma once

#include "windef.h"
#include "winerror.h"
#include "winbase.h"
#include "winnls.h"
#include "wingdi.h"
#include "winuser.h"
#include "winreg.h"
#ifndef WIN32_LEAN_AND_MEAN
#include "commdlg.h"
#include "lzexpand.h"
#endif
