// CBrowseDialog: picks a directory in a tree of drives and directories, and optionally names a
// new subdirectory of it. The tree is filled lazily: an item that may have subdirectories gets
// one empty placeholder child, replaced by the real children when the user expands it.
#pragma once

#include "image_list.h"
#include "setup_dialog.h"
#include "tree_ctrl.h"

class CBrowseDialog : public CSetupDialog {
public:
    CBrowseDialog();

    BOOL OnInitDialog() override;
    // Appends the new directory's name, if any, to the selected directory's path.
    void OnOK() override;

    // The chosen path once the dialog ended with OK.
    CString m_strCurrentDir;
    CString m_strNewDir;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNewDirChange();

    DECLARE_MESSAGE_MAP()

private:
    // Tree images of bitmap 114.
    enum TreeImage { kHardDisk, kFloppy, kCompactDisc, kClosedFolder, kOpenFolder };

    void AddDrives();
    void AddDrive(const CString& strRoot, UINT nDriveType);
    // Adds a placeholder child when the directory holds a subdirectory.
    void AddPlaceholderIfSubdirectories(HTREEITEM hItem, const CString& strPath);
    void AddPlaceholder(HTREEITEM hItem);
    void DeleteChildren(HTREEITEM hItem);
    CString FullPath(HTREEITEM hItem) const;
    BOOL IsDriveItem(HTREEITEM hItem) const;

    // TRUE forbids the expansion.
    BOOL OnItemExpanding(HTREEITEM hItem, UINT nAction);
    void OnSelChanged(HTREEITEM hItem);

    CTreeCtrl m_tree;
    CImageList m_imageList;
    BOOL m_bSelectFirstFixed = FALSE;
    // Set once OK has taken the result.
    BOOL m_bEnded = FALSE;
};
