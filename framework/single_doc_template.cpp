#include "single_doc_template.h"

#include "document.h"
#include "frame_window.h"
#include "win_app.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                       CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    // A document that outlives its template no longer refers to it.
    if (m_pOnlyDoc)
        CDocTemplate::RemoveDocument(m_pOnlyDoc);
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
    return m_pOnlyDoc ? reinterpret_cast<POSITION>(m_pOnlyDoc) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
    CDocument* pDoc = reinterpret_cast<CDocument*>(rPos);
    rPos = nullptr;
    return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    CString title;
    if (!GetDocString(title, docName))
        title = "Untitled";
    pDocument->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
    CDocument* pDocument = nullptr;
    CFrameWnd* pFrame = nullptr;
    BOOL bCreated = FALSE;
    if (m_pOnlyDoc) {
        // Replacing the one document: it may have to be saved first.
        pDocument = m_pOnlyDoc;
        if (!pDocument->SaveModified())
            return nullptr;
        pFrame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    } else {
        pDocument = CreateNewDocument();
        if (!pDocument) {
            AfxMessageBox("Failed to create empty document.", MB_ICONEXCLAMATION);
            return nullptr;
        }
        bCreated = TRUE;
    }

    if (!pFrame) {
        // The frame must not take the document with it if it fails.
        const BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, nullptr);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (!pFrame) {
            AfxMessageBox("Failed to create empty document.", MB_ICONEXCLAMATION);
            delete pDocument;
            return nullptr;
        }
        bCreated = TRUE;
    }

    if (!lpszPathName) {
        SetDefaultTitle(pDocument);
        if (!pDocument->OnNewDocument()) {
            if (bCreated)
                pFrame->DestroyWindow();
            return nullptr;
        }
    } else {
        const BOOL bWasModified = pDocument->IsModified();
        pDocument->SetModifiedFlag(FALSE);
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            // The user has been told what failed.
            if (bCreated) {
                pFrame->DestroyWindow();
            } else if (!pDocument->IsModified()) {
                // The document was not touched.
                pDocument->SetModifiedFlag(bWasModified);
            } else {
                // The old contents are gone: carry on with a new, empty document.
                SetDefaultTitle(pDocument);
                if (pDocument->OnNewDocument())
                    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
            }
            return nullptr;
        }
        pDocument->SetPathName(lpszPathName);
    }

    CWinApp* pApp = AfxGetApp();
    if (bCreated && pApp && !pApp->m_pMainWnd)
        pApp->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
