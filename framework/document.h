// CDocument: the data a program edits, shown by one or more views. The document knows its file
// (path name and title), whether it has changed since it was last saved, and reads and writes
// itself through Serialize. Documents are created by a document template and live on the heap.
#pragma once

#include "cmd_target.h"
#include "cstring.h"
#include "position.h"

#include <vector>

class CArchive;
class CDocTemplate;
class CFile;
class CFileException;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)

public:
    CDocument() = default;
    // Leaves the template's list of documents.
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    // Sets the title and shows it in the frames of the views.
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Takes the full path of the file; the title becomes its file name. bAddToMRU puts the file
    // at the top of the application's recent-file list.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views.
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    // Calls OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);
    // A view came or went; without views a document that deletes itself closes.
    virtual void OnChangedViewList();
    // Shows the title in the frames of the views.
    virtual void UpdateFrameCounts();

    // Life cycle, called by the template and the standard commands.
    // Frees the document's data; the base has none.
    virtual void DeleteContents();
    // Empties the document for the New command: DeleteContents, no path, unmodified.
    virtual BOOL OnNewDocument();
    // Empties the document and loads the file through Serialize. A file that cannot be read or
    // holds something else is reported, leaves the document empty and modified, and returns
    // FALSE.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    // Writes the document to the file through Serialize; reports a failure and returns FALSE.
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    // Destroys the frames of the views, empties the document and deletes it when it deletes
    // itself.
    virtual void OnCloseDocument();
    // Opens the document's file; null (with *pError filled) on failure.
    virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);

    // Asks "Save changes to <title>?" when the document is modified: Yes saves (FALSE when the
    // save fails or is cancelled), No discards, Cancel returns FALSE.
    virtual BOOL SaveModified();
    // Whether the frame may close: asks SaveModified when it shows the document's last view.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // Saves to lpszPathName, or asks for a name first when it is null (Save As). bReplace makes
    // the saved file the document's file.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    // Save: asks for a name when the document has no file yet.
    virtual BOOL DoFileSave();

    // Commands go to the document's map, then to its template's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdHandlerInfo* pHandlerInfo) override;

    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();

    BOOL m_bAutoDelete = TRUE;
    BOOL m_bEmbedded = FALSE;

protected:
    // Tells the user that loading or saving failed; e is a CFileException or a
    // CArchiveException, or null.
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, const CObject* e, BOOL bSaving,
                                         UINT nIDPDefault);

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_viewList;
    BOOL m_bModified = FALSE;

    friend class CDocTemplate;

    DECLARE_MESSAGE_MAP()
};
