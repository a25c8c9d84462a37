// The LZ expansion library: reads files compressed with the platform's LZ (SZDD) scheme and
// copies them expanded; files that are not compressed are copied unchanged.
#pragma once

#include "windef.h"
#include "winbase.h"

#define LZERROR_BADINHANDLE (-1)
#define LZERROR_BADOUTHANDLE (-2)
#define LZERROR_READ (-3)
#define LZERROR_WRITE (-4)
#define LZERROR_GLOBALLOC (-5)
#define LZERROR_GLOBLOCK (-6)
#define LZERROR_BADVALUE (-7)
#define LZERROR_UNKNOWNALG (-8)

#ifndef RC_INVOKED
// Opens a file with an OpenFile style (OF_READ, OF_CREATE, ...); returns an LZ handle, or a
// negative LZERROR_ code.
WINBASEAPI INT WINAPI LZOpenFileA(LPSTR lpFileName, LPOFSTRUCT lpReOpenBuf, WORD wStyle);
// Copies the source, expanded if it is compressed, to the destination; returns the number of
// bytes written or a negative LZERROR_ code.
WINBASEAPI LONG WINAPI LZCopy(INT hfSource, INT hfDest);
WINBASEAPI void WINAPI LZClose(INT hFile);
WINBASEAPI INT WINAPI LZRead(INT hFile, LPSTR lpBuffer, INT cbRead);
WINBASEAPI LONG WINAPI LZSeek(INT hFile, LONG lOffset, INT iOrigin);
WINBASEAPI INT WINAPI GetExpandedNameA(LPSTR lpszSource, LPSTR lpszBuffer);
#endif
