#include "browse_dialog.h"

#include "browse_rules.h"
#include "fit_path_to_width.h"
#include "resource.h"
#include "setup_globals.h"

#include <commctrl.h>

#include <cstring>

BEGIN_MESSAGE_MAP(CBrowseDialog, CSetupDialog)
ON_MESSAGE(WM_NOTIFY, OnNotify)
ON_EN_CHANGE(IDC_NEW_DIR, OnNewDirChange)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kImageMask = RGB(255, 0, 255);
constexpr int kImageWidth = 16;

// A directory entry that is a real subdirectory, not "." or "..".
bool IsSubdirectory(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           std::strcmp(entry.cFileName, ".") != 0 && std::strcmp(entry.cFileName, "..") != 0;
}

} // namespace

CBrowseDialog::CBrowseDialog() : CSetupDialog(IDD_BROWSE) {}

void CBrowseDialog::DoDataExchange(CDataExchange* pDX) {
    CSetupDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NEW_DIR, m_strNewDir);
}

BOOL CBrowseDialog::OnInitDialog() {
    m_bEnded = FALSE;
    ShowTitleEntry(31);
    ShowEntry(IDC_CURRENT_DIR_LABEL, 32);
    ShowEntry(IDC_NEW_DIR_LABEL, 33);
    ShowEntry(IDOK, 1);
    ShowEntry(IDCANCEL, 2);
    CenterOnOwner();

    m_tree.SubclassDlgItem(IDC_DIR_TREE, this);
    m_imageList.Create(IDB_TREE_IMAGES, kImageWidth, 1, kImageMask);
    m_tree.SetImageList(&m_imageList, TVSIL_NORMAL);
    m_bSelectFirstFixed = TRUE;
    AddDrives();
    return CSetupDialog::OnInitDialog();
}

void CBrowseDialog::AddDrives() {
    const DWORD dwDrives = ::GetLogicalDrives();
    for (int nDrive = 0; nDrive < 26; ++nDrive) {
        if (!(dwDrives & (1u << nDrive)))
            continue;
        CString strRoot = "?:\\";
        strRoot.SetAt(0, static_cast<char>('A' + nDrive));
        AddDrive(strRoot, ::GetDriveTypeA(strRoot));
    }
}

void CBrowseDialog::AddDrive(const CString& strRoot, UINT nDriveType) {
    HTREEITEM hItem = nullptr;
    switch (nDriveType) {
    case DRIVE_REMOVABLE:
    case DRIVE_CDROM:
        // Never enumerated here, so that no medium is needed: the placeholder lets the user try.
        hItem = m_tree.InsertItem(strRoot, nDriveType == DRIVE_CDROM ? kCompactDisc : kFloppy,
                                  nDriveType == DRIVE_CDROM ? kCompactDisc : kFloppy);
        AddPlaceholder(hItem);
        return;
    case DRIVE_FIXED:
    case DRIVE_REMOTE:
    case DRIVE_RAMDISK:
        hItem = m_tree.InsertItem(strRoot, kHardDisk, kHardDisk);
        AddPlaceholderIfSubdirectories(hItem, strRoot);
        break;
    default:
        return;
    }
    if (nDriveType == DRIVE_FIXED && m_bSelectFirstFixed) {
        // Selecting twice makes sure the selection notification arrives even when the control
        // had already made the first item current.
        m_tree.SelectItem(hItem);
        m_tree.SelectItem(hItem);
        m_bSelectFirstFixed = FALSE;
        m_strCurrentDir = strRoot;
        SetDlgItemText(IDC_CURRENT_DIR, strRoot);
    }
}

void CBrowseDialog::AddPlaceholder(HTREEITEM hItem) {
    m_tree.InsertItem("", kClosedFolder, kClosedFolder, hItem);
}

void CBrowseDialog::AddPlaceholderIfSubdirectories(HTREEITEM hItem, const CString& strPath) {
    WIN32_FIND_DATAA entry;
    const HANDLE hFind = ::FindFirstFileA(DirectoryPattern(strPath), &entry);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (IsSubdirectory(entry)) {
            AddPlaceholder(hItem);
            break;
        }
    } while (::FindNextFileA(hFind, &entry));
    ::FindClose(hFind);
}

void CBrowseDialog::DeleteChildren(HTREEITEM hItem) {
    while (HTREEITEM hChild = m_tree.GetChildItem(hItem))
        m_tree.DeleteItem(hChild);
}

CString CBrowseDialog::FullPath(HTREEITEM hItem) const {
    CString strPath = m_tree.GetItemText(hItem);
    for (HTREEITEM hParent = m_tree.GetParentItem(hItem); hParent;
         hParent = m_tree.GetParentItem(hParent))
        strPath = WithTrailingBackslash(m_tree.GetItemText(hParent)) + strPath;
    return strPath;
}

