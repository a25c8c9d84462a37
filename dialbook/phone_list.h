// CPhoneList: the sorted list of entries that fills Dialbook's main window. Each entry is one
// string, the name, a TAB, then the phone number, shown in two tab-aligned columns. The list
// adds new entries and edits existing ones through the "Add/Edit Entry" dialog.
#pragma once

#include "framework.h"

class CPhoneList : public CListBox {
public:
    // Runs the dialog for a new entry and adds it in its sorted place when confirmed.
    void NewEntry();

    // The entry string of a name and a phone number.
    static CString MakeEntry(const CString& strName, const CString& strPhone);
    // Splits an entry at its first TAB; an entry without one is all name, with no phone.
    static void SplitEntry(const CString& strEntry, CString& strName, CString& strPhone);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    CFont m_font;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // A double click on the list edits the selected entry.
    afx_msg void OnDblClk();

    DECLARE_MESSAGE_MAP()
};
