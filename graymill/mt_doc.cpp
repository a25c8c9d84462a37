#include "mt_doc.h"

#include "bmp_image.h"
#include "resource.h"

#include <vector>

IMPLEMENT_DYNCREATE(CMTDoc, CDocument)

BEGIN_MESSAGE_MAP(CMTDoc, CDocument)
ON_COMMAND(IDM_EFFECTS_GRAYSCALE, OnGrayScale)
ON_UPDATE_COMMAND_UI(IDM_EFFECTS_GRAYSCALE, OnUpdateGrayScaleUI)
END_MESSAGE_MAP()

CMTDoc::CMTDoc() : m_killEvent(FALSE, FALSE) {}

CMTDoc::~CMTDoc() {
    StopConversion();
    DeleteContents();
}

void CMTDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        return;
    // The whole file is read and checked here, rather than handed to a loader by name, so
    // that a damaged file is refused with its reason and never half-read.
    CFile* pFile = ar.GetFile();
    const DWORD nLength = pFile->GetLength();
    std::vector<BYTE> bytes(nLength);
    pFile->SeekToBegin();
    if (nLength != 0 && pFile->Read(bytes.data(), nLength) != nLength)
        throw CArchiveException(CArchiveException::endOfFile, pFile->GetFilePath());
    CBmpImage image;
    HBITMAP hBitmap = image.Parse(bytes.data(), bytes.size()) ? image.CreateSection() : nullptr;
    if (!hBitmap) {
        m_strLoadError = image.GetError();
        throw CArchiveException(CArchiveException::badIndex, pFile->GetFilePath());
    }
    m_bitmap.Attach(hBitmap);
}

BOOL CMTDoc::OnOpenDocument(LPCTSTR lpszPathName) {
    if (m_bWorking) {
        AfxMessageBox("You must stop the gray scale conversion before opening another document",
                      MB_ICONSTOP);
        return FALSE;
    }
    BOOL bOpened = CDocument::OnOpenDocument(lpszPathName);
    if (bOpened && !GetBitmap()) {
        // An empty file never reaches Serialize; it is no more a bitmap than a damaged one, and
        // the previous picture is gone just the same.
        CString strMessage(lpszPathName);
        strMessage += "\nThe file is not a bitmap (.bmp) file.";
        AfxMessageBox(strMessage, MB_ICONEXCLAMATION);
        SetModifiedFlag(TRUE);
        bOpened = FALSE;
    }
    if (!bOpened) {
        POSITION pos = GetFirstViewPosition();
        if (CView* pView = pos ? GetNextView(pos) : nullptr)
            pView->OnInitialUpdate();
        return FALSE;
    }

    CWnd* pMainWnd = AfxGetMainWnd();
    CClientDC dc(pMainWnd);
    if (!(dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE))
        return TRUE;

    RGBQUAD colors[256];
    CDC dcMemory;
    dcMemory.CreateCompatibleDC(&dc);
    m_cs.Lock();
    CBitmap* pOldBitmap = dcMemory.SelectObject(&m_bitmap);
    const UINT nColors = ::GetDIBColorTable(dcMemory.GetSafeHdc(), 0, 256, colors);
    dcMemory.SelectObject(pOldBitmap);
    m_cs.Unlock();

    // The section keeps exactly the colour table of the file's header (its colours-used count,
    // or 2^bits for up to 8 bits per pixel); deeper images have none.
    LOGPALETTE* pLogPalette = nullptr;
    if (nColors > 0) {
        auto* pBytes = new BYTE[sizeof(WORD) * 2 + sizeof(PALETTEENTRY) * nColors];
        pLogPalette = reinterpret_cast<LOGPALETTE*>(pBytes);
        pLogPalette->palVersion = 0x300;
        pLogPalette->palNumEntries = WORD(nColors);
        for (UINT i = 0; i < nColors; ++i)
            pLogPalette->palPalEntry[i] =
                PALETTEENTRY{colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
    } else {
        pLogPalette = CreateHalftone();
    }
    m_palette.CreatePalette(pLogPalette);
    FreeLogPalette(pLogPalette);
    return TRUE;
}

void CMTDoc::ReportSaveLoadException(LPCTSTR lpszPathName, const CObject* e, BOOL bSaving,
                                     UINT nIDPDefault) {
    if (bSaving || m_strLoadError.IsEmpty()) {
        CDocument::ReportSaveLoadException(lpszPathName, e, bSaving, nIDPDefault);
        return;
    }
    CString strMessage(lpszPathName);
    strMessage += "\n";
    strMessage += m_strLoadError;
    m_strLoadError.Empty();
    AfxMessageBox(strMessage, MB_ICONEXCLAMATION);
}

void CMTDoc::DeleteContents() {
    if (m_bitmap.GetSafeHandle())
        m_bitmap.DeleteObject();
    if (m_palette.GetSafeHandle())
        m_palette.DeleteObject();
    CDocument::DeleteContents();
}

void CMTDoc::OnCloseDocument() {
    StopConversion();
    CDocument::OnCloseDocument();
}

void CMTDoc::OnGrayScale() {
    if (m_bWorking) {
        m_killEvent.SetEvent();
        return;
    }
    m_threadParams.pWnd = AfxGetMainWnd();
    m_threadParams.pBitmap = &m_bitmap;
    m_threadParams.pPalette = &m_palette;
    m_threadParams.pCriticalSection = &m_cs;
    m_threadParams.pKillEvent = &m_killEvent;
    m_killEvent.ResetEvent();
    m_pThread =
        AfxBeginThread(ThreadFunc, &m_threadParams, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!m_pThread)
        return;
    m_pThread->m_bAutoDelete = FALSE;
    m_hThread = m_pThread->m_hThread;
    m_bWorking = TRUE;
    m_pThread->ResumeThread();
}

void CMTDoc::OnUpdateGrayScaleUI(CCmdUI* pCmdUI) {
    if (m_bWorking) {
        pCmdUI->SetText("Stop &Gray Scale Conversion");
        pCmdUI->Enable(TRUE);
    } else {
        pCmdUI->SetText("Convert to &Gray Scale");
        pCmdUI->Enable(GetBitmap() != nullptr);
    }
}

void CMTDoc::WaitForWorker() {
    if (m_hThread)
        ::WaitForSingleObject(m_hThread, INFINITE);
    delete m_pThread;
    m_pThread = nullptr;
    m_hThread = nullptr;
    m_bWorking = FALSE;
}

void CMTDoc::ThreadFinished() {
    WaitForWorker();
    if (m_palette.GetSafeHandle()) {
        m_palette.DeleteObject();
        LOGPALETTE* pLogPalette = CreateGrayScale();
        m_palette.CreatePalette(pLogPalette);
        FreeLogPalette(pLogPalette);
    }
    UpdateAllViews(nullptr);
}

void CMTDoc::ThreadAborted() {
    WaitForWorker();
}

void CMTDoc::StopConversion() {
    if (!m_bWorking)
        return;
    m_killEvent.SetEvent();
    WaitForWorker();
}
