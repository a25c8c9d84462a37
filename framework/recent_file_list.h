// CRecentFileList: the most recently used files, newest first, kept in the application's
// settings ("File1", "File2", ... in one section) and shown as numbered menu items from the
// command identifier of the list's first entry on.
#pragma once

#include "cstring.h"

#include <vector>

class CCmdUI;

// The longest file name shown in a menu item before its middle is abbreviated.
#define AFX_ABBREV_FILENAME_LEN 30

class CRecentFileList {
public:
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return static_cast<int>(m_arrNames.size()); }
    CString& operator[](int nIndex) { return m_arrNames[static_cast<size_t>(nIndex)]; }

    // Puts the file (as a full path) first; a file already listed moves up, and the oldest
    // entry drops off a full list.
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The entry as a menu shows it: only the file name when it lies in the directory
    // lpszCurDir (of nCurDir bytes), else the path shortened in its middle. FALSE for an
    // empty entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Replaces the menu item of the first entry by one item per file ("&1 name", ...); with an
    // empty list the item keeps its text and is disabled.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

protected:
    std::vector<CString> m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;
};

// Shortens a path to at most cchMax bytes by replacing directories in its middle with "...";
// with bAtLeastName the file name stays whole even when it alone is longer.
CString AfxAbbreviateFileName(LPCTSTR lpszPath, int cchMax, BOOL bAtLeastName);
