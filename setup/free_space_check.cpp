#include "free_space_check.h"

#include "ini_validation.h"

CString InstallRoot(const CString& strInstallDir) {
    CString strRoot = "C:\\";
    if (!strInstallDir.IsEmpty())
        strRoot.SetAt(0, strInstallDir[0]);
    return strRoot;
}

BOOL FitsInFreeSpace(LPCSTR lpszRequiredEntry, DWORD dwSectorsPerCluster, DWORD dwBytesPerSector,
                     DWORD dwFreeClusters) {
    const long long nRequired = ParseSizeEntry(lpszRequiredEntry);
    const unsigned long long nFree =
        static_cast<unsigned long long>(dwSectorsPerCluster) * dwBytesPerSector * dwFreeClusters;
    return nRequired >= 0 && static_cast<unsigned long long>(nRequired) <= nFree;
}

BOOL HasRoomToInstall(const CString& strInstallDir, LPCSTR lpszRequiredEntry) {
    DWORD dwSectorsPerCluster = 0;
    DWORD dwBytesPerSector = 0;
    DWORD dwFreeClusters = 0;
    DWORD dwTotalClusters = 0;
    if (!GetDiskFreeSpaceA(InstallRoot(strInstallDir), &dwSectorsPerCluster, &dwBytesPerSector,
                           &dwFreeClusters, &dwTotalClusters))
        return FitsInFreeSpace(lpszRequiredEntry, 0, 0, 0);
    return FitsInFreeSpace(lpszRequiredEntry, dwSectorsPerCluster, dwBytesPerSector,
                           dwFreeClusters);
}
