#include "cmd_target.h"

const framework::MessageMap* CCmdTarget::GetThisMessageMap() {
    static const framework::MessageMapEntry entries[] = {{0, 0, 0, 0, nullptr}};
    static const framework::MessageMap messageMap = {nullptr, entries};
    return &messageMap;
}

const framework::MessageMap* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdHandlerInfo* pHandlerInfo) {
    const framework::MessageMapEntry* entry =
        framework::FindCommandEntry(GetMessageMap(), static_cast<UINT>(nCode), nID);
    if (!entry)
        return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        return TRUE;
    }
    entry->pfnThunk(this, WM_COMMAND, nID, reinterpret_cast<LPARAM>(pExtra));
    return TRUE;
}
