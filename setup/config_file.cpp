#include "config_file.h"

ConfigFileStatus ReadConfigFile(LPCSTR lpszName, CString& strText) {
    strText.Empty();
    if (GetFileAttributesA(lpszName) == INVALID_FILE_ATTRIBUTES)
        return kConfigMissing;
    const HANDLE hFile = CreateFileA(lpszName, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return kConfigUnopenable;
    LPSTR pBuffer = strText.GetBuffer(kMaxConfigFileBytes);
    DWORD nRead = 0;
    const BOOL bRead = ReadFile(hFile, pBuffer, kMaxConfigFileBytes, &nRead, nullptr);
    CloseHandle(hFile);
    if (!bRead) {
        strText.ReleaseBuffer(0);
        return kConfigUnopenable;
    }
    pBuffer[nRead] = '\0';
    strText.ReleaseBuffer(-1);
    return kConfigRead;
}
