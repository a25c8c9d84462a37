// CPaintDoc: a drawing as an ordered list of lines, with the width and colour the next line
// gets. The document owns its lines; views only borrow them.
#pragma once

#include "line.h"

#include <framework.h>

// Pen widths in pixels, indexed by the width selection (commands 120 to 124).
extern const UINT g_nLineWidths[5];
// Pen colours, indexed by the colour selection (commands 130 to 137).
extern const COLORREF g_crLineColors[8];

class CPaintDoc : public CDocument {
    DECLARE_DYNCREATE(CPaintDoc)

public:
    CPaintDoc();
    ~CPaintDoc() override;

    // Appends a line with the current width and colour and marks the document modified.
    // When memory runs out the user is told, nothing changes and the result is null.
    CLine* AddLine(POINT ptFrom, POINT ptTo);
    CLine* GetLine(int nIndex) const { return static_cast<CLine*>(m_arrLines.GetAt(nIndex)); }
    int GetLineCount() const { return static_cast<int>(m_arrLines.GetSize()); }

    int GetWidthIndex() const { return m_nWidthIndex; }
    int GetColorIndex() const { return m_nColorIndex; }

    BOOL OnNewDocument() override;
    // After a successful open the selections return to Medium and red.
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    void DeleteContents() override;
    // The line array and nothing else; the selections are not saved.
    void Serialize(CArchive& ar) override;

protected:
    void InitDocument();
    // Allocates the line AddLine appends (a seam that lets tests run out of memory).
    virtual CLine* CreateLine(POINT ptFrom, POINT ptTo, UINT nWidth, COLORREF crColor);

    afx_msg void OnWidth(UINT nID);
    afx_msg void OnColor(UINT nID);
    afx_msg void OnUpdateWidthUI(CCmdUI* pCmdUI);
    afx_msg void OnUpdateColorUI(CCmdUI* pCmdUI);

    int m_nWidthIndex = 2;
    int m_nColorIndex = 4;
    CObArray m_arrLines;

    DECLARE_MESSAGE_MAP()
};
