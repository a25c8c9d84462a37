// CCommandLineInfo: what the command line asks the application to do at start-up, filled one
// parameter at a time by CWinApp::ParseCommandLine. Flags begin with '-' or '/'.
#pragma once

#include "cstring.h"
#include "object.h"

class CCommandLineInfo : public CObject {
public:
    CCommandLineInfo() = default;

    // bFlag: the parameter was a flag (given without its '-' or '/'); bLast: it is the last.
    virtual void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    enum {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppUnregister,
        FileNothing = -1,
    } m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(LPCTSTR pszParam);
    void ParseParamNotFlag(LPCTSTR pszParam);
    void ParseLast(BOOL bLast);
};
