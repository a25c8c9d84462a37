// CPropertyPage: one page of a property sheet, a child dialog made from a dialog template when
// the sheet first shows it. The template's caption is the text of the page's tab.
//
// The sheet asks the active page before it leaves it (OnKillActive: by default the data
// exchange from the controls, which keeps the user on the page when it fails) and tells the
// page it has become active (OnSetActive). A page marks itself modified with SetModified; the
// sheet's Apply button is enabled while any page is modified. Apply calls OnApply of the
// modified pages, OK applies and closes, Cancel calls OnReset of the pages that exist.
#pragma once

#include "dialog.h"

#include <vector>

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // TRUE lets the page become active; the default agrees.
    virtual BOOL OnSetActive();
    // TRUE lets the sheet leave the page; the default stores and validates the members.
    virtual BOOL OnKillActive();
    // Apply and OK: the default calls OnOK and agrees.
    virtual BOOL OnApply();
    // Cancel: the default calls OnCancel.
    virtual void OnReset();
    // Unlike a dialog's, a page's OK and Cancel close nothing: the sheet does.
    void OnOK() override;
    void OnCancel() override;
    // Loads the controls from the members; SetModified(TRUE) is ignored meanwhile.
    BOOL OnInitDialog() override;

    // Marks the page modified (or not) and updates the sheet's Apply button.
    void SetModified(BOOL bChanged = TRUE);
    BOOL IsModified() const { return m_bModified; }

    // The tab text: the caption given to the constructor, else the template's caption.
    CString GetTitle();
    CPropertySheet* GetSheet() const { return m_pSheet; }

private:
    friend class CPropertySheet;

    // Creates the page's hidden window inside the sheet from its template, as a control
    // parent without caption or border. FALSE when the template is missing or malformed.
    BOOL CreatePage(CPropertySheet* pSheet);
    // The template's size in dialog units; (0, 0) when it is missing or malformed.
    CSize GetTemplateSize();
    // Reads the template resource once; FALSE when it is missing or malformed.
    BOOL LoadTemplate();

    CPropertySheet* m_pSheet = nullptr;
    BOOL m_bModified = FALSE;
    BOOL m_bLoading = FALSE;
    UINT m_nIDCaption = 0;
    // The template with the style of a page, its caption and its size.
    std::vector<BYTE> m_template;
    CString m_strTemplateCaption;
    CSize m_sizeTemplate{0, 0};
    BOOL m_bTemplateRead = FALSE;
};
