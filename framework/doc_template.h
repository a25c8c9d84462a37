// CDocTemplate: ties a document class to its frame and view classes and to the resources they
// share (menu, accelerators, icon and the document string with the names and file type). The
// application keeps its templates and asks them to make new documents or open files.
#pragma once

#include "cmd_target.h"
#include "cstring.h"
#include "position.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)

public:
    // The parts of the document string, "\n"-separated in string resource nIDResource.
    enum DocStringIndex {
        windowTitle,     // the main window's title (single-document programs)
        docName,         // the base of default document names ("Untitled" when empty)
        fileNewName,     // the type offered by New when there are several
        filterName,      // the file dialog's filter, such as "Paint Files (*.pnt)"
        filterExt,       // the extension with its dot, such as ".pnt"
        regFileTypeId,   // the shell's file-type identifier
        regFileTypeName, // the shell's file-type name
    };

    // How well a file suits a template (MatchDocType).
    enum Confidence {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen,
    };

    ~CDocTemplate() override;

    // Loads the document string, and the shared menu and accelerators when they exist.
    virtual void LoadTemplate();
    // FALSE when the part is missing; rString is then empty.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    // A new document of the template's class, added to the template; null on failure.
    virtual CDocument* CreateNewDocument();
    // A new frame (with its view) for the document, loaded from the template's resources;
    // null on failure.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    // Runs the initial update of the frame's views and shows the frame.
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // Asks every modified document whether to save; FALSE when the user cancelled.
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);
    // Opens the file, or a new document when lpszPathName is null.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    // Names a new document: the document name (or "Untitled").
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
    HMENU m_hMenuShared = nullptr;
    HACCEL m_hAccelTable = nullptr;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);
};
