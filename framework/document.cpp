#include "document.h"

#include "archive.h"
#include "command_ids.h"
#include "doc_template.h"
#include "file.h"
#include "frame_window.h"
#include "message_thunks.h"
#include "view.h"
#include "win_app.h"

#include <algorithm>

namespace {

// Prompt texts; a program can give its own in its string table under the same identifiers.
const UINT kIdpAskToSave = 0xF103;
const UINT kIdpFailedToOpen = 0xF101;
const UINT kIdpFailedToSave = 0xF102;
const UINT kIdpInvalidFormat = 0xF180;

CString prompt_text(UINT nID, LPCTSTR lpszArgument) {
    CString text;
    if (!text.LoadString(nID)) {
        switch (nID) {
        case kIdpAskToSave:
            text = "Save changes to %1?";
            break;
        case kIdpFailedToSave:
            text = "Failed to save document %1.";
            break;
        case kIdpInvalidFormat:
            text = "%1\nThis file does not have the expected format.";
            break;
        default:
            text = "Failed to open document %1.";
            break;
        }
    }
    text.Replace("%1", lpszArgument ? lpszArgument : "");
    return text;
}

POSITION to_position(size_t index) {
    return reinterpret_cast<POSITION>(index + 1);
}

size_t from_position(POSITION position) {
    return reinterpret_cast<size_t>(position) - 1;
}

} // namespace

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::~CDocument() {
    // Views that outlive their document must not reach it.
    for (CView* pView : m_viewList)
        pView->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle) {
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU) {
    char full[MAX_PATH] = {};
    LPSTR filePart = nullptr;
    if (::GetFullPathNameA(lpszPathName, MAX_PATH, full, &filePart) == 0)
        lstrcpynA(full, lpszPathName, MAX_PATH);
    m_strPathName = full;
    const int slash = std::max(m_strPathName.ReverseFind('\\'), m_strPathName.ReverseFind('/'));
    SetTitle(m_strPathName.Mid(slash + 1));
    if (bAddToMRU)
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView) {
    if (std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end())
        return;
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
    const auto found = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (found == m_viewList.end())
        return;
    m_viewList.erase(found);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const {
    return m_viewList.empty() ? nullptr : to_position(0);
}

CView* CDocument::GetNextView(POSITION& rPosition) const {
    const size_t index = from_position(rPosition);
    CView* pView = m_viewList[index];
    rPosition = index + 1 < m_viewList.size() ? to_position(index + 1) : nullptr;
    return pView;
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    // A copy: a view's update may add or remove views.
    const std::vector<CView*> views = m_viewList;
    for (CView* pView : views) {
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList() {
    if (m_viewList.empty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts() {
    std::vector<CFrameWnd*> frames;
    for (CView* pView : m_viewList) {
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
            frames.push_back(pFrame);
    }
    for (CFrameWnd* pFrame : frames)
        pFrame->OnUpdateFrameTitle(TRUE);
}

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    auto* pFile = new CFile;
    if (!pFile->Open(lpszFileName, nOpenFlags, pError)) {
        delete pFile;
        return nullptr;
    }
    return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort) {
    if (bAbort) {
        pFile->Abort();
    } else {
        pFile->Close();
    }
    delete pFile;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName) {
    CFileException fileError;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fileError);
    if (!pFile) {
        ReportSaveLoadException(lpszPathName, &fileError, FALSE, kIdpFailedToOpen);
        return FALSE;
    }
    DeleteContents();
    // Modified while loading: a failure leaves a document that no longer matches any file.
    SetModifiedFlag(TRUE);
    try {
        CArchive loadArchive(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
        loadArchive.m_pDocument = this;
        if (pFile->GetLength() != 0)
            Serialize(loadArchive);
        loadArchive.Close();
        ReleaseFile(pFile, FALSE);
    } catch (const CArchiveException& e) {
        ReleaseFile(pFile, TRUE);
        DeleteContents();
        ReportSaveLoadException(lpszPathName, &e, FALSE, kIdpFailedToOpen);
        return FALSE;
    } catch (const CFileException& e) {
        ReleaseFile(pFile, TRUE);
        DeleteContents();
        ReportSaveLoadException(lpszPathName, &e, FALSE, kIdpFailedToOpen);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName) {
    CFileException fileError;
    CFile* pFile = GetFile(
        lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fileError);
    if (!pFile) {
        ReportSaveLoadException(lpszPathName, &fileError, TRUE, kIdpFailedToSave);
        return FALSE;
    }
    try {
        CArchive saveArchive(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
        saveArchive.m_pDocument = this;
        Serialize(saveArchive);
        saveArchive.Close();
        ReleaseFile(pFile, FALSE);
    } catch (const CArchiveException& e) {
        ReleaseFile(pFile, TRUE);
        ReportSaveLoadException(lpszPathName, &e, TRUE, kIdpFailedToSave);
        return FALSE;
    } catch (const CFileException& e) {
        ReleaseFile(pFile, TRUE);
        ReportSaveLoadException(lpszPathName, &e, TRUE, kIdpFailedToSave);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, const CObject* e, BOOL bSaving,
                                        UINT nIDPDefault) {
    UINT nIDP = nIDPDefault;
    if (!bSaving) {
        if (const auto* archiveError = dynamic_cast<const CArchiveException*>(e)) {
            if (archiveError->m_cause != CArchiveException::none)
                nIDP = kIdpInvalidFormat;
        }
    }
    AfxMessageBox(prompt_text(nIDP, lpszPathName), MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument() {
    // The document must outlive the destruction of its views' frames.
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.empty()) {
        CView* pView = m_viewList.front();
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame) {
            PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        } else if (pView->m_hWnd) {
            pView->DestroyWindow();
        }
        // A view whose window is already gone cannot remove itself.
        if (!m_viewList.empty() && m_viewList.front() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::SaveModified() {
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName;
    if (name.IsEmpty())
        name = m_strTitle;
    switch (AfxMessageBox(prompt_text(kIdpAskToSave, name), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame) {
    // Another frame still showing the document keeps it open without asking.
    for (CView* pView : m_viewList) {
        CFrameWnd* pOther = pView->GetParentFrame();
        if (pOther && pOther != pFrame)
            return TRUE;
    }
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::DoFileSave() {
    const DWORD attributes = ::GetFileAttributesA(m_strPathName);
    if (m_strPathName.IsEmpty() ||
        (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace) {
    CString newName = lpszPathName ? lpszPathName : "";
    if (newName.IsEmpty()) {
        newName = m_strPathName;
        if (bReplace && newName.IsEmpty()) {
            // A suggestion made of the title and the template's extension.
            newName = m_strTitle;
            newName.Remove('*');
            CString ext;
            if (m_pDocTemplate && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) &&
                !ext.IsEmpty() && newName.Find('.') < 0)
                newName += ext;
        }
        CWinApp* pApp = AfxGetApp();
        if (!pApp || !pApp->DoPromptFileName(
                         newName, 0, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT,
                         FALSE, m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(newName))
        return FALSE;
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

void CDocument::OnFileSave() {
    DoFileSave();
}

void CDocument::OnFileSaveAs() {
    DoSave(nullptr);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdHandlerInfo* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
