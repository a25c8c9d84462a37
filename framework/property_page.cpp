#include "property_page.h"

#include "page_template.h"
#include "property_sheet.h"
#include "win_app.h"

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CDialog(nIDTemplate), m_nIDCaption(nIDCaption) {}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
    : CDialog(lpszTemplateName), m_nIDCaption(nIDCaption) {}

BOOL CPropertyPage::OnSetActive() {
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply() {
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() {
    OnCancel();
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnInitDialog() {
    // Loading the controls from the members is no change by the user: edit controls announce
    // their new text, and that must not mark the page modified.
    m_bLoading = TRUE;
    const BOOL result = CDialog::OnInitDialog();
    m_bLoading = FALSE;
    return result;
}

void CPropertyPage::SetModified(BOOL bChanged) {
    if (bChanged && m_bLoading)
        return;
    m_bModified = bChanged ? TRUE : FALSE;
    if (m_pSheet)
        m_pSheet->UpdateApplyButton();
}

CString CPropertyPage::GetTitle() {
    CString title;
    if (m_nIDCaption && title.LoadString(m_nIDCaption))
        return title;
    LoadTemplate();
    return m_strTemplateCaption;
}

CSize CPropertyPage::GetTemplateSize() {
    LoadTemplate();
    return m_sizeTemplate;
}

BOOL CPropertyPage::LoadTemplate() {
    if (m_bTemplateRead)
        return !m_template.empty();
    m_bTemplateRead = TRUE;
    const HINSTANCE module = AfxGetResourceHandle();
    const HRSRC found = ::FindResourceA(module, m_lpszTemplateName, RT_DIALOG);
    if (!found)
        return FALSE;
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
    const auto page = framework::ReadPageTemplate(data, ::SizeofResource(module, found));
    if (!page)
        return FALSE;
    m_template = page->bytes;
    m_strTemplateCaption = page->caption;
    m_sizeTemplate = page->size;
    return TRUE;
}

BOOL CPropertyPage::CreatePage(CPropertySheet* pSheet) {
    if (!LoadTemplate())
        return FALSE;
    m_pSheet = pSheet;
    const HWND hWnd = ::CreateDialogIndirectParamA(
        AfxGetResourceHandle(), reinterpret_cast<LPCDLGTEMPLATEA>(m_template.data()),
        pSheet->m_hWnd, &DialogProc, reinterpret_cast<LPARAM>(this));
    return hWnd != nullptr;
}
