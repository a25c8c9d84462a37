#include "recent_file_list.h"

#include "cmd_ui.h"
#include "menu.h"
#include "win_app.h"

#include <algorithm>

namespace {

CString full_path(LPCTSTR lpszPathName) {
    char full[MAX_PATH] = {};
    LPSTR filePart = nullptr;
    if (::GetFullPathNameA(lpszPathName, MAX_PATH, full, &filePart) == 0)
        return lpszPathName;
    return full;
}

int last_separator(const CString& path) {
    return std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
}

} // namespace

CString AfxAbbreviateFileName(LPCTSTR lpszPath, int cchMax, BOOL bAtLeastName) {
    const CString path(lpszPath);
    if (path.GetLength() <= cchMax)
        return path;
    const int nameStart = last_separator(path) + 1;
    const CString name = path.Mid(nameStart);
    // The root: the drive and its first separator ("C:\").
    int rootEnd = path.Find('\\');
    rootEnd = rootEnd < 0 ? 0 : rootEnd + 1;
    const CString root = path.Left(rootEnd);
    // Keep as many trailing directories as fit after "root...\".
    int tailStart = nameStart;
    for (;;) {
        const int previous =
            tailStart - 1 > rootEnd ? path.Left(tailStart - 1).ReverseFind('\\') : -1;
        if (previous < rootEnd)
            break;
        const CString candidate = root + "...\\" + path.Mid(previous + 1);
        if (candidate.GetLength() > cchMax)
            break;
        tailStart = previous + 1;
    }
    const CString shortened = root + "...\\" + path.Mid(tailStart);
    if (shortened.GetLength() <= cchMax)
        return shortened;
    return bAtLeastName ? name : name.Left(cchMax);
}

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat,
                                 int nSize, int nMaxDispLen)
    : m_arrNames(static_cast<size_t>(std::max(nSize, 0))), m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat), m_nStart(nStart), m_nMaxDisplayLength(nMaxDispLen) {}

void CRecentFileList::Add(LPCTSTR lpszPathName) {
    if (m_arrNames.empty() || !lpszPathName || !*lpszPathName)
        return;
    const CString path = full_path(lpszPathName);
    auto found = std::find_if(m_arrNames.begin(), m_arrNames.end(),
                              [&](const CString& name) { return name.CompareNoCase(path) == 0; });
    if (found == m_arrNames.end())
        found = m_arrNames.end() - 1;
    std::rotate(m_arrNames.begin(), found, found + 1);
    m_arrNames.front() = path;
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex < 0 || nIndex >= GetSize())
        return;
    m_arrNames.erase(m_arrNames.begin() + nIndex);
    m_arrNames.emplace_back();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
    const CString& path = m_arrNames[static_cast<size_t>(nIndex)];
    if (path.IsEmpty())
        return FALSE;
    const int nameStart = last_separator(path) + 1;
    CString directory = path.Left(nameStart);
    CString current = lpszCurDir ? CString(lpszCurDir, nCurDir) : CString();
    if (!current.IsEmpty() && current[current.GetLength() - 1] != '\\')
        current += '\\';
    if (!current.IsEmpty() && directory.CompareNoCase(current) == 0) {
        strName = path.Mid(nameStart);
        return TRUE;
    }
    strName = AfxAbbreviateFileName(path, m_nMaxDisplayLength, bAtLeastName);
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
    if (m_strOriginal.IsEmpty() && pCmdUI->m_pMenu)
        pCmdUI->m_pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
    if (m_arrNames.empty() || m_arrNames.front().IsEmpty()) {
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (!pMenu)
        return;
    for (int i = 0; i < GetSize(); ++i)
        pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);

    char currentDir[MAX_PATH] = {};
    const int nCurDir = static_cast<int>(::GetCurrentDirectoryA(MAX_PATH, currentDir));
    for (int i = 0; i < GetSize(); ++i) {
        CString name;
        if (!GetDisplayName(name, i, currentDir, nCurDir))
            break;
        // An ampersand in a file name is shown, not taken as a mnemonic.
        name.Replace("&", "&&");
        CString text;
        text.Format("&%d %s", i + 1, static_cast<LPCTSTR>(name));
        pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++, text);
    }
    // The caller's loop goes on after the last item added.
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->Enable(TRUE);
}

void CRecentFileList::ReadList() {
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    for (int i = 0; i < GetSize(); ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        m_arrNames[static_cast<size_t>(i)] = pApp->GetProfileString(m_strSectionName, entry);
    }
}

void CRecentFileList::WriteList() {
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !pApp->m_pszRegistryKey)
        return;
    // The section is written anew, so that entries of a longer list do not linger.
    pApp->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < GetSize(); ++i) {
        if (m_arrNames[static_cast<size_t>(i)].IsEmpty())
            break;
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        pApp->WriteProfileString(m_strSectionName, entry, m_arrNames[static_cast<size_t>(i)]);
    }
}
