// The shell link object's interface, through which shortcut (.lnk) files are made and read.
#pragma once

#include "objbase.h"

// GetPath flags.
#define SLGP_SHORTPATH 0x1
#define SLGP_UNCPRIORITY 0x2
#define SLGP_RAWPATH 0x4

#ifndef RC_INVOKED
interface IShellLinkA : public IUnknown {
    // pfd, if not null, receives the target's attributes, times and size as last recorded.
    STDMETHOD(GetPath)(LPSTR pszFile, int cch, WIN32_FIND_DATAA* pfd, DWORD fFlags) PURE;
    STDMETHOD(GetDescription)(LPSTR pszName, int cch) PURE;
    STDMETHOD(SetDescription)(LPCSTR pszName) PURE;
    STDMETHOD(GetWorkingDirectory)(LPSTR pszDir, int cch) PURE;
    STDMETHOD(SetWorkingDirectory)(LPCSTR pszDir) PURE;
    STDMETHOD(GetArguments)(LPSTR pszArgs, int cch) PURE;
    STDMETHOD(SetArguments)(LPCSTR pszArgs) PURE;
    STDMETHOD(GetHotkey)(WORD* pwHotkey) PURE;
    STDMETHOD(SetHotkey)(WORD wHotkey) PURE;
    STDMETHOD(GetShowCmd)(int* piShowCmd) PURE;
    STDMETHOD(SetShowCmd)(int iShowCmd) PURE;
    STDMETHOD(GetIconLocation)(LPSTR pszIconPath, int cch, int* piIcon) PURE;
    STDMETHOD(SetIconLocation)(LPCSTR pszIconPath, int iIcon) PURE;
    STDMETHOD(SetPath)(LPCSTR pszFile) PURE;

protected:
    ~IShellLinkA() = default;
};
typedef IShellLinkA IShellLink;

WINBASEAPI const CLSID CLSID_ShellLink;
WINBASEAPI const IID IID_IShellLinkA;
#define IID_IShellLink IID_IShellLinkA
#endif
