#include "paint_doc.h"

#include "tracery_commands.h"

#include <new>
#include <set>

const UINT g_nLineWidths[5] = {1, 8, 16, 24, 32};

const COLORREF g_crLineColors[8] = {
    RGB(0, 0, 0),   RGB(0, 0, 255),   RGB(0, 255, 0),   RGB(0, 255, 255),
    RGB(255, 0, 0), RGB(255, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255),
};

IMPLEMENT_DYNCREATE(CPaintDoc, CDocument)

BEGIN_MESSAGE_MAP(CPaintDoc, CDocument)
ON_COMMAND_RANGE(ID_WIDTH_VTHIN, ID_WIDTH_VTHICK, OnWidth)
ON_COMMAND_RANGE(ID_COLOR_BLACK, ID_COLOR_WHITE, OnColor)
ON_UPDATE_COMMAND_UI_RANGE(ID_WIDTH_VTHIN, ID_WIDTH_VTHICK, OnUpdateWidthUI)
ON_UPDATE_COMMAND_UI_RANGE(ID_COLOR_BLACK, ID_COLOR_WHITE, OnUpdateColorUI)
END_MESSAGE_MAP()

CPaintDoc::CPaintDoc() {
    m_arrLines.SetSize(0, 64);
}

CPaintDoc::~CPaintDoc() {
    DeleteContents();
}

CLine* CPaintDoc::CreateLine(POINT ptFrom, POINT ptTo, UINT nWidth, COLORREF crColor) {
    return new CLine(ptFrom, ptTo, nWidth, crColor);
}

CLine* CPaintDoc::AddLine(POINT ptFrom, POINT ptTo) {
    CLine* pLine = nullptr;
    try {
        pLine =
            CreateLine(ptFrom, ptTo, g_nLineWidths[m_nWidthIndex], g_crLineColors[m_nColorIndex]);
        m_arrLines.Add(pLine);
        SetModifiedFlag();
    } catch (const std::bad_alloc&) {
        // The array only grows once the element is in, so a failed Add leaves it unchanged.
        delete pLine;
        AfxMessageBox("Out of memory", MB_ICONSTOP);
        return nullptr;
    }
    return pLine;
}

BOOL CPaintDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return FALSE;
    InitDocument();
    return TRUE;
}

BOOL CPaintDoc::OnOpenDocument(LPCTSTR lpszPathName) {
    if (!CDocument::OnOpenDocument(lpszPathName))
        return FALSE;
    InitDocument();
    return TRUE;
}

void CPaintDoc::InitDocument() {
    m_nColorIndex = 4;
    m_nWidthIndex = 2;
}

void CPaintDoc::DeleteContents() {
    for (INT_PTR i = 0; i < m_arrLines.GetSize(); ++i)
        delete m_arrLines.GetAt(i); // deleting a null entry does nothing
    m_arrLines.RemoveAll();
}

void CPaintDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        m_arrLines.Serialize(ar);
        return;
    }
    // The array accepts objects of any class and references to objects read before. A drawing
    // owns each of its lines once and every view draws each element, so anything else makes
    // the file unreadable; what was read is freed here, once, before the failure goes on.
    try {
        m_arrLines.Serialize(ar);
        std::set<const CObject*> seen;
        for (INT_PTR i = 0; i < m_arrLines.GetSize(); ++i) {
            const CObject* pElement = m_arrLines.GetAt(i);
            if (!pElement || !pElement->IsKindOf(RUNTIME_CLASS(CLine)))
                AfxThrowArchiveException(CArchiveException::badClass);
            if (!seen.insert(pElement).second)
                AfxThrowArchiveException(CArchiveException::badIndex);
        }
    } catch (...) {
        std::set<CObject*> loaded(m_arrLines.GetData(),
                                  m_arrLines.GetData() + m_arrLines.GetSize());
        for (CObject* pObject : loaded)
            delete pObject;
        m_arrLines.RemoveAll();
        throw;
    }
}

void CPaintDoc::OnWidth(UINT nID) {
    m_nWidthIndex = static_cast<int>(nID - ID_WIDTH_VTHIN);
}

void CPaintDoc::OnColor(UINT nID) {
    m_nColorIndex = static_cast<int>(nID - ID_COLOR_BLACK);
}

void CPaintDoc::OnUpdateWidthUI(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(pCmdUI->m_nID == UINT(m_nWidthIndex + ID_WIDTH_VTHIN));
}

void CPaintDoc::OnUpdateColorUI(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(pCmdUI->m_nID == UINT(m_nColorIndex + ID_COLOR_BLACK));
}
