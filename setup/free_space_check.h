// The free-space check made before copying starts.
#pragma once

#include "cstring.h"

// The root whose free space counts for an install directory: "C:\" with its letter replaced by
// the directory's first character ("C:\" for an empty directory).
CString InstallRoot(const CString& strInstallDir);

// Whether the bytes that Setup.ini entry 6 requires (read like the C library's decimal
// conversion) fit into the free space a free-space query reported. The product is taken in 64
// bits so that a large disk cannot wrap around to a small number; a negative requirement never
// fits.
BOOL FitsInFreeSpace(LPCSTR lpszRequiredEntry, DWORD dwSectorsPerCluster, DWORD dwBytesPerSector,
                     DWORD dwFreeClusters);

// Queries the install directory's drive and applies FitsInFreeSpace; a failed query reports
// no free space.
BOOL HasRoomToInstall(const CString& strInstallDir, LPCSTR lpszRequiredEntry);
