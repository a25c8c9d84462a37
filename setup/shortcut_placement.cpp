#include "shortcut_placement.h"

#include "setup_globals.h"

#include <shlobj.h>

namespace {

constexpr LPCSTR kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                    "Shell Folders";
constexpr DWORD kFolderBufferSize = 1024;

// The folder's path from the Shell Folders key, or the empty text.
CString ReadShellFolder(const CString& strValueName) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return CString();
    char szFolder[kFolderBufferSize + 1] = {};
    DWORD dwType = REG_NONE;
    DWORD cbFolder = kFolderBufferSize;
    const LONG lResult = RegQueryValueExA(hKey, strValueName, nullptr, &dwType,
                                          reinterpret_cast<LPBYTE>(szFolder), &cbFolder);
    RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_SZ)
        return CString();
    return CString(szFolder);
}

} // namespace

CString ShortcutFolderValueName(const CString& strFolderEntry) {
    CString strUpper = strFolderEntry;
    strUpper.MakeUpper();
    if (strUpper == "MY DOCUMENTS")
        return "Personal";
    if (strUpper == "DESKTOP" || strUpper == "FAVORITES")
        return strUpper;
    return CString();
}

CString BuildShortcutPath(const CString& strFolder, const CString& strName) {
    CString strPath = strFolder;
    if (strPath.IsEmpty() || strPath[strPath.GetLength() - 1] != '\\')
        strPath += '\\';
    return strPath + strName + ".Lnk";
}

HRESULT CreateShortcut(LPCSTR lpszTarget, LPCSTR lpszLinkPath, LPCSTR lpszDescription) {
    IShellLinkA* pShellLink = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<LPVOID*>(&pShellLink));
    if (FAILED(hr))
        return hr;
    IPersistFile* pPersistFile = nullptr;
    hr = pShellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pPersistFile));
    if (SUCCEEDED(hr)) {
        pShellLink->SetPath(lpszTarget);
        pShellLink->SetDescription(lpszDescription);
        WCHAR wszLinkPath[MAX_PATH] = {};
        if (MultiByteToWideChar(CP_ACP, 0, lpszLinkPath, -1, wszLinkPath, MAX_PATH) > 0)
            hr = pPersistFile->Save(wszLinkPath, TRUE);
        else
            hr = E_INVALIDARG;
        pPersistFile->Release();
    }
    pShellLink->Release();
    return hr;
}

void PlaceShortcut() {
    const CString strValueName = ShortcutFolderValueName(IniEntry(4));
    if (strValueName.IsEmpty())
        return;
    const CString strFolder = ReadShellFolder(strValueName);
    if (strFolder.IsEmpty())
        return;
    CreateShortcut(g_strInstallDir, BuildShortcutPath(strFolder, IniEntry(5)), "");
}
