// Support for the document/view tests: a single-document application whose document keeps an
// array of serializable items, a view that records its updates, and helpers that drive the
// file dialog and message boxes from inside their modal loops.
#pragma once

#include "dialog_test_support.h"
#include "docview_tests.h"
#include "framework.h"

#include <string>
#include <vector>

// What the handlers of the test classes did, one letter each.
extern std::string g_docviewTrace;

class CDocItem : public CObject {
    DECLARE_SERIAL(CDocItem)

public:
    CDocItem() = default;
    explicit CDocItem(LONG nValue) : m_nValue(nValue) {}
    void Serialize(CArchive& ar) override;

    LONG m_nValue = 0;
};

class CItemDoc : public CDocument {
    DECLARE_DYNCREATE(CItemDoc)

public:
    ~CItemDoc() override { DeleteContents(); }

    // Adds an item, marks the document modified and tells the other views.
    CDocItem* AddItem(LONG nValue, CView* pSender = nullptr);
    INT_PTR GetItemCount() const { return m_items.GetSize(); }
    CDocItem* GetItem(INT_PTR nIndex) const { return m_items.GetAt(nIndex); }

    void DeleteContents() override;
    void Serialize(CArchive& ar) override;

    afx_msg void OnDocCommand() { g_docviewTrace += "D"; }
    afx_msg void OnSharedCommand() { g_docviewTrace += "d"; }

protected:
    CTypedPtrArray<CObArray, CDocItem*> m_items;

    DECLARE_MESSAGE_MAP()
};

class CItemView : public CView {
    DECLARE_DYNCREATE(CItemView)

public:
    CItemDoc* GetDocument() const { return static_cast<CItemDoc*>(m_pDocument); }
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    int m_nInitialUpdates = 0;
    std::vector<CObject*> m_hints;

    afx_msg void OnViewCommand() { g_docviewTrace += "V"; }
    afx_msg void OnSharedCommand() { g_docviewTrace += "v"; }

protected:
    DECLARE_MESSAGE_MAP()
};

class CItemFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CItemFrame)

public:
    afx_msg void OnSharedCommand() { g_docviewTrace += "f"; }
    afx_msg void OnUpdateDocCommand(CCmdUI* pCmdUI) {
        g_docviewTrace += "u";
        pCmdUI->SetCheck(1);
    }

protected:
    DECLARE_MESSAGE_MAP()
};

class CItemApp : public CWinApp {
public:
    CItemApp() : CWinApp("DocTest") {}
    BOOL InitInstance() override;

    afx_msg void OnAppCommand() { g_docviewTrace += "A"; }
    afx_msg void OnSharedCommand() { g_docviewTrace += "a"; }

protected:
    DECLARE_MESSAGE_MAP()
};

// The scratch directory of the tests, as a host path and as the program sees it (drive Z:).
const std::string& DocviewHostDir();
std::string DocviewWindowsPath(const std::string& name);
std::string DocviewHostContents(const std::string& name);

// A step that fills the active file dialog's name and presses OK.
void ChooseFileInDialog(const std::string& text);
// Reads the active message box and presses one of its buttons.
MessageBoxSeen AnswerMessageBox(int nButtonID);
