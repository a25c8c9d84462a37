// CFileDialog: the Open or Save As dialog (GetOpenFileName / GetSaveFileName). The filter is
// given as "name|pattern|name|pattern||"; m_ofn may be adjusted before DoModal.
#pragma once

#include "dialog.h"

#include <vector>

class CFileDialog : public CDialog {
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr,
                         LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);

    // IDOK with the chosen file in m_ofn, or IDCANCEL (also when the dialog failed).
    INT_PTR DoModal() override;

    // The chosen file: its full path, its name, its extension without the dot, its name
    // without the extension.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

    OPENFILENAMEA m_ofn{};

protected:
    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    std::vector<char> m_filter;
    char m_szFileName[MAX_PATH] = {};
    char m_szFileTitle[MAX_PATH] = {};
};
