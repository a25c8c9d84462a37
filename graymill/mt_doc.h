// CMTDoc: the document of Graymill, one bitmap read from a ".bmp" file as a device-independent
// section, the palette it is shown with on palette displays, and the gray-scale conversion
// that runs on a worker thread.
#pragma once

#include "framework.h"
#include "gray_scale.h"

class CMTDoc : public CDocument {
    DECLARE_DYNCREATE(CMTDoc)

public:
    CMTDoc();
    // Stops a running conversion first: the worker uses the members below until it returns.
    ~CMTDoc() override;

    CBitmap* GetBitmap() { return m_bitmap.GetSafeHandle() ? &m_bitmap : nullptr; }
    CPalette* GetPalette() { return m_palette.GetSafeHandle() ? &m_palette : nullptr; }
    CCriticalSection* GetCriticalSection() { return &m_cs; }
    BOOL IsWorking() const { return m_bWorking; }

    void Serialize(CArchive& ar) override;
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    void DeleteContents() override;
    void OnCloseDocument() override;

    // Called by the main frame on the worker's last message.
    void ThreadFinished();
    void ThreadAborted();
    // Asks a running worker to stop and waits until it has ended (closing the program).
    void StopConversion();

    afx_msg void OnGrayScale();
    afx_msg void OnUpdateGrayScaleUI(CCmdUI* pCmdUI);

protected:
    // A file refused by the reader is reported with the reader's reason.
    void ReportSaveLoadException(LPCTSTR lpszPathName, const CObject* e, BOOL bSaving,
                                 UINT nIDPDefault) override;
    // Waits for the worker to end and forgets it.
    void WaitForWorker();

    BOOL m_bWorking = FALSE;
    HANDLE m_hThread = nullptr;
    // Kept (not self-deleting) so that m_hThread stays valid until it has been waited on.
    CWinThread* m_pThread = nullptr;
    CBitmap m_bitmap;
    CPalette m_palette;
    ThreadParams m_threadParams{};
    CCriticalSection m_cs;
    CEvent m_killEvent;
    // Why the last file could not be read, until it has been reported.
    CString m_strLoadError;

    DECLARE_MESSAGE_MAP()
};
