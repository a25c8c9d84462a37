#include "phone_list.h"

#include "entry_dialog.h"

namespace {

// The phone column starts at this tab stop, in dialog template units; later stops repeat it.
const int kPhoneTabStop = 128;

} // namespace

BEGIN_MESSAGE_MAP(CPhoneList, CListBox)
ON_WM_CREATE()
ON_CONTROL_REFLECT(LBN_DBLCLK, OnDblClk)
END_MESSAGE_MAP()

CString CPhoneList::MakeEntry(const CString& strName, const CString& strPhone) {
    return strName + '\t' + strPhone;
}

void CPhoneList::SplitEntry(const CString& strEntry, CString& strName, CString& strPhone) {
    const int tab = strEntry.Find('\t');
    if (tab < 0) {
        strName = strEntry;
        strPhone.Empty();
        return;
    }
    strName = strEntry.Left(tab);
    strPhone = strEntry.Mid(tab + 1);
}

BOOL CPhoneList::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CListBox::PreCreateWindow(cs))
        return FALSE;
    cs.style |= LBS_NOTIFY | LBS_SORT | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT;
    return TRUE;
}

int CPhoneList::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CListBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    CClientDC dc(this);
    const int nHeight = -((dc.GetDeviceCaps(LOGPIXELSY) * 8) / 72);
    m_font.CreateFont(nHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 0,
                      "MS Sans Serif");
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), FALSE);
    SetTabStops(kPhoneTabStop);
    return 0;
}

void CPhoneList::NewEntry() {
    CEntryDialog dlg(nullptr);
    if (dlg.DoModal() == IDOK)
        AddString(MakeEntry(dlg.m_strName, dlg.m_strPhone));
    SetFocus();
}

void CPhoneList::OnDblClk() {
    // A double click on an empty list (or below its items with none selected) has nothing to
    // edit.
    const int nIndex = GetCurSel();
    if (nIndex == LB_ERR)
        return;
    CEntryDialog dlg(nullptr);
    CString strEntry;
    GetText(nIndex, strEntry);
    SplitEntry(strEntry, dlg.m_strName, dlg.m_strPhone);
    if (dlg.DoModal() == IDOK) {
        const CString strEdited = MakeEntry(dlg.m_strName, dlg.m_strPhone);
        DeleteString(static_cast<UINT>(nIndex));
        AddString(strEdited);
    }
    SetFocus();
}