BOOL CBrowseDialog::IsDriveItem(HTREEITEM hItem) const {
    return m_tree.GetParentItem(hItem) == nullptr;
}

LRESULT CBrowseDialog::OnNotify(WPARAM, LPARAM lParam) {
    const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader->idFrom != IDC_DIR_TREE)
        return 0;
    const auto* pTreeView = reinterpret_cast<const NMTREEVIEWA*>(lParam);
    switch (pHeader->code) {
    case TVN_ITEMEXPANDINGA:
        return OnItemExpanding(pTreeView->itemNew.hItem, pTreeView->action);
    case TVN_SELCHANGEDA:
        OnSelChanged(pTreeView->itemNew.hItem);
        return 0;
    default:
        return 0;
    }
}

BOOL CBrowseDialog::OnItemExpanding(HTREEITEM hItem, UINT nAction) {
    const CString strPath = FullPath(hItem);
    if (nAction != TVE_EXPAND) {
        // Collapsing forgets the children, so that the next expansion reads the disk again.
        DeleteChildren(hItem);
        if (IsDriveItem(hItem))
            AddPlaceholder(hItem);
        else
            AddPlaceholderIfSubdirectories(hItem, strPath);
        return FALSE;
    }

    if (HTREEITEM hPlaceholder = m_tree.GetChildItem(hItem))
        m_tree.DeleteItem(hPlaceholder);
    WIN32_FIND_DATAA entry;
    const HANDLE hFind = ::FindFirstFileA(DirectoryPattern(strPath), &entry);
    if (hFind == INVALID_HANDLE_VALUE) {
        // A drive without a medium keeps its placeholder, so that it can be tried again.
        if (IsDriveItem(hItem))
            AddPlaceholder(hItem);
        return TRUE;
    }
    BOOL bAdded = FALSE;
    do {
        if (!IsSubdirectory(entry))
            continue;
        const HTREEITEM hChild =
            m_tree.InsertItem(entry.cFileName, kClosedFolder, kOpenFolder, hItem);
        AddPlaceholderIfSubdirectories(hChild, WithTrailingBackslash(strPath) + entry.cFileName);
        bAdded = TRUE;
    } while (::FindNextFileA(hFind, &entry));
    ::FindClose(hFind);
    return !bAdded;
}

void CBrowseDialog::OnSelChanged(HTREEITEM hItem) {
    // The tree's items go when the dialog closes, moving the selection: the result stays.
    if (!hItem || m_bEnded)
        return;
    m_strCurrentDir = FullPath(hItem);
    const int cxField = GetItemWidth(IDC_CURRENT_DIR);
    if (cxField < 0) {
        SetDlgItemText(IDC_CURRENT_DIR, m_strCurrentDir);
        return;
    }
    SetDlgItemText(IDC_CURRENT_DIR,
                   FitPathToWidth(m_strCurrentDir, ::GetDlgItem(m_hWnd, IDC_CURRENT_DIR), cxField));
}

void CBrowseDialog::OnNewDirChange() {
    GetDlgItemText(IDC_NEW_DIR, m_strNewDir);
    if (m_strNewDir.IsEmpty())
        return;
    DWORD dwStart = 0;
    SendDlgItemMessage(IDC_NEW_DIR, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), 0);
    const int nCaret = static_cast<int>(dwStart);
    // At the start nothing precedes the caret; this also ignores the change that the
    // correction below causes.
    if (nCaret <= 0 || nCaret > m_strNewDir.GetLength())
        return;
    if (IsAllowedNewDirChar(m_strNewDir[nCaret - 1]))
        return;
    m_strNewDir.Delete(nCaret - 1);
    SetDlgItemText(IDC_NEW_DIR, m_strNewDir);
    if (nCaret > 1) {
        SendDlgItemMessage(IDC_NEW_DIR, EM_SETSEL, nCaret - 1, nCaret - 1);
        SendDlgItemMessage(IDC_NEW_DIR, EM_SCROLLCARET);
    }
}

void CBrowseDialog::OnOK() {
    m_bEnded = TRUE;
    GetDlgItemText(IDC_NEW_DIR, m_strNewDir);
    // Without a selected directory (no fixed drive) a new name alone would be a path relative
    // to whatever the current drive is: the result stays empty instead.
    if (!m_strNewDir.IsEmpty() && !m_strCurrentDir.IsEmpty())
        m_strCurrentDir = WithTrailingBackslash(m_strCurrentDir) + m_strNewDir;
    EndDialog(IDOK);
}
