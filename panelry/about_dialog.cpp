#include "about_dialog.h"

BEGIN_MESSAGE_MAP(CAboutDialog, CDialog)
ON_WM_PAINT()
END_MESSAGE_MAP()

CAboutDialog::CAboutDialog(CWnd* pParentWnd) : CDialog(IDD_ABOUTDLG, pParentWnd) {}

BOOL CAboutDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CWnd* pStatic = GetDlgItem(IDC_ICONRECT);
    pStatic->GetWindowRect(&m_rcIcon);
    pStatic->DestroyWindow();
    ScreenToClient(&m_rcIcon);
    return TRUE;
}

void CAboutDialog::OnPaint() {
    CPaintDC dc(this);
    CWnd* pMainWnd = AfxGetMainWnd();
    const HICON hIcon =
        pMainWnd ? reinterpret_cast<HICON>(::GetClassLongPtrA(pMainWnd->m_hWnd, GCL_HICON))
                 : nullptr;
    if (!hIcon)
        return;

    CDC dcMem;
    dcMem.CreateCompatibleDC(&dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 32, 32);
    CBitmap* pOldBitmap = dcMem.SelectObject(&bitmap);
    CBrush brush(::GetSysColor(COLOR_3DFACE));
    dcMem.FillRect(CRect(0, 0, 32, 32), &brush);
    dcMem.DrawIcon(0, 0, hIcon);
    dc.StretchBlt(m_rcIcon.left, m_rcIcon.top, m_rcIcon.Width(), m_rcIcon.Height(), &dcMem, 0, 0,
                  32, 32, SRCCOPY);
    dcMem.SelectObject(pOldBitmap);
}
